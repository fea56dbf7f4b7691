// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_fixture.h"
#include "file_dialog_answer.h"
#include "metafile_test_builder.h"
#include "modal_answer.h"
#include "model_stream_builder.h"
#include "test_drawings.h"
#include "ui/app/about_dlg.h"
#include "ui/app/child_frames.h"
#include "ui/controls/command_ids.h"
#include "ui/controls/notice_bar.h"
#include "ui/library/velora_size_dlg.h"
#include "ui/views/mosvel_view_base.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QStatusBar>

#include <sys/stat.h>

namespace velora {
namespace {

class OpenCommandTest : public test::AppFixture {
protected:
    // The folder the next file dialog starts in; the user goes to another
    // folder and cancels.
    QString FolderOfNextOpenDialog(const QString& goTo) {
        QString folder;
        test::AnswerNextModal<QFileDialog>([&folder, goTo](QFileDialog* dialog) {
            folder = dialog->directory().absolutePath();
            dialog->setDirectory(goTo);
            dialog->reject();
        });
        app->DispatchCommand(cmd::kFileOpen);
        return folder;
    }
    // Opens the file and returns what the message box said, if one came.
    QString OpenAndReadMessage(const QString& path) {
        QString said;
        test::AnswerNextModal<QMessageBox>([&said](QMessageBox* box) {
            said = box->text();
            box->accept();
        });
        EXPECT_EQ(app->OpenFile(path), nullptr);
        Settle();
        return said;
    }
};

TEST_F(OpenCommandTest, OnlyTheFirstOpenDialogStartsInTheTemplatesFolder) {
    const QString templates = QDir(app->Settings().folders.templates).absolutePath();
    const QString exports = QDir(app->Settings().folders.exportFolder).absolutePath();
    EXPECT_EQ(FolderOfNextOpenDialog(exports), templates);
    // Later dialogs start where the user left off.
    EXPECT_EQ(FolderOfNextOpenDialog(templates), exports);
}

TEST_F(OpenCommandTest, OpenDialogOffersTheKnownFormats) {
    QStringList filters;
    test::AnswerNextModal<QFileDialog>([&filters](QFileDialog* dialog) {
        filters = dialog->nameFilters();
        dialog->reject();
    });
    app->DispatchCommand(cmd::kFileOpen);
    ASSERT_EQ(filters.size(), 7);
    const QString drawings(
        "*.dxf *.wmf *.emf *.svg *.svgz *.pdf *.png *.jpg *.jpeg *.tif *.tiff "
        "*.bmp *.gif");
    EXPECT_EQ(filters[0],
              "All available formats(*.mtp *.wmf *.dxf *.vld *.emf *.svg *.svgz *.pdf "
              "*.png *.jpg *.jpeg *.tif *.tiff *.bmp *.gif)");
    EXPECT_EQ(filters[1], "Velora(*.vld)");
    EXPECT_EQ(filters[4], "DXF files(*.dxf)");
    EXPECT_EQ(filters[5], "Drawings (" + drawings + ")");
}

TEST_F(OpenCommandTest, EnhancedMetafileOpensAsATemplate) {
    QFile file(Path("diagram.EMF"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(test::EmfBuilder().Rectangle(10, 10, 60, 40).Build());
    file.close();
    test::AnswerNextModal<CVeloraSizeDlg>([](CVeloraSizeDlg* dialog) { dialog->accept(); });
    DocumentBase* document = app->OpenFile(Path("diagram.EMF"));
    Settle();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->Model().Curves().size(), 1u);
}

// What the drawing held that the template leaves out, and a drawing without
// a closed shape, are said above the template and in the status bar, without
// a box in the way; a drawing that comes in whole says nothing.
TEST_F(OpenCommandTest, ImportSaysWhatItLeftOutWithoutStoppingTheWork) {
    const struct {
        const char* entities;
        const char* said;
    } cases[] = {
        {"0\nTEXT\n1\nhall\n0\nLINE\n10\n0\n11\n5\n0\nPOINT\n",
         "Not imported: 1 TEXT, 1 POINT. No closed shapes were found."},
        {"0\nCIRCLE\n40\n2\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        QFile file(Path("plan.dxf"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("0\nSECTION\n2\nENTITIES\n") + c.entities + "0\nENDSEC\n");
        file.close();
        test::AnswerNextModal<CVeloraSizeDlg>([](CVeloraSizeDlg* dialog) { dialog->accept(); });
        ASSERT_NE(app->OpenFile(Path("plan.dxf")), nullptr);
        Settle();
        const NoticeBar& notice = Frame().ActiveFrame()->View()->Notice();
        EXPECT_EQ(notice.isVisible(), *c.said != 0);
        EXPECT_EQ(notice.Text(), c.said);
        EXPECT_EQ(Frame().statusBar()->currentMessage(), c.said);
        Frame().ActiveFrame()->CloseWithoutAsking();
        Settle();
    }
}

// Diagrams of the shared corpus, written by other programs, each open as a
// template with curves or end in the one message naming the file.
TEST_F(OpenCommandTest, RealMetafilesOpenOrAreRefusedNamingTheFile) {
    const QDir corpus(QStringLiteral(VELORA_SHARED_CORPUS "/metafiles"));
    if (!corpus.exists()) GTEST_SKIP() << "corpus folder absent: " << corpus.path().toStdString();
    const QStringList files = corpus.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    int opened = 0;
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        QString said;
        test::AnswerNextModal<CVeloraSizeDlg>([](CVeloraSizeDlg* dialog) { dialog->accept(); });
        test::AnswerNextModal<QMessageBox>([&said](QMessageBox* box) {
            said = box->text();
            box->accept();
        });
        DocumentBase* document = app->OpenFile(corpus.filePath(name));
        Settle();
        test::ForgetPendingAnswers();
        if (document) {
            ++opened;
            EXPECT_FALSE(document->Model().Curves().empty());
            EXPECT_TRUE(said.isEmpty()) << said.toStdString();
            Frame().ActiveFrame()->CloseWithoutAsking();
            Settle();
        } else {
            EXPECT_TRUE(said.contains(name)) << said.toStdString();
        }
        EXPECT_TRUE(Frame().MdiArea()->subWindowList().isEmpty());
    }
    EXPECT_GT(opened, files.size() / 2);
}

// A file that is not the drawing its name claims, an empty one, or a drawing
// of nothing the template can use ends in one message naming the file and
// the reason, before any size is asked; nothing stays open.
TEST_F(OpenCommandTest, FilesThatAreNoDrawingAreRefusedWithTheReason) {
    const QByteArray readme = "README\n\nThe plans of the house.\n";
    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"readme.dxf", readme, "is not a DXF drawing"},
        {"empty.dxf", "", "is empty"},
        {"words.dxf", "0\nSECTION\n2\nENTITIES\n0\nTEXT\n1\nhall\n0\nENDSEC\n",
         "has no shapes to make a template of (left out: 1 TEXT)"},
        {"readme.emf", readme, "not a valid enhanced metafile"},
        {"empty.wmf", "", "is empty"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile file(Path(c.name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        file.close();
        const QString said = OpenAndReadMessage(Path(c.name));
        EXPECT_TRUE(said.contains(Path(c.name) + ": " + c.reason)) << said.toStdString();
        EXPECT_TRUE(app->Documents().Documents().isEmpty());
        EXPECT_TRUE(Frame().MdiArea()->subWindowList().isEmpty());
    }
}

TEST_F(OpenCommandTest, FileWithoutSignatureSaysWrongFormatAndLeavesNothingOpen) {
    QFile file(Path("fake.mtp"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(2000, 'z'));
    file.close();
    const QString said = OpenAndReadMessage(Path("fake.mtp"));
    EXPECT_FALSE(said.isEmpty());
    EXPECT_TRUE(app->Documents().Documents().isEmpty());
    EXPECT_TRUE(Frame().MdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(app->RecentFiles().Paths().isEmpty());
}

TEST_F(OpenCommandTest, DrawingThatCannotBeReadLeavesNothingOpen) {
    QFile file(Path("broken.wmf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a metafile at all");
    file.close();
    const QString said = OpenAndReadMessage(Path("broken.wmf"));
    EXPECT_TRUE(said.contains("broken.wmf"));
    EXPECT_TRUE(Frame().MdiArea()->subWindowList().isEmpty());
}

// A few bytes describing a drawing beyond any the program makes, and a pipe
// nothing writes to: each ends at once in the one message naming the file
// and the cause, and nothing stays open.
TEST_F(OpenCommandTest, HostileFilesEndInOneMessageNamingTheFileAndTheCause) {
    test::StreamParts parts;
    parts.width = parts.height = 46341;
    QFile file(Path("huge.vld"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(test::ModelStream(parts));
    file.close();
    EXPECT_EQ(OpenAndReadMessage(Path("huge.vld")),
              "Failed to open document.\n\n" + Path("huge.vld") +
                  ": the drawing is 46341 \u00d7 46341 pixels; the largest this program handles "
                  "is 30020 \u00d7 30020");
    ASSERT_EQ(::mkfifo(Path("pipe.mtp").toLocal8Bit().constData(), 0600), 0);
    EXPECT_EQ(
        OpenAndReadMessage(Path("pipe.mtp")),
        "Failed to open document.\n\n" + Path("pipe.mtp") + ": is a pipe, not a regular file");
    EXPECT_TRUE(app->Documents().Documents().isEmpty());
    EXPECT_TRUE(Frame().MdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(app->RecentFiles().Paths().isEmpty());
}

TEST_F(OpenCommandTest, CancelledSizeDialogLeavesAnEmptyModifiedTemplate) {
    test::DxfDrawing().Square({0, 0, 50, 50}).WriteTo(Path("plan.dxf"));
    test::AnswerNextModal<CVeloraSizeDlg>([](CVeloraSizeDlg* dialog) { dialog->reject(); });
    DocumentBase* document = app->OpenFile(Path("plan.dxf"));
    Settle();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->GetTitle(), "Template1");
    EXPECT_TRUE(document->IsModified());
    EXPECT_TRUE(document->Model().Curves().empty());
    EXPECT_TRUE(document->GetPathName().isEmpty());
    EXPECT_EQ(Frame().MdiArea()->subWindowList().size(), 1);
}

TEST_F(OpenCommandTest, NewTemplateCountsApartFromImports) {
    QSettings(SettingsOrganization(), SettingsApplication()).setValue("LastVeloraWidth", 100);
    QSettings(SettingsOrganization(), SettingsApplication()).setValue("LastVeloraHeight", 100);
    app->DispatchCommand(cmd::kNewTemplate);
    EXPECT_EQ(ActiveDocument()->GetTitle(), "Template1");
    app->DispatchCommand(cmd::kNewTemplate);
    EXPECT_EQ(ActiveDocument()->GetTitle(), "Template2");
    test::DxfDrawing().Square({0, 0, 50, 50}).WriteTo(Path("plan.dxf"));
    test::AnswerNextModal<CVeloraSizeDlg>([](CVeloraSizeDlg* dialog) { dialog->accept(); });
    ASSERT_NE(app->OpenFile(Path("plan.dxf")), nullptr);
    EXPECT_EQ(ActiveDocument()->GetTitle(), "Template1");
}

TEST_F(OpenCommandTest, CloseOfAModifiedDocumentAsksAndCancelKeepsIt) {
    app->DispatchCommand(cmd::kNewVelora);
    DocumentBase* document = ActiveDocument();
    document->SetModifiedFlag(true);
    QString asked;
    test::AnswerNextModal<QMessageBox>([&asked](QMessageBox* box) {
        asked = box->text();
        box->button(QMessageBox::Cancel)->click();
    });
    app->DispatchCommand(cmd::kFileClose);
    Settle();
    EXPECT_EQ(asked, "Save changes to Velora1?");
    EXPECT_EQ(ActiveDocument(), document);
    test::AnswerNextModal<QMessageBox>(
        [](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    app->DispatchCommand(cmd::kFileClose);
    Settle();
    EXPECT_EQ(ActiveDocument(), nullptr);
}

TEST_F(OpenCommandTest, ExitAsksForEveryModifiedDocumentAndCancelStops) {
    Frame().show();
    app->DispatchCommand(cmd::kNewVelora);
    ActiveDocument()->SetModifiedFlag(true);
    test::AnswerNextModal<QMessageBox>(
        [](QMessageBox* box) { box->button(QMessageBox::Cancel)->click(); });
    app->DispatchCommand(cmd::kAppExit);
    EXPECT_TRUE(Frame().isVisible());
    test::AnswerNextModal<QMessageBox>(
        [](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    app->DispatchCommand(cmd::kAppExit);
    EXPECT_FALSE(Frame().isVisible());
}

TEST_F(OpenCommandTest, NewWindowShowsTheSameDocumentTwice) {
    app->DispatchCommand(cmd::kNewVelora);
    DocumentBase* document = ActiveDocument();
    app->DispatchCommand(cmd::kWindowNew);
    EXPECT_EQ(document->Views().size(), 2);
    const QList<DocumentFrame*> frames = app->Documents().FramesOf(*document);
    ASSERT_EQ(frames.size(), 2);
    EXPECT_EQ(frames[0]->windowTitle(), "Velora1:1[*]");
    EXPECT_EQ(frames[1]->windowTitle(), "Velora1:2[*]");
    // Closing one of two windows asks nothing, even when modified.
    document->SetModifiedFlag(true);
    Frame().ActiveFrame()->close();
    Settle();
    EXPECT_EQ(document->Views().size(), 1);
    EXPECT_EQ(app->Documents().FramesOf(*document).value(0)->windowTitle(), "Velora1[*]");
}

TEST_F(OpenCommandTest, AboutShowsTheNameAndVersion) {
    QStringList texts;
    QString caption;
    test::AnswerNextModal<CAboutDlg>([&](CAboutDlg* dialog) {
        caption = dialog->windowTitle();
        for (QLabel* label : dialog->findChildren<QLabel*>()) texts.append(label->text());
        dialog->accept();
    });
    app->DispatchCommand(cmd::kAppAbout);
    EXPECT_EQ(caption, "About Orvane Velora");
    EXPECT_TRUE(texts.contains("Orvane Velora Pro - Admin"));
    EXPECT_TRUE(texts.contains("Version 1.0"));
}

}  // namespace
}  // namespace velora
