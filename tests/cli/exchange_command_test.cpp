// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"
#include "core/common/library_folders.h"
#include "exchange_fixture.h"

#include <QRegularExpression>
#include <QSettings>

#include <gtest/gtest.h>

namespace velora {
namespace {

using test::LocalFtpServerOptions;

// The tool with the server profiles stored as Connection setup stores them.
class ExchangeCommandTest : public test::ExchangeTest {
protected:
    void SetUp() override {
        ExchangeTest::SetUp();
        // Never the keyring of whoever runs the tests.
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/velora-test-bus");
    }
    void TearDown() override { QSettings(SettingsOrganization(), SettingsApplication()).clear(); }

    void StoreProfiles() {
        QSettings settings(SettingsOrganization(), SettingsApplication());
        settings.clear();
        const FtpServer server = m_server->Server();
        for (const char* suffix : {"", "T", "V"}) {
            settings.setValue(QString("Address") + suffix, server.address);
            settings.setValue(QString("Port") + suffix, server.port);
            settings.setValue(QString("Login") + suffix, server.login);
            settings.setValue(QString("Password") + suffix, server.password);
        }
        settings.setValue("Folder", "/t");
        settings.setValue("FolderT", "/x");
        settings.setValue("FolderV", "/v");
        settings.setValue("TemplatesFolder", LibraryPath("templates/"));
        settings.setValue("TexturesFolder", LibraryPath("textures/"));
        settings.setValue("VelorasFolder", LibraryPath("veloras/"));
    }

