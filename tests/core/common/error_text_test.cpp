// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/error_text.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace velora {
namespace {

// The test program keeps the "C" locale, so the texts are the system's
// untranslated ones.
TEST(GetErrorTextTest, KnownCodesGiveTheSystemText) {
    EXPECT_EQ(GetErrorText(ENOENT), "No such file or directory");
    EXPECT_EQ(GetErrorText(EACCES), "Permission denied");
    EXPECT_EQ(GetErrorText(ENOTEMPTY), "Directory not empty");
}

TEST(GetErrorTextTest, UnknownCodesGiveNothing) {
    EXPECT_EQ(GetErrorText(4711), "");
    EXPECT_EQ(GetErrorText(-1), "");
}

}  // namespace
}  // namespace velora
