// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/model_file.h"
#include "document_host.h"
#include "library_dialog_answer.h"
#include "scripted_user.h"
#include "ui/controls/command_ids.h"
#include "ui/documents/mosvel_doc.h"
#include "ui/views/areas_bar.h"
#include "ui/views/mosvel_view.h"
#include "widget_test_support.h"

#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace velora {
namespace {

class DesignDocumentTest : public testing::Test {
protected:
    void SetUp() override { host.Show(); }

    // A template file with one area.
    QString WriteTemplate() {
        CDrawingModel model;
        model.SetDocumentKind(kTemplateDocument);
        model.SetSize(90, 70);
        CArea area;
        area.SetName("Door");
        model.AddArea(area);
        const QString path = folder.filePath("door.mtp");
        SaveModelFile(model, path);
        return path;
    }

    QTemporaryDir folder;
    // The template library is the test's folder.
    test::LibraryFoldersScope libraries{{folder.path() + '/', {}, {}, {}}};
    test::ScriptedUser user;
    CMosvelDoc document{user};
    test::DocumentHost<CMosvelView> host{document};
    CAreasBar* bar = host.bar;
    CMosvelView* view = host.view;
};

TEST_F(DesignDocumentTest, SelectTemplateLoadsItIntoTheDesignAndListsItsAreas) {
    WriteTemplate();
    test::AnswerLibraryDialog("door.mtp");
    document.RunCommand(cmd::kSelectTemplate);
    EXPECT_EQ(document.Model().GetWidth(), 90);
    // The design stays a design, whatever file its template came from.
    EXPECT_EQ(document.Model().GetDocumentKind(), kDesignDocument);
    EXPECT_EQ(view->Image().size(), QSize(90, 70));
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(bar->GetActiveDocument(), &document);
    auto* areas = bar->findChild<QListWidget*>();
    ASSERT_EQ(areas->count(), 1);
    EXPECT_EQ(areas->item(0)->text(), "Door");
}

// The word about textures a new template left out goes with its step: undoing
// the step withdraws it, and so does a step taken after it.
TEST_F(DesignDocumentTest, TheWordAboutLeftOutTexturesGoesWithItsStep) {
    WriteTemplate();
    for (const int next : {cmd::kEditUndo, cmd::kSmoothLines}) {
        SCOPED_TRACE(next);
        CArea textured;
        textured.SetName("Window");
        QImage red(2, 2, QImage::Format_RGB32);
        red.fill(Qt::red);
        textured.SetImage(red);
        document.Model().AddArea(textured);
        QSignalSpy said(&document, &DocumentBase::statusMessage);
        QSignalSpy withdrawn(&document, &DocumentBase::statusWithdrawn);
        test::AnswerLibraryDialog("door.mtp");
        document.RunCommand(cmd::kSelectTemplate);
        ASSERT_EQ(said.size(), 1);
        EXPECT_TRUE(said[0][0].toString().contains("\"Window\""));
        EXPECT_TRUE(withdrawn.isEmpty());
        document.RunCommand(next);
        ASSERT_EQ(withdrawn.size(), 1);
        EXPECT_EQ(withdrawn[0][0], said[0][0]);
    }
}

TEST_F(DesignDocumentTest, CancelledSelectTemplateChangesNothing) {
    test::AnswerLibraryDialog({});
    document.RunCommand(cmd::kSelectTemplate);
    EXPECT_EQ(document.Model().GetWidth(), 0);
    EXPECT_FALSE(document.IsModified());
}

TEST_F(DesignDocumentTest, DamagedTemplateIsReportedAndTheDesignKept) {
    document.Model().SetSize(10, 10);
    QFile file(folder.filePath("bad.mtp"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(300, '\x01'));
    file.close();
    test::AnswerLibraryDialog("bad.mtp");
    document.RunCommand(cmd::kSelectTemplate);
    EXPECT_FALSE(user.messages.isEmpty());
    EXPECT_EQ(document.Model().GetWidth(), 10);
    EXPECT_FALSE(document.IsModified());
}

TEST_F(DesignDocumentTest, SmoothTogglesItsCheckWithoutModifying) {
    CommandUpdate update;
    ASSERT_TRUE(document.UpdateCommand(cmd::kSmoothLines, update));
    EXPECT_TRUE(update.checked);
    document.RunCommand(cmd::kSmoothLines);
    ASSERT_TRUE(document.UpdateCommand(cmd::kSmoothLines, update));
    EXPECT_FALSE(update.checked);
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(view->IsRenderPending());
}

}  // namespace
}  // namespace velora
