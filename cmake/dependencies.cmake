# SPDX-License-Identifier: GPL-3.0-or-later
find_package(Qt6 REQUIRED COMPONENTS Core Gui Svg)
find_package(ZLIB REQUIRED)
find_package(JPEG REQUIRED)
find_package(TIFF REQUIRED)
find_package(GIF REQUIRED)
find_package(CURL REQUIRED)
find_package(Qt6Keychain REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(IMAGEQUANT REQUIRED IMPORTED_TARGET imagequant)
pkg_check_modules(ISAL REQUIRED IMPORTED_TARGET libisal)
pkg_check_modules(POPPLER_QT6 REQUIRED IMPORTED_TARGET poppler-qt6)
# potrace ships no pkg-config file.
find_path(POTRACE_INCLUDE_DIR potracelib.h REQUIRED)
find_library(POTRACE_LIBRARY potrace REQUIRED)
add_library(Potrace::Potrace UNKNOWN IMPORTED)
set_target_properties(Potrace::Potrace PROPERTIES IMPORTED_LOCATION ${POTRACE_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${POTRACE_INCLUDE_DIR})

if(NOT VELORA_FUZZ)
  find_package(GTest REQUIRED)
  find_package(benchmark REQUIRED)
  find_package(Qt6 REQUIRED COMPONENTS Test Widgets PrintSupport)
  # The exchange tests and benchmark run pyftpdlib under the system's Python,
  # where Debian installs it.
  find_program(VELORA_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
endif()

# Source files are gathered per subsystem folder, so adding a file to a folder
# is all it takes to build it.
function(velora_glob_sources out)
  set(files)
  foreach(dir ${ARGN})
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
    list(APPEND files ${found})
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()
