# SPDX-License-Identifier: GPL-3.0-or-later
# Warnings for our own targets; third-party headers come in as system headers.
function(velora_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(VELORA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# The fuzzers and the tests' sanitizer build find memory errors and
# undefined behaviour alike, and stop at the first.
set(VELORA_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=undefined)
if(VELORA_FUZZ)
  add_compile_options(${VELORA_SANITIZE} -fsanitize=fuzzer-no-link)
  add_link_options(${VELORA_SANITIZE})
elseif(VELORA_ASAN)
  add_compile_options(${VELORA_SANITIZE} -fno-omit-frame-pointer)
  add_link_options(${VELORA_SANITIZE})
endif()
