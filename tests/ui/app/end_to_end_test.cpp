// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_fixture.h"
#include "core/model/drawing_model.h"
#include "file_dialog_answer.h"
#include "library_dialog_answer.h"
#include "modal_answer.h"
#include "test_drawings.h"
#include "ui/app/action_table.h"
#include "ui/controls/command_ids.h"
#include "ui/documents/name_dialogs.h"
#include "ui/library/velora_size_dlg.h"
#include "ui/views/area_list_box.h"
#include "ui/views/areas_bar.h"
#include "ui/views/mosvel_template_view.h"

#include <QAction>
#include <QDockWidget>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QTest>
#include <QUndoView>

#include <cmath>

namespace velora {
namespace {

// What the batch tool reports about a file.
QJsonObject CliInfo(const QString& path) {
    QProcess cli;
    cli.start(QStringLiteral(VELORA_CLI_PROGRAM), {QStringLiteral("info"), path});
    EXPECT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
}

QListWidget& AreaListOf(CMainFrame& frame) { return frame.AreasBar()->AreaList(); }

class EndToEndTest : public test::AppFixture {
protected:
    CMosvelTemplateView* ActiveTemplateView() {
        return qobject_cast<CMosvelTemplateView*>(Frame().ActiveFrame()->View());
    }

    // Scrolls the drawing pixel into the window and clicks it.
    void ClickModelPixel(QPoint pixel, Qt::KeyboardModifiers modifiers = {}) {
        CMosvelTemplateView* view = ActiveTemplateView();
        view->SetScrollPosition(
            pixel - QPoint(view->ClientSize().width(), view->ClientSize().height()) / 2);
        // The centring offsets may be halves; the window pixel whose left top
        // lies at or right of the drawing pixel's is the one that hits it.
        const QPoint at = pixel - view->ScrollPosition() +
                          QPoint(static_cast<int>(std::ceil(view->GetOffsetX())),
                                 static_cast<int>(std::ceil(view->GetOffsetY())));
        ASSERT_EQ(view->WindowToModel(at), pixel);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, at);
    }

    void OpenWithTheOpenCommand(const QString& path) {
        test::AnswerFileDialog(path);
        app->DispatchCommand(cmd::kFileOpen);
    }

    // Imports a square with a circle in it and another circle beside, as a
    // template of 420 x 320 pixels.
    void ImportHouse() {
        test::DxfDrawing drawing;
        drawing.Square({0, 0, 100, 100}).Circle({50, 50}, 30).Circle({160, 50}, 40);
        ASSERT_TRUE(drawing.WriteTo(Path("house.dxf")));
        test::AnswerNextModal<CVeloraSizeDlg>([](CVeloraSizeDlg* dialog) {
            const QList<QLineEdit*> edits = dialog->findChildren<QLineEdit*>();
            edits[0]->setText("400");
            edits[1]->setText("300");
            QTest::keyClick(edits[1], Qt::Key_Return);
        });
        OpenWithTheOpenCommand(Path("house.dxf"));
        ASSERT_NE(ActiveTemplateView(), nullptr);
    }

    // Presses the keys in the window, as the user does.
    void Press(QKeyCombination keys) {
        Frame().show();
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        QTest::keyClick(ActiveTemplateView(), keys.key(), keys.keyboardModifiers());
        Frame().UpdateCommandUi();
    }

    QByteArray FileBytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(EndToEndTest, ImportCaptureNameSaveReopenAndCompareWithTheBatchTool) {
    // Open the drawing and answer the size dialog as a user would.
    ImportHouse();
    DocumentBase* document = ActiveDocument();
    EXPECT_EQ(document->GetTitle(), "Template1");
    CDrawingModel& model = document->Model();
    ASSERT_EQ(model.GetWidth(), 420);
    ASSERT_EQ(model.GetHeight(), 320);
    ASSERT_EQ(model.Curves().size(), 3u);

    // The curves come largest first: the square, the big circle, the small
    // one inside the square. Click the ring inside the square and both discs.
    const Rect square = model.Curves()[0]->GetPath().WorldBoundsI();
    const Rect bigCircle = model.Curves()[1]->GetPath().WorldBoundsI();
    const Rect smallCircle = model.Curves()[2]->GetPath().WorldBoundsI();
    ClickModelPixel({square.x + 5, square.y + 5});
    ClickModelPixel({bigCircle.x + bigCircle.width / 2, bigCircle.y + bigCircle.height / 2});
    ClickModelPixel(
        {smallCircle.x + smallCircle.width / 2, smallCircle.y + smallCircle.height / 2});
    ASSERT_EQ(model.Regions().size(), 3u);
    EXPECT_EQ(model.CountSelectedRegions(), 3);

    // One area of all three.
    Frame().UpdateCommandUi();
    ASSERT_TRUE(app->Actions().Action(cmd::kCreateArea)->isEnabled());
    test::AnswerNextModal<CAreaNameDlg>([](CAreaNameDlg* dialog) {
        dialog->SetName("Whole house");
        dialog->accept();
    });
    app->DispatchCommand(cmd::kCreateArea);
    ASSERT_EQ(model.Areas().size(), 1u);

    // Save into the template library, then close.
    const QString saved = app->Settings().folders.templates + "house.mtp";
    test::AnswerLibraryDialog("house.mtp");
    app->DispatchCommand(cmd::kFileSave);
    EXPECT_FALSE(document->IsModified());
    QStringList regionNames;
    for (const auto& region : model.Regions()) regionNames.append(region->GetName());
    app->DispatchCommand(cmd::kFileClose);
    Settle();
    ASSERT_EQ(ActiveDocument(), nullptr);

    // Reopen it as a user would and find everything again.
    OpenWithTheOpenCommand(saved);
    DocumentBase* reopened = ActiveDocument();
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->GetTitle(), "house.mtp");
    const CDrawingModel& again = reopened->Model();
    ASSERT_EQ(again.Areas().size(), 1u);
    EXPECT_EQ(again.Areas()[0].GetName(), "Whole house");
    EXPECT_EQ(again.Areas()[0].Names(), regionNames);
    ASSERT_EQ(again.Regions().size(), 3u);

