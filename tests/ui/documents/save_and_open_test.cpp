// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/drawing_model.h"
#include "core/model/model_file.h"
#include "file_dialog_answer.h"
#include "library_dialog_answer.h"
#include "scripted_user.h"
#include "ui/documents/mosvel_doc.h"
#include "ui/documents/mosvel_template_doc.h"
#include "widget_test_support.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace velora {
namespace {

class SaveAndOpenTest : public testing::Test {
protected:
    QString Path(const QString& name) const { return folder.filePath(name); }

    void WriteBytes(const QString& name, const QByteArray& bytes) {
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // A template with one named area, modified.
    void Fill(DocumentBase& document) {
        document.Model().SetSize(30, 20);
        document.Model().SetTemplateName("Kept");
        CArea area;
        area.SetName("Sky");
        document.Model().AddArea(area);
        document.SetModifiedFlag(true);
    }

    QTemporaryDir folder;
    // Both libraries are the test's folder.
    test::LibraryFoldersScope libraries{
        {folder.path() + '/', folder.path() + '/', folder.path() + '/', folder.path() + '/'}};
    test::ScriptedUser user;
};

TEST_F(SaveAndOpenTest, UnmodifiedDocumentClosesWithoutAsking) {
    CMosvelDoc document(user);
    EXPECT_TRUE(document.SaveModified());
    EXPECT_TRUE(user.messages.isEmpty());
}

TEST_F(SaveAndOpenTest, PromptNamesThePathTheTitleOrUntitled) {
    QStringList asked;
    // The scripted user keeps no question texts: this one records them.
    struct AskingUser : test::ScriptedUser {
        QStringList* asked;
        Answer AskYesNoCancel(const QString& text) override {
            asked->append(text);
            return Answer::No;
        }
    } asking;
    asking.asked = &asked;
    CMosvelTemplateDoc named(asking);
    named.SetModifiedFlag(true);
    EXPECT_TRUE(named.SaveModified());
    named.SetTitle("Template3");
    EXPECT_TRUE(named.SaveModified());
    WriteBytes("sea.mtp", {});
    named.SetPathName(Path("sea.mtp"));
    EXPECT_TRUE(named.SaveModified());
    EXPECT_EQ(asked, QStringList({"Save changes to Untitled?", "Save changes to Template3?",
                                  QStringLiteral("Save changes to %1?").arg(Path("sea.mtp"))}));
}

TEST_F(SaveAndOpenTest, CancelKeepsTheDocumentOpen) {
    CMosvelDoc document(user);
    document.SetModifiedFlag(true);
    user.answers = {Answer::Cancel};
    EXPECT_FALSE(document.SaveModified());
    EXPECT_TRUE(document.IsModified());
}

TEST_F(SaveAndOpenTest, YesThenCancelledLibraryDialogKeepsTheDocumentOpen) {
    CMosvelTemplateDoc document(user);
    Fill(document);
    user.answers = {Answer::Yes};
    test::AnswerLibraryDialog({});
    EXPECT_FALSE(document.SaveModified());
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(document.GetPathName().isEmpty());
}

TEST_F(SaveAndOpenTest, YesWritesTheFileAndLetsTheDocumentClose) {
    CMosvelTemplateDoc document(user);
    Fill(document);
    user.answers = {Answer::Yes};
    test::AnswerLibraryDialog("kept.mtp");
    EXPECT_TRUE(document.SaveModified());
    EXPECT_FALSE(document.IsModified());
    CDrawingModel reread;
    LoadModelFile(reread, Path("kept.mtp"));
    EXPECT_EQ(reread.GetTemplateName(), "Kept");
    ASSERT_EQ(reread.Areas().size(), 1u);
    EXPECT_EQ(reread.Areas()[0].GetName(), "Sky");
}

TEST_F(SaveAndOpenTest, FailedSaveKeepsTheDocumentOpenAndSaysWhy) {
    CMosvelDoc document(user);
    Fill(document);
    // The folder of the path does not exist.
    document.SetPathName(Path("missing/folder/x.vld"));
    document.SetModifiedFlag(true);
    user.answers = {Answer::Yes};
    EXPECT_FALSE(document.SaveModified());
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(user.messages, QStringList({"Invalid filename."}));
}

TEST_F(SaveAndOpenTest, SaveIntoAnUnwritableFileReportsFailedToSave) {
    CMosvelDoc document(user);
    Fill(document);
    // A folder that takes no new files, whoever runs the test.
    EXPECT_FALSE(document.OnSaveDocument(QStringLiteral("/proc/velora-test.vld")));
    ASSERT_EQ(user.messages.size(), 1);
    EXPECT_TRUE(user.messages[0].startsWith("Failed to save document."));
    EXPECT_TRUE(document.IsModified());
}

TEST_F(SaveAndOpenTest, SaveOfANewDocumentAsksForThePathAndTakesTheFilesName) {
    CMosvelDoc document(user);
    document.SetTitle("Velora4");
    Fill(document);
    QSignalSpy recent(&document, &DocumentBase::pathAdded);
    test::AnswerLibraryDialog("first.vld");
    EXPECT_TRUE(document.DoFileSave());
    EXPECT_EQ(document.GetPathName(), Path("first.vld"));
    EXPECT_EQ(document.GetTitle(), "first.vld");
    EXPECT_EQ(recent.count(), 0);
    EXPECT_TRUE(QFile::exists(Path("first.vld")));
    // With a path, Save writes without asking.
    document.SetModifiedFlag(true);
    EXPECT_TRUE(document.DoFileSave());
    EXPECT_FALSE(document.IsModified());
}

TEST_F(SaveAndOpenTest, SaveAsWritesTheNewPathAndTakesItsNameUnlessCancelled) {
    CMosvelDoc document(user);
    document.SetTitle("Velora9");
    Fill(document);
    test::AnswerLibraryDialog("copy.vld");
    EXPECT_TRUE(document.DoFileSaveAs());
    EXPECT_EQ(document.GetPathName(), Path("copy.vld"));
    EXPECT_EQ(document.GetTitle(), "copy.vld");
    EXPECT_TRUE(QFile::exists(Path("copy.vld")));
    test::AnswerLibraryDialog({});
    EXPECT_FALSE(document.DoFileSaveAs());
    EXPECT_EQ(document.GetPathName(), Path("copy.vld"));
    EXPECT_EQ(document.GetTitle(), "copy.vld");
}

TEST_F(SaveAndOpenTest, FileWithoutTheModelSignatureDoesNotOpen) {
    WriteBytes("wrong.vld", QByteArray(4096, 'x'));
    CMosvelDoc document(user);
    EXPECT_FALSE(document.OnOpenDocument(Path("wrong.vld")));
    EXPECT_FALSE(user.messages.isEmpty());
}

TEST_F(SaveAndOpenTest, DamagedFileSaysFailedToOpenAndLeavesTheModel) {
    CMosvelTemplateDoc source(user);
    Fill(source);
    ASSERT_TRUE(source.OnSaveDocument(Path("good.mtp")));
    QFile file(Path("good.mtp"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    bytes.truncate(bytes.size() / 2);
    WriteBytes("cut.mtp", bytes);
    CMosvelTemplateDoc document(user);
    user.messages.clear();
    EXPECT_FALSE(document.OnOpenDocument(Path("cut.mtp")));
    ASSERT_FALSE(user.messages.isEmpty());
    EXPECT_TRUE(user.messages.last().startsWith("Failed to open document."));
    EXPECT_TRUE(document.Model().Areas().empty());
}

TEST_F(SaveAndOpenTest, EmptyFileOpensAsAnEmptyUnmodifiedDocument) {
    WriteBytes("empty.vld", {});
    CMosvelDoc document(user);
    EXPECT_TRUE(document.OnOpenDocument(Path("empty.vld")));
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.Model().GetWidth(), 0);
}

TEST_F(SaveAndOpenTest, SavedTemplateReadsBackWhole) {
    CMosvelTemplateDoc source(user);
    Fill(source);
    ASSERT_TRUE(source.OnSaveDocument(Path("round.mtp")));
    CMosvelTemplateDoc copy(user);
    ASSERT_TRUE(copy.OnOpenDocument(Path("round.mtp")));
    EXPECT_EQ(copy.Model().GetTemplateName(), "Kept");
    EXPECT_EQ(copy.Model().GetWidth(), 30);
    EXPECT_EQ(copy.Model().Areas().size(), 1u);
    EXPECT_EQ(copy.Model().GetDocumentKind(), kTemplateDocument);
    EXPECT_FALSE(copy.IsModified());
}

}  // namespace
}  // namespace velora
