// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_fixture.h"
#include "core/common/library_folders.h"
#include "local_ftp_server.h"
#include "modal_answer.h"
#include "test_files.h"
#include "ui/controls/command_ids.h"
#include "ui/exchange/connection_dlg.h"
#include "ui/exchange/download_dlg.h"
#include "ui/exchange/send_dlg.h"
#include "ui/exchange/send_tree.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>

namespace velora {
namespace {

// A message box would wait for an answer that never comes: while this
// lives, each one is noted and closed.
class MessageBoxes {
public:
    MessageBoxes() {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts.append(box->text());
                box->reject();
            }
        });
        m_timer.start(20);
    }

    QStringList texts;

private:
    QTimer m_timer;
};

using ExchangeCommandsTest = test::AppFixture;

TEST_F(ExchangeCommandsTest, ConnectionSetupEditsTheApplicationsSettings) {
    test::AnswerNextModal<CConnectionDlg>([](CConnectionDlg* dialog) {
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            if (label->text() == "&Address:")
                qobject_cast<QLineEdit*>(label->buddy())->setText("ftp.new");
        }
        dialog->accept();
    });
    app->DispatchCommand(cmd::kConnectionSetup);
    EXPECT_EQ(app->Settings().templates.address, "ftp.new");
    // Written at once, not only at exit: a crash must not lose it.
    EXPECT_EQ(QSettings(SettingsOrganization(), SettingsApplication()).value("Address"), "ftp.new");
}

TEST_F(ExchangeCommandsTest, DownloadFillsTheLibrariesFromTheServers) {
    ASSERT_TRUE(QDir().mkpath(Path("server/t/sub")));
    ASSERT_TRUE(QDir().mkpath(Path("server/x")));
    ASSERT_TRUE(QDir().mkpath(Path("server/v")));
    test::WriteFileBytes(Path("server/t/sub/a.mtp"), "template");
    test::LocalFtpServer server(Path("server"));
    ASSERT_TRUE(server.Start()) << server.Error().toStdString();
    SettingsRecord& settings = app->Settings();
    const FtpServer account = server.Server();
    const ServerProfile profile{account.address, account.login, account.password, {}, account.port};
    settings.templates = settings.textures = settings.veloras = profile;
    settings.templates.folder = "/t";
    settings.textures.folder = "/x";
    settings.veloras.folder = "/v";

    MessageBoxes messages;
    app->DispatchCommand(cmd::kDownload);
    EXPECT_EQ(test::FileBytes(settings.folders.templates + "sub/a.mtp"), "template");
    EXPECT_EQ(messages.texts, QStringList{"1 downloaded, 0 unchanged, 0 failed."});
}

TEST_F(ExchangeCommandsTest, SendToServerShowsTheThreeLibraries) {
    test::WriteFileBytes(app->Settings().folders.veloras + "d.vld", "design");
    int libraries = 0;
    QString velora;
    test::AnswerNextModal<CSendDlg>([&](CSendDlg* dialog) {
        libraries = dialog->Tree()->topLevelItemCount();
        velora = dialog->Tree()->topLevelItem(2)->child(0)->text(0);
        dialog->accept();
    });
    app->DispatchCommand(cmd::kSendToServer);
    EXPECT_EQ(libraries, 3);
    EXPECT_EQ(velora, "D.vld");
}

}  // namespace
}  // namespace velora
