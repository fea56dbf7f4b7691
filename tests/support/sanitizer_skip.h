// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

// AddressSanitizer reserves terabytes of address space for its shadow memory
// at start, so a process held to a ceiling of address space cannot map a page
// more under it. Checks made under such a ceiling skip there; whatever the
// test checked before still counts.
#if defined(__SANITIZE_ADDRESS__)
#define VELORA_SKIP_ADDRESS_CEILING() \
    GTEST_SKIP() << "no ceiling of address space under AddressSanitizer"
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELORA_SKIP_ADDRESS_CEILING() \
    GTEST_SKIP() << "no ceiling of address space under AddressSanitizer"
#endif
#endif
#ifndef VELORA_SKIP_ADDRESS_CEILING
#define VELORA_SKIP_ADDRESS_CEILING() static_cast<void>(0)
#endif
