// SPDX-License-Identifier: GPL-3.0-or-later
// Widget tests need one application object for the whole run; the tests
// drive real widgets on whatever platform QT_QPA_PLATFORM names (offscreen
// under ctest).
#include <QApplication>
#include <QTemporaryDir>

#include "modal_answer.h"

#include <gtest/gtest.h>

namespace {
// Every test starts without answers left over from the one before.
class ForgetAnswersAfterEachTest : public testing::EmptyTestEventListener {
    void OnTestEnd(const testing::TestInfo&) override { velora::test::ForgetPendingAnswers(); }
};
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings and caches go to a folder of this run alone: never the user's
    // own, and never one that a test program running beside this one writes.
    QTemporaryDir home;
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qputenv(name, home.path().toLocal8Bit() + '/' + name);
    // Nor the user's keyring: passwords stay in this run's settings file.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/velora-test-bus");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new ForgetAnswersAfterEachTest);
    return RUN_ALL_TESTS();
}
