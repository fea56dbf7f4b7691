// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/library_folders.h"
#include "ui/app/child_frames.h"
#include "ui/app/document_manager.h"
#include "ui/app/main_frame.h"
#include "ui/app/mosvel_app.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QMdiArea>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace velora::test {

// A started application in a folder of its own, with empty settings.
class AppFixture : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        previousFolder = QDir::currentPath();
        QDir::setCurrent(folder.path());
        QSettings(SettingsOrganization(), SettingsApplication()).clear();
        app = std::make_unique<CMosvelApp>();
        ASSERT_TRUE(app->InitInstance({}));
    }

    void TearDown() override {
        app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QDir::setCurrent(previousFolder);
    }

    CMainFrame& Frame() { return *app->MainFrame(); }
    DocumentBase* ActiveDocument() {
        DocumentFrame* frame = Frame().ActiveFrame();
        return frame ? frame->Document() : nullptr;
    }
    QString Path(const QString& name) const { return folder.filePath(name); }
    // Lets closed windows and documents go.
    static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QTemporaryDir folder;
    QString previousFolder;
    std::unique_ptr<CMosvelApp> app;
};

}  // namespace velora::test
