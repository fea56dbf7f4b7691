// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_fixture.h"
#include "modal_answer.h"
#include "test_drawings.h"
#include "ui/controls/command_ids.h"

#include <QMessageBox>

#include <QFileInfo>

namespace velora {
namespace {

class SettingsTest : public test::AppFixture {
protected:
    // Without ExitInstance, the program is gone as in a crash.
    void Restart(bool crash = false) {
        if (!crash) app->ExitInstance();
        app.reset();
        Settle();
        app = std::make_unique<CMosvelApp>();
        ASSERT_TRUE(app->InitInstance({}));
    }
};

TEST_F(SettingsTest, FirstStartMakesTheFourLibraryFoldersBelowTheCurrentFolder) {
    const LibraryFolders& folders = app->Settings().folders;
    EXPECT_EQ(folders.templates, Path("templates/"));
    EXPECT_EQ(folders.textures, Path("textures/"));
    EXPECT_EQ(folders.veloras, Path("veloras/"));
    EXPECT_EQ(folders.exportFolder, Path("export/"));
    for (const char* name : {"templates", "textures", "veloras", "export"}) {
        EXPECT_TRUE(QFileInfo(Path(name)).isDir()) << name;
    }
    EXPECT_EQ(CurrentLibraryFolders().templates, folders.templates);
}

TEST_F(SettingsTest, ExitWritesEverythingBackReadableByTheUserOnly) {
    app->Settings().templates.address = "ftp.example.org";
    app->Settings().veloras.password = "secret";
    app->Settings().proxyPort = 3128;
    app->ExitInstance();
    QSettings store(SettingsOrganization(), SettingsApplication());
    EXPECT_EQ(store.value("Address").toString(), "ftp.example.org");
    EXPECT_EQ(store.value("PasswordV").toString(), "secret");
    EXPECT_EQ(store.value("ProxyPort").toInt(), 3128);
    EXPECT_EQ(store.value("TemplatesFolder").toString(), Path("templates/"));
    EXPECT_EQ(QFileInfo(store.fileName()).permissions() &
                  (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
              QFile::Permissions());
}

TEST_F(SettingsTest, StoredValuesAndFolderCaseSurviveARestart) {
    QDir().mkpath(Path("Mixed/Case"));
    app->Settings().folders.templates = Path("Mixed/Case/");
    app->Settings().textures.login = "painter";
    Restart();
    // Linux names are case-sensitive: the folder is used as stored.
    EXPECT_EQ(app->Settings().folders.templates, Path("Mixed/Case/"));
    EXPECT_EQ(app->Settings().textures.login, "painter");
}

TEST_F(SettingsTest, RecentFilesSurviveACrashNewestFirst) {
    test::WriteModelFile(Path("a.mtp"), kTemplateDocument, {10, 10}, "A");
    test::WriteModelFile(Path("b.vld"), kDesignDocument, {10, 10}, "B");
    ASSERT_NE(app->OpenFile(Path("a.mtp")), nullptr);
    ASSERT_NE(app->OpenFile(Path("b.vld")), nullptr);
    Restart(true);
    EXPECT_EQ(app->RecentFiles().Paths(), QStringList({Path("b.vld"), Path("a.mtp")}));
}

TEST_F(SettingsTest, RecentFileThatIsGoneLeavesTheList) {
    test::WriteModelFile(Path("gone.mtp"), kTemplateDocument, {10, 10}, "Gone");
    ASSERT_NE(app->OpenFile(Path("gone.mtp")), nullptr);
    app->Documents().Discard(*ActiveDocument());
    Settle();
    QFile::remove(Path("gone.mtp"));
    test::AnswerNextModal<QMessageBox>([](QMessageBox* box) { box->accept(); });
    app->DispatchCommand(cmd::kFileMruFirst);
    EXPECT_TRUE(app->RecentFiles().Paths().isEmpty());
    EXPECT_EQ(ActiveDocument(), nullptr);
}

TEST_F(SettingsTest, RecentFileOpensAgainFromTheMenu) {
    test::WriteModelFile(Path("again.mtp"), kTemplateDocument, {10, 10}, "Again");
    ASSERT_NE(app->OpenFile(Path("again.mtp")), nullptr);
    app->Documents().Discard(*ActiveDocument());
    Settle();
    ASSERT_EQ(ActiveDocument(), nullptr);
    app->DispatchCommand(cmd::kFileMruFirst);
    ASSERT_NE(ActiveDocument(), nullptr);
    EXPECT_EQ(ActiveDocument()->GetTitle(), "again.mtp");
}

}  // namespace
}  // namespace velora
