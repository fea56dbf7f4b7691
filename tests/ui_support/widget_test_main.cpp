// Widget tests need one application object for the whole run; the tests
// drive real widgets on whatever platform QT_QPA_PLATFORM names (offscreen
// under ctest).
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings go to a test location, never the user's own.
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    // ctest runs the tests side by side, each in a process of its own; each
    // keeps its settings apart, so one test clearing them cannot reach into
    // another.
    const QTemporaryDir settings;
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, settings.path());
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