    static cli::CliResult Run(const QStringList& args) { return cli::RunCli(args, nullptr); }
};

TEST_F(ExchangeCommandTest, DownloadBringsEveryProfileOrTheOneNamed) {
    Put(ServerPath("t/sub/a.mtp"), "a");
    Put(ServerPath("x/stone/wall.jpg"), "wall");
    Put(ServerPath("v/d.vld"), "d");
    ASSERT_NO_FATAL_FAILURE(StartServer());
    StoreProfiles();

    const cli::CliResult textures = Run({"download", "--profile", "textures"});
    ASSERT_EQ(textures.exitCode, 0) << textures.err.toStdString();
    EXPECT_EQ(textures.out, "textures: 1 downloaded, 0 unchanged, 0 failed from 127.0.0.1\n");
    EXPECT_EQ(FilesBelow(LibraryPath()), QStringList{"textures/stone/wall.jpg"});

    const cli::CliResult all = Run({"download"});
    ASSERT_EQ(all.exitCode, 0) << all.err.toStdString();
    EXPECT_EQ(all.out,
              "templates: 1 downloaded, 0 unchanged, 0 failed from 127.0.0.1\n"
              "textures: 0 downloaded, 1 unchanged, 0 failed from 127.0.0.1\n"
              "veloras: 1 downloaded, 0 unchanged, 0 failed from 127.0.0.1\n");
    EXPECT_EQ(FilesBelow(LibraryPath()),
              (QStringList{"templates/sub/a.mtp", "textures/stone/wall.jpg", "veloras/d.vld"}));

    const cli::CliResult again = Run({"download", "--all", "--profile", "veloras"});
    EXPECT_EQ(again.out, "veloras: 1 downloaded, 0 unchanged, 0 failed from 127.0.0.1\n");
}

TEST_F(ExchangeCommandTest, TlsAskedOfAServerWithoutItFailsOnOneClearLine) {
    ASSERT_TRUE(QDir().mkpath(ServerPath("t")));
    ASSERT_NO_FATAL_FAILURE(StartServer());
    StoreProfiles();
    QSettings(SettingsOrganization(), SettingsApplication()).setValue("UseTls", 1);
    const cli::CliResult result = Run({"download", "--profile", "templates"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err,
              "velora-cli: templates: Can't establish connection! 127.0.0.1: the server does not "
              "offer TLS; the server said \"500 Command \"AUTH\" not understood.\"\n");
    // The password never went out in clear text.
    EXPECT_TRUE(m_server->Commands().filter(QRegularExpression("^(USER|PASS)")).isEmpty());
}

TEST_F(ExchangeCommandTest, DownloadNamesEveryFileItPassedOverAndFails) {
    const QString listing = m_dir.filePath("listing.txt");
    test::WriteFileBytes(listing,
                         "-rw-r--r-- 1 a a 1 Jan  1 00:00 ../one\r\n"
                         "-rw-r--r-- 1 a a 1 Jan  1 00:00 two\\three\r\n");
    ASSERT_NO_FATAL_FAILURE(StartServer(LocalFtpServerOptions::Listing(listing)));
    StoreProfiles();
    QSettings(SettingsOrganization(), SettingsApplication()).setValue("Folder", "/");

    const cli::CliResult result = Run({"download", "--profile", "templates"});
    EXPECT_EQ(result.exitCode, 1);
    const QStringList lines = result.err.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << result.err.toStdString();
    EXPECT_TRUE(lines[0].startsWith("velora-cli: ftp://127.0.0.1/../one: "));
    EXPECT_TRUE(lines[1].startsWith("velora-cli: ftp://127.0.0.1/two\\three: "));
}

TEST_F(ExchangeCommandTest, AnUnreachableServerFailsOnOneLineNamingIt) {
    ASSERT_TRUE(QDir().mkpath(ServerPath("t")));
    ASSERT_NO_FATAL_FAILURE(StartServer());
    StoreProfiles();
    QSettings(SettingsOrganization(), SettingsApplication())
        .setValue("PortT", test::UnusedLoopbackPort());
    const cli::CliResult result = Run({"download"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(
        result.err.startsWith("velora-cli: textures: Can't establish connection! 127.0.0.1: "))
        << result.err.toStdString();
    EXPECT_EQ(result.err.count('\n'), 1);
    EXPECT_EQ(result.out,
              "templates: 0 downloaded, 0 unchanged, 0 failed from 127.0.0.1\n"
              "textures: 0 downloaded, 0 unchanged, 0 failed from 127.0.0.1\n");
}

TEST_F(ExchangeCommandTest, SendUploadsTheNamedFilesOrTheWholeLibrary) {
    Put(LibraryPath("templates/Animals/Cat.mtp"), "cat");
    Put(LibraryPath("templates/notes.txt"), "not a template");
    Put(LibraryPath("textures/stone/wall.jpg"), "wall");
    Put(LibraryPath("veloras/d.vld"), "d");
    ASSERT_NO_FATAL_FAILURE(StartServer());
    StoreProfiles();

    const cli::CliResult named =
        Run({"send", LibraryPath("textures/stone"), LibraryPath("veloras/d.vld")});
    ASSERT_EQ(named.exitCode, 0) << named.err.toStdString();
    EXPECT_EQ(named.out,
              "textures: 1 files sent to 127.0.0.1\nveloras: 1 files sent to 127.0.0.1\n");
    EXPECT_EQ(FilesBelow(ServerPath()), (QStringList{"v/d.vld", "x/stone/wall.jpg"}));

    const cli::CliResult library = Run({"send", "--profile", "templates"});
    ASSERT_EQ(library.exitCode, 0) << library.err.toStdString();
    EXPECT_EQ(FilesBelow(ServerPath()),
              (QStringList{"t/Animals/Cat.mtp", "v/d.vld", "x/stone/wall.jpg"}));
}

TEST_F(ExchangeCommandTest, SendRefusesFilesOutsideTheLibrariesBeforeSendingAnything) {
    Put(LibraryPath("templates/a.mtp"), "a");
    Put(m_dir.filePath("elsewhere.mtp"), "b");
    ASSERT_NO_FATAL_FAILURE(StartServer());
    StoreProfiles();
    const cli::CliResult result = Run({"send", LibraryPath("templates/a.mtp"),
                                       m_dir.filePath("elsewhere.mtp"), m_dir.filePath("gone")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "velora-cli: " + m_dir.filePath("elsewhere.mtp") +
                              ": not inside the libraries\nvelora-cli: " + m_dir.filePath("gone") +
                              ": no such file or folder\n");
    EXPECT_TRUE(m_server->Commands().isEmpty());

    const cli::CliResult wrongLibrary =
        Run({"send", "--profile", "veloras", LibraryPath("templates/a.mtp")});
    EXPECT_EQ(wrongLibrary.exitCode, 1);
    EXPECT_TRUE(wrongLibrary.err.endsWith(": not inside the veloras library\n"));
}

TEST_F(ExchangeCommandTest, AFileTheServerRefusesFailsItsLibrary) {
    Put(LibraryPath("templates/clash.mtp"), "a");
    Put(LibraryPath("veloras/d.vld"), "d");
    ASSERT_TRUE(QDir().mkpath(ServerPath("t/clash.mtp")));
    ASSERT_NO_FATAL_FAILURE(StartServer());
    StoreProfiles();
    const cli::CliResult result = Run({"send"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.startsWith("velora-cli: templates: /t/clash.mtp: "))
        << result.err.toStdString();
    EXPECT_EQ(result.out, "veloras: 1 files sent to 127.0.0.1\n");
}

TEST_F(ExchangeCommandTest, AProfileMustBeOneOfTheThree) {
    const cli::CliResult result = Run({"download", "--profile", "fonts"});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.err.contains("--profile expects templates, textures or veloras"));
}

}  // namespace
}  // namespace velora
