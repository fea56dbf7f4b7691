// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/exchange/download_dlg.h"

#include "exchange_fixture.h"
#include "scripted_user.h"
#include "widget_finders.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

namespace velora {
namespace {

using test::LocalFtpServerOptions;

// Remembers whether every message came on the window's own thread.
class ThreadCheckingUser : public test::ScriptedUser {
public:
    void ShowMessage(const QString& text, MessageIcon icon, const QString& title) override {
        onUiThread = onUiThread && QThread::currentThread() == qApp->thread();
        ScriptedUser::ShowMessage(text, icon, title);
    }
    bool onUiThread = true;
};

class DownloadDlgTest : public test::ExchangeTest {
protected:
    void SetUp() override {
        ExchangeTest::SetUp();
        m_settings.folders = Libraries();
    }

    // Shows the dialog and waits until it closes by itself.
    void RunToEnd(CDownloadDlg& dialog) {
        dialog.show();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 20000);
    }

    SettingsRecord m_settings;
    ThreadCheckingUser m_user;
};

TEST_F(DownloadDlgTest, WalksTheThreeProfilesShowingEachFileAndClosesWhenDone) {
    Put(ServerPath("t/a.mtp"), "a");
    Put(ServerPath("t/deep/er/b.mtp"), "b");
    Put(ServerPath("x/stone/wall.jpg"), "wall");
    Put(ServerPath("v/d.vld"), "design");
    ASSERT_NO_FATAL_FAILURE(StartServer());
    PointProfilesAtServer(m_settings);

    CDownloadDlg dialog(m_settings, m_user);
    EXPECT_EQ(dialog.CaptionText(), "Connecting...");
    EXPECT_EQ(dialog.DetailText(), "File(0 of 0): ");
    QSignalSpy closed(&dialog, &CDownloadDlg::librariesChanged);
    RunToEnd(dialog);

    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(m_user.messages, QStringList{"4 downloaded, 0 unchanged, 0 failed."});
    EXPECT_EQ(FilesBelow(LibraryPath()), (QStringList{"templates/a.mtp", "templates/deep/er/b.mtp",
                                                      "textures/stone/wall.jpg", "veloras/d.vld"}));
    EXPECT_EQ(dialog.CaptionText(), "Finishing...");
    EXPECT_EQ(dialog.DetailText(), "File(1 of 1): ftp://127.0.0.1/v/d.vld");
}

// A second run passes over what the library has; the check box fetches
// everything, and is remembered for the next run.
TEST_F(DownloadDlgTest, UnchangedFilesStayUnlessDownloadAllIsTicked) {
    Put(ServerPath("t/a.mtp"), "a");
    Put(ServerPath("x/wall.jpg"), "wall");
    Put(ServerPath("v/d.vld"), "design");
    ASSERT_NO_FATAL_FAILURE(StartServer());
    PointProfilesAtServer(m_settings);
    const auto run = [this](bool tick) {
        CDownloadDlg dialog(m_settings, m_user);
        auto* all = qobject_cast<QCheckBox*>(
            test::ButtonLabelled(dialog, "Download &all files, also unchanged ones"));
        if (all && tick) QTest::mouseClick(all, Qt::LeftButton, {}, QPoint(6, all->height() / 2));
        RunToEnd(dialog);
        return all && all->isChecked();
    };
    EXPECT_FALSE(run(false));
    EXPECT_FALSE(run(false));
    EXPECT_TRUE(run(true));
    EXPECT_TRUE(run(false));
    EXPECT_FALSE(run(true));
    EXPECT_EQ(
        m_user.messages,
        (QStringList{"3 downloaded, 0 unchanged, 0 failed.", "0 downloaded, 3 unchanged, 0 failed.",
                     "3 downloaded, 0 unchanged, 0 failed.", "3 downloaded, 0 unchanged, 0 failed.",
                     "0 downloaded, 3 unchanged, 0 failed."}));
}

TEST_F(DownloadDlgTest, NoConnectionIsToldOnTheWindowsThreadAndLaterProfilesWait) {
    Put(ServerPath("x/wall.jpg"), "wall");
    ASSERT_NO_FATAL_FAILURE(StartServer());
    PointProfilesAtServer(m_settings);
    m_settings.templates.port = test::UnusedLoopbackPort();

    CDownloadDlg dialog(m_settings, m_user);
    RunToEnd(dialog);

    ASSERT_EQ(m_user.messages.size(), 1);
    EXPECT_TRUE(m_user.messages[0].startsWith("Can't establish connection!\n127.0.0.1: "))
        << m_user.messages[0].toStdString();
    EXPECT_TRUE(m_user.onUiThread);
    EXPECT_TRUE(FilesBelow(LibraryPath()).isEmpty());
}

TEST_F(DownloadDlgTest, ProfilesWithoutAServerArePassedOver) {
    Put(ServerPath("x/wall.jpg"), "wall");
    ASSERT_NO_FATAL_FAILURE(StartServer());
    PointProfilesAtServer(m_settings);
    m_settings.templates.address.clear();
    m_settings.veloras.address = "  ";
    CDownloadDlg dialog(m_settings, m_user);
    RunToEnd(dialog);
    EXPECT_EQ(m_user.messages, QStringList{"1 downloaded, 0 unchanged, 0 failed."});
    EXPECT_EQ(FilesBelow(LibraryPath()), QStringList{"textures/wall.jpg"});
}

TEST_F(DownloadDlgTest, NoServerAtAllIsToldAndTheWindowCloses) {
    CDownloadDlg dialog(m_settings, m_user);
    QSignalSpy closed(&dialog, &CDownloadDlg::librariesChanged);
    RunToEnd(dialog);
    EXPECT_EQ(m_user.messages,
              QStringList{"No server is set up. Enter the servers in File / Connection setup..."});
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(DownloadDlgTest, PassedOverFilesAreListedWhenTheRunEnds) {
    Put(ServerPath("ok.mtp"), "fine");
    const QString listing = m_dir.filePath("listing.txt");
    test::WriteFileBytes(listing,
                         "-rw-r--r-- 1 a a 4 Jan  1 00:00 ../../evil.mtp\r\n"
                         "-rw-r--r-- 1 a a 4 Jan  1 00:00 ok.mtp\r\n");
    ASSERT_NO_FATAL_FAILURE(StartServer(LocalFtpServerOptions::Listing(listing)));
    PointProfilesAtServer(m_settings);
    m_settings.templates.folder = "/";
    m_settings.textures.folder = m_settings.veloras.folder = "/empty";
    ASSERT_TRUE(QDir().mkpath(ServerPath("empty")));

    CDownloadDlg dialog(m_settings, m_user);
    RunToEnd(dialog);

    ASSERT_EQ(m_user.messages.size(), 1);
    EXPECT_EQ(m_user.messages[0],
              "These files were not downloaded:\nftp://127.0.0.1/../../evil.mtp: the name could "
              "lead outside the library; passed over\n\n1 downloaded, 0 unchanged, 1 failed.");
    EXPECT_EQ(FilesBelow(LibraryPath()), QStringList{"templates/ok.mtp"});
}

TEST_F(DownloadDlgTest, CancelClosesAtOnceInTheMiddleOfAFileAndKeepsTheOldCopy) {
    Put(ServerPath("t/big.bin"), Pattern(8 * 1024 * 1024));
    Put(LibraryPath("templates/big.bin"), "old copy");
    ASSERT_NO_FATAL_FAILURE(StartServer(LocalFtpServerOptions::Throttled(256 * 1024)));
    PointProfilesAtServer(m_settings);

    CDownloadDlg dialog(m_settings, m_user);
    QSignalSpy closed(&dialog, &CDownloadDlg::librariesChanged);
    dialog.show();
    QTRY_VERIFY_WITH_TIMEOUT(dialog.DetailText().endsWith("/t/big.bin"), 10000);
    QTest::qWait(300);
    auto* cancel = dialog.findChild<QPushButton*>();
    ASSERT_EQ(cancel->text(), "Cancel");
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_LT(clock.elapsed(), 200);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_TRUE(m_user.messages.isEmpty());
    EXPECT_EQ(test::FileBytes(LibraryPath("templates/big.bin")), "old copy");
    EXPECT_EQ(FilesBelow(LibraryPath()), QStringList{"templates/big.bin"});
}

}  // namespace
}  // namespace velora
