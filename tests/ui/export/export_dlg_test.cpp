// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export/export_dlg.h"
#include "core/export/encoder_table.h"
#include "core/model/model_file.h"
#include "modal_answer.h"
#include "scripted_user.h"
#include "ui/controls/browse_edit.h"
#include "ui/export/export_command.h"
#include "ui/export/options_panels.h"
#include "widget_test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImageReader>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace velora {
namespace {

using test::AnswerNextModal;

class ExportDlgTest : public ::testing::Test {
protected:
    void SelectFormat(CExportDlg& dialog, const QString& text) {
        const int index = dialog.FormatCombo().findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        dialog.FormatCombo().setCurrentIndex(index);
    }

    static std::vector<std::pair<Guid, int32_t>> Values(const EncoderParameters& parameters) {
        std::vector<std::pair<Guid, int32_t>> values;
        for (const EncoderParameter& parameter : parameters.parameter) {
            EXPECT_EQ(parameter.type, kValueTypeLong);
            EXPECT_EQ(parameter.numberOfValues, 1u);
            values.emplace_back(parameter.guid, parameter.value);
        }
        return values;
    }

    test::ScratchFolder m_folder;
    test::LibraryFoldersScope m_folders{{{}, {}, {}, m_folder.Path("export/")}};
    test::ScriptedUser m_user;
};

TEST_F(ExportDlgTest, ProposesTheDesignsNameAndSizeWithTheRememberedChoices) {
    CExportDlg fresh({1000, 500}, "House", {}, m_user);
    EXPECT_EQ(fresh.FileNameEdit().text(), m_folder.Path("export/House.bmp"))
        << "the list starts on BMP";
    EXPECT_EQ(fresh.WidthEdit().value(), 1000);
    EXPECT_EQ(fresh.HeightEdit().value(), 500);
    EXPECT_TRUE(fresh.MaintainAspectRatio().isChecked());

    SelectFormat(fresh, "TIFF");
    fresh.TiffPanel().Choose(kCompressionLzw, 8);
    fresh.MaintainAspectRatio().setChecked(false);
    fresh.JpegPanel().SetQuality(70);
    QSettings settings(m_folder.Path("choices.ini"), QSettings::IniFormat);
    fresh.Choices().Write(settings);

    CExportDlg next({10, 10}, "Fish", ExportChoices::Read(settings), m_user);
    EXPECT_EQ(next.FileNameEdit().text(), m_folder.Path("export/Fish.tiff"));
    EXPECT_EQ(next.FormatCombo().currentText(), "TIFF");
    EXPECT_FALSE(next.MaintainAspectRatio().isChecked());
    EXPECT_EQ(next.JpegPanel().Quality(), 70);
    EXPECT_EQ(std::pair(next.TiffPanel().Compression(), next.TiffPanel().ColorDepth()),
              std::pair(int{kCompressionLzw}, 8));

    settings.setValue("Export/Format", 4);  // EXIF: listed nowhere
    settings.setValue("Export/JpegQuality", 300);
    const ExportChoices odd = ExportChoices::Read(settings);
    EXPECT_EQ(std::pair(odd.format, odd.jpegQuality), std::pair(1, 100));
}

TEST_F(ExportDlgTest, TheFormatsAreListedSortedWithTheirCodes) {
    CExportDlg dialog({10, 10}, "d", {}, m_user);
    QStringList texts;
    QList<int> codes;
    for (int i = 0; i < dialog.FormatCombo().count(); ++i) {
        texts.append(dialog.FormatCombo().itemText(i));
        codes.append(dialog.FormatCombo().itemData(i).toInt());
    }
    EXPECT_EQ(texts,
              QStringList({"BMP", "Graphics Interchange Format (GIF)", "JPEG", "PNG", "TIFF"}));
    EXPECT_EQ(codes, QList<int>({1, 2, 3, 5, 6}));
}

TEST_F(ExportDlgTest, WidthAndHeightKeepTheDesignsProportionsWhileAskedTo) {
    CExportDlg dialog({1000, 500}, "d", {}, m_user);
    dialog.WidthEdit().setValue(400);
    EXPECT_EQ(dialog.HeightEdit().value(), 200);
    dialog.HeightEdit().setValue(333);
    EXPECT_EQ(dialog.WidthEdit().value(), 666);
    dialog.MaintainAspectRatio().setChecked(false);
    dialog.WidthEdit().setValue(100);
    EXPECT_EQ(dialog.HeightEdit().value(), 333);
    dialog.MaintainAspectRatio().setChecked(true);
    EXPECT_EQ(dialog.HeightEdit().value(), 50) << "checking the box fits the height to the width";

    dialog.WidthEdit().clear();
    QTest::keyClicks(&dialog.WidthEdit(), "30");
    EXPECT_EQ(dialog.HeightEdit().value(), 15) << "typing couples at every key";
}

TEST_F(ExportDlgTest, ChangingTheFormatChangesTheExtensionOnly) {
    CExportDlg dialog({10, 10}, "d", {}, m_user);
    dialog.FileNameEdit().setText("/tmp/pictures.old/kitchen.jpg");
    SelectFormat(dialog, "PNG");
    EXPECT_EQ(dialog.FileNameEdit().text(), "/tmp/pictures.old/kitchen.png");
    dialog.FileNameEdit().setText("/tmp/pictures.old/kitchen");
    SelectFormat(dialog, "TIFF");
    EXPECT_EQ(dialog.FileNameEdit().text(), "/tmp/pictures.old/kitchen.tiff");
    SelectFormat(dialog, "Graphics Interchange Format (GIF)");
    EXPECT_EQ(dialog.FileNameEdit().text(), "/tmp/pictures.old/kitchen.gif");
}

TEST_F(ExportDlgTest, OnlyJpegAndTiffHaveAnOptionsPanel) {
    CExportDlg dialog({10, 10}, "d", {}, m_user);
    const auto shown = [&dialog] {
        return std::pair(!dialog.JpegPanel().isHidden(), !dialog.TiffPanel().isHidden());
    };
    EXPECT_EQ(shown(), std::pair(false, false));
    SelectFormat(dialog, "JPEG");
    EXPECT_EQ(shown(), std::pair(true, false));
    SelectFormat(dialog, "TIFF");
    EXPECT_EQ(shown(), std::pair(false, true));
    SelectFormat(dialog, "PNG");
    EXPECT_EQ(shown(), std::pair(false, false));
    EXPECT_FALSE(dialog.Request().parameters.has_value());
    EXPECT_EQ(dialog.Request().encoderId, kPngEncoderId);
}

TEST_F(ExportDlgTest, TheJpegPanelsQualityMovesWithItsSliderAndBuildsTheParameters) {
    CExportDlg dialog({10, 10}, "d", {}, m_user);
    SelectFormat(dialog, "JPEG");
    CJpegOptionsPanel& panel = dialog.JpegPanel();
    EXPECT_EQ(panel.Quality(), 100);
    EXPECT_EQ(panel.QualitySlider().maximum(), 100);
    EXPECT_EQ(panel.QualitySlider().pageStep(), 20);
    EXPECT_EQ(panel.QualitySlider().tickInterval(), 10);
    panel.QualitySlider().triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(panel.Quality(), 80);
    panel.QualityEdit().setValue(55);
    EXPECT_EQ(panel.QualitySlider().value(), 55);

    QStringList transformations;
    for (int i = 0; i < panel.TransformationCombo().count(); ++i) {
        transformations.append(panel.TransformationCombo().itemText(i));
    }
    EXPECT_EQ(transformations, QStringList({"None", "Rotate 90°", "Rotate 180°", "Rotate 270°",
                                            "Flip horizontally", "Flip vertically"}));
    EXPECT_EQ(panel.TransformationCombo().currentText(), "None");
    const ExportRequest plain = dialog.Request();
    EXPECT_EQ(plain.encoderId, kJpegEncoderId);
    ASSERT_TRUE(plain.parameters.has_value());
    EXPECT_EQ(Values(*plain.parameters),
              (std::vector<std::pair<Guid, int32_t>>{{kEncoderQuality, 55}}));

    panel.TransformationCombo().setCurrentText("Rotate 180°");
    EXPECT_EQ(Values(*dialog.Request().parameters),
              (std::vector<std::pair<Guid, int32_t>>{{kEncoderQuality, 55},
                                                     {kEncoderTransformation, 14}}));
}

TEST_F(ExportDlgTest, TheTiffPanelNamesTheEncodersCodesWithTheLastChosen) {
    CExportDlg dialog({10, 10}, "d", {}, m_user);
    SelectFormat(dialog, "TIFF");
    CTiffOptionsPanel& panel = dialog.TiffPanel();
    QList<int> compressions;
    for (int i = 0; i < panel.CompressionCombo().count(); ++i)
        compressions.append(panel.CompressionCombo().itemData(i).toInt());
    EXPECT_EQ(compressions, QList<int>({2, 3, 4, 5, 6}));
    EXPECT_EQ(panel.CompressionCombo().itemText(0), "LZW");
    EXPECT_EQ(panel.CompressionCombo().currentText(), "None");
    EXPECT_EQ(panel.ColorDepthCombo().currentData().toInt(), 32);
    panel.CompressionCombo().setCurrentText("LZW");
    panel.ColorDepthCombo().setCurrentText("8 bits (256 colours)");
    const ExportRequest request = dialog.Request();
    EXPECT_EQ(request.encoderId, kTiffEncoderId);
    EXPECT_EQ(Values(*request.parameters), (std::vector<std::pair<Guid, int32_t>>{
                                               {kEncoderCompression, 2}, {kEncoderColorDepth, 8}}));
}

TEST_F(ExportDlgTest, OkSaysWhatCannotBeWrittenAndStaysOpen) {
    CExportDlg dialog({10, 10}, "d", {}, m_user);
    SelectFormat(dialog, "TIFF");
    dialog.TiffPanel().Choose(kCompressionCcitt4, 32);
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(m_user.messages.size(), 1);
    EXPECT_TRUE(m_user.messages[0].contains("colour depth 1")) << m_user.messages[0].toStdString();
    dialog.TiffPanel().Choose(kCompressionCcitt4, 1);
    m_folder.MakeFolder("export");
    m_folder.WriteText("export/a file", "");
    const QString unwritable[] = {"  ", m_folder.Path("no such folder/fax.tiff"),
                                  m_folder.Path("export/a file/fax.tiff"), m_folder.Path("export")};
    for (const QString& name : unwritable) {
        dialog.FileNameEdit().setText(name);
        dialog.accept();
        EXPECT_NE(dialog.result(), QDialog::Accepted) << name.toStdString();
        EXPECT_TRUE(m_user.messages.last().contains(name.trimmed()))
            << m_user.messages.last().toStdString();
    }
    EXPECT_EQ(m_user.messages.size(), 5);
    EXPECT_EQ(m_folder.Files("export"), QStringList({"a file"})) << "the probe leaves nothing";
    dialog.FileNameEdit().setText("fax.tiff");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Request().fileName, "fax.tiff");
}

