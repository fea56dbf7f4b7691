// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/errors.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace velora {
namespace {

TEST(VeloraErrorTest, MessagePutsTheFileBeforeTheReason) {
    const FileError named("a.vld", "cannot be opened: Permission denied");
    EXPECT_EQ(named.File(), "a.vld");
    EXPECT_EQ(named.Reason(), "cannot be opened: Permission denied");
    EXPECT_EQ(named.Message(), "a.vld: cannot be opened: Permission denied");
    EXPECT_STREQ(named.what(), "a.vld: cannot be opened: Permission denied");

    const FormatError anonymous("the data ends early");
    EXPECT_TRUE(anonymous.File().isEmpty());
    EXPECT_EQ(anonymous.Message(), "the data ends early");
}

// Every caller words a failure as "FILE: reason" and names the file once,
// whatever was thrown.
TEST(FailureTextTest, NamesTheFileOnceWhateverFailed) {
    EXPECT_EQ(FailureText(FileError("a.vld", "cannot be opened: x"), "b.vld"),
              "a.vld: cannot be opened: x");
    EXPECT_EQ(FailureText(FormatError("the data ends early"), "b.vld"),
              "b.vld: the data ends early");
    EXPECT_EQ(FailureText(MetafileError(9, "not a metafile"), "c.emf"), "c.emf: not a metafile");
    EXPECT_EQ(FailureText(std::bad_alloc(), "b.vld"), "b.vld: not enough memory");
    EXPECT_EQ(FailureText(std::runtime_error("odd"), "b.vld"), "b.vld: odd");
    EXPECT_EQ(FailureText(std::bad_alloc()), "not enough memory");
    EXPECT_EQ(FailureText(FormatError("the data ends early")), "the data ends early");
}

}  // namespace
}  // namespace velora