    // The batch tool reads the same file the same way.
    const QJsonObject info = CliInfo(saved);
    EXPECT_EQ(info["width"].toInt(), again.GetWidth());
    EXPECT_EQ(info["height"].toInt(), again.GetHeight());
    const QJsonArray areas = info["areas"].toArray();
    ASSERT_EQ(areas.size(), 1);
    EXPECT_EQ(areas[0].toObject()["name"].toString(), "Whole house");
    QStringList cliRegionsOfArea;
    for (const QJsonValue& name : areas[0].toObject()["regions"].toArray()) {
        cliRegionsOfArea.append(name.toString());
    }
    EXPECT_EQ(cliRegionsOfArea, regionNames);
    const QJsonArray regions = info["regions"].toArray();
    ASSERT_EQ(regions.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const QRect ours = again.Regions()[i]->GetRegion().boundingRect();
        const QJsonArray bounds = regions[i].toObject()["bounds"].toArray();
        EXPECT_EQ(regions[i].toObject()["name"].toString(), regionNames[i]);
        EXPECT_EQ(bounds[0].toInt(), ours.left());
        EXPECT_EQ(bounds[1].toInt(), ours.top());
    }
    EXPECT_EQ(info["curves"].toArray().size(), 3);
}

// Mistakes taken back from the keyboard and the history: what is saved after
// them is what was saved without them, and the modified mark follows.
TEST_F(EndToEndTest, MistakesAreUndoneFromTheKeyboardAndTheHistory) {
    ImportHouse();
    DocumentBase* document = ActiveDocument();
    CDrawingModel& model = document->Model();
    const Rect square = model.Curves()[0]->GetPath().WorldBoundsI();
    const Rect circle = model.Curves()[1]->GetPath().WorldBoundsI();
    ClickModelPixel({square.x + 5, square.y + 5});
    ClickModelPixel({circle.x + circle.width / 2, circle.y + circle.height / 2});
    test::AnswerNextModal<CAreaNameDlg>([](CAreaNameDlg* dialog) {
        dialog->SetName("Walls");
        dialog->accept();
    });
    app->DispatchCommand(cmd::kCreateArea);
    test::AnswerLibraryDialog("house.mtp");
    app->DispatchCommand(cmd::kFileSave);
    const QString saved = app->Settings().folders.templates + "house.mtp";
    const QByteArray right = FileBytes(saved);
    ASSERT_FALSE(document->IsModified());

    // A plain click in the background captures the space around the drawing.
    ClickModelPixel({2, 2}, Qt::ShiftModifier);
    ASSERT_EQ(model.Regions().size(), 3u);
    EXPECT_TRUE(document->IsModified());
    Frame().UpdateCommandUi();
    EXPECT_EQ(app->Actions().Action(cmd::kEditUndo)->text(), "&Undo Capture region");
    Press(Qt::ControlModifier | Qt::Key_Z);
    EXPECT_EQ(model.Regions().size(), 2u);
    EXPECT_FALSE(document->IsModified()) << "back at the saved state";
    Press(Qt::ControlModifier | Qt::Key_Y);
    EXPECT_EQ(model.Regions().size(), 3u);
    EXPECT_EQ(app->Actions().Action(cmd::kEditUndo)->text(), "&Undo Capture region");

    // The area deleted by mistake, and the history view takes both back.
    AreaListOf(Frame()).setCurrentRow(0);
    app->DispatchCommand(cmd::kDeleteArea);
    ASSERT_TRUE(model.Areas().empty());
    app->DispatchCommand(cmd::kUndoHistory);
    QUndoView* history = Frame().UndoHistory()->findChild<QUndoView*>();
    ASSERT_NE(history, nullptr);
    // The start, two captures, the area, the mistaken capture, the deletion.
    ASSERT_EQ(history->model()->rowCount(), 6);
    history->setCurrentIndex(history->model()->index(3, 0));
    ASSERT_EQ(model.Areas().size(), 1u);
    EXPECT_EQ(model.Regions().size(), 2u);
    EXPECT_FALSE(document->IsModified());
    app->DispatchCommand(cmd::kFileSave);
    EXPECT_EQ(FileBytes(saved), right);
    Press(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z);
    EXPECT_EQ(model.Regions().size(), 3u);
}

}  // namespace
}  // namespace velora