class ExportCommandTest : public ExportDlgTest {
protected:
    void SetUp() override {
        m_folder.MakeFolder("export");
        test::WriteDesign(m_folder.Path("design.vld"), {200, 100}, Qt::blue);
        LoadModelFile(m_model, m_folder.Path("design.vld"));
    }

    // Runs the command with the dialog filled in by `fill`.
    bool Export(std::function<void(CExportDlg&)> fill) {
        AnswerNextModal<CExportDlg>([fill](CExportDlg* dialog) {
            fill(*dialog);
            dialog->accept();
        });
        return RunExportCommand(m_model, "design.vld", m_user, nullptr);
    }

    CDrawingModel m_model;
};

TEST_F(ExportCommandTest, WritesTheScaledPictureIntoTheExportFolder) {
    ASSERT_TRUE(Export([this](CExportDlg& dialog) {
        SelectFormat(dialog, "JPEG");
        dialog.WidthEdit().setValue(100);
        dialog.JpegPanel().TransformationCombo().setCurrentText("Rotate 90°");
        dialog.FileNameEdit().setText("kitchen.jpg");
    }));
    QImageReader reader(m_folder.Path("export/kitchen.jpg"));
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(image.size(), QSize(50, 100)) << "100 x 50, turned a quarter";
    EXPECT_GT(image.pixelColor(25, 50).blue(), 150);
    EXPECT_TRUE(m_user.messages.isEmpty());
}

TEST_F(ExportCommandTest, AFailedExportSaysWhyAndLeavesWhatWasThere) {
    AnswerNextModal<CExportDlg>([this](CExportDlg* dialog) {
        SelectFormat(*dialog, "PNG");
        dialog->FileNameEdit().setText(m_folder.Path("export/taken.png"));
        dialog->accept();
        // Something else takes the name between the dialog and the writing.
        m_folder.MakeFolder("export/taken.png/inside");
    });
    EXPECT_FALSE(RunExportCommand(m_model, "design.vld", m_user, nullptr));
    ASSERT_EQ(m_user.messages.size(), 1);
    EXPECT_TRUE(m_user.messages[0].contains("taken.png")) << m_user.messages[0].toStdString();
    EXPECT_TRUE(QFileInfo(m_folder.Path("export/taken.png/inside")).isDir());
}

TEST_F(ExportCommandTest, ADesignWithoutATemplateHasNothingToExport) {
    CDrawingModel empty;
    EXPECT_FALSE(RunExportCommand(empty, "Velora1", m_user, nullptr));
    ASSERT_EQ(m_user.messages.size(), 1);
    EXPECT_TRUE(m_user.messages[0].contains("select a template"));
}

}  // namespace
}  // namespace velora
