// Widget tests need one application object for the whole run; the tests
// drive real widgets on whatever platform QT_QPA_PLATFORM names (offscreen
// under ctest).
#include <QApplication>
#include <QStandardPaths>

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
    // Settings go to a test location, never the user's own.
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new ForgetAnswersAfterEachTest);
    return RUN_ALL_TESTS();
}
