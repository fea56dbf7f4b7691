// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/freed_memory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace velora {

void ReturnFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

}  // namespace velora
