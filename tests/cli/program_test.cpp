// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_fixture.h"
#include "core/model/drawing_model.h"
#include "core/model/model_file.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSettings>

namespace velora::clitest {
namespace {

// The real program, run as a batch job runs it.
class ProgramTest : public CliTest {
protected:
    ProgramResult Program(const QStringList& args) const {
        const ProgramResult result = RunProgram(args, m_dir.path());
        EXPECT_FALSE(result.crashed) << args.join(' ').toStdString();
        return result;
    }

    QJsonObject ProgramInfo(const QString& file) const {
        const ProgramResult result = Program({"info", file});
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
        return QJsonDocument::fromJson(result.out.toUtf8()).object();
    }
};

TEST_F(ProgramTest, TemplateIsMadeAndDescribedWithoutADisplay) {
    const ProgramResult import =
        Program({"import", WriteShapesDxf(), "-o", PathOf("shapes.mtp"), "--size", kShapesSize});
    EXPECT_EQ(import.exitCode, 0) << import.err.toStdString();
    // Not a terminal: no progress bar, nothing at all.
    EXPECT_TRUE(import.out.isEmpty());
    EXPECT_TRUE(import.err.isEmpty()) << import.err.toStdString();

    const QJsonObject info = ProgramInfo(PathOf("shapes.mtp"));
    EXPECT_EQ(info["width"].toInt(), 220);
    // A fresh process numbers the curves from 0.
    QStringList curves;
    for (const QJsonValue& curve : info["curves"].toArray()) curves << curve["name"].toString();
    EXPECT_EQ(curves, QStringList({"Object0", "Object1", "Object2"}));

    const ProgramResult capture = Program(
        {"capture", PathOf("shapes.mtp"), "-o", PathOf("all.mtp"), "--all", "--area-per-region"});
    EXPECT_EQ(capture.exitCode, 0) << capture.err.toStdString();
    EXPECT_TRUE(capture.err.isEmpty()) << capture.err.toStdString();
    const QJsonObject captured = ProgramInfo(PathOf("all.mtp"));
    QStringList regions, areas;
    for (const QJsonValue& region : captured["regions"].toArray()) {
        regions << region["name"].toString();
    }
    for (const QJsonValue& area : captured["areas"].toArray()) areas << area["name"].toString();
    EXPECT_EQ(regions, QStringList({"Area0", "Area1", "Area2"}));
    EXPECT_EQ(areas, regions);
}

TEST_F(ProgramTest, ReportIsUtf8WhateverTheLocale) {
    CDrawingModel model;
    model.SetSize(30, 20);
    model.SetTemplateName(QStringLiteral("\u00c9t\u00e9 \u2713"));
    SaveModelFile(model, PathOf("summer.mtp"));
    EXPECT_EQ(ProgramInfo(PathOf("summer.mtp"))["templateName"].toString(),
              model.GetTemplateName());
}

TEST_F(ProgramTest, FailureAndUsageGoToStderrOnly) {
    const ProgramResult failure = Program({"info", PathOf("missing.mtp")});
    EXPECT_EQ(failure.exitCode, 1);
    EXPECT_TRUE(failure.out.isEmpty());
    EXPECT_EQ(failure.err.count('\n'), 1) << failure.err.toStdString();
    EXPECT_TRUE(failure.err.contains("missing.mtp")) << failure.err.toStdString();

    const ProgramResult usage = Program({"paint"});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_TRUE(usage.out.isEmpty());
    EXPECT_TRUE(usage.err.contains("Usage:"));

    const ProgramResult help = Program({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage:"));
    EXPECT_TRUE(help.err.isEmpty());
}

// The output goes where it is named from the folder the tool runs in; the
// desktop program's export folder is neither used nor made.
TEST_F(ProgramTest, ExportIsWrittenRelativeToTheCurrentFolder) {
    {
        QSettings settings(PathOf("config/Orvane/Velora.conf"), QSettings::IniFormat);
        settings.setValue("ExportFolder", PathOf("exports/new/"));
    }
    const QString design = ImportShapes();
    const ProgramResult result = Program({"export", design, "-o", "bare.png"});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, "bare.png\n");
    EXPECT_EQ(QImage(PathOf("bare.png")).size(), QSize(220, 60));
    EXPECT_FALSE(QDir(PathOf("exports")).exists());
}

TEST_F(ProgramTest, VersionNamesTheProgram) {
    const ProgramResult result = Program({"--version"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(
        QRegularExpression("^velora-cli \\d+\\.\\d+(\\.\\d+)*\\n$").match(result.out).hasMatch())
        << result.out.toStdString();
    EXPECT_TRUE(result.err.isEmpty());
    EXPECT_TRUE(Program({"--help"}).out.contains("velora-cli --version"));
}

TEST_F(ProgramTest, DecoderComplaintsStayOffStderr) {
    const QString shapes = ImportShapes();
    ASSERT_EQ(RunTool({"capture", shapes, "-o", shapes, "--all", "--area-per-region"}).exitCode, 0);
    QImage noise(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y) {
        for (int x = 0; x < noise.width(); ++x) noise.setPixel(x, y, qRgb(x * 4, y * 5, x ^ y));
    }
    ASSERT_TRUE(noise.save(PathOf("whole.png")));
    const QByteArray png = ReadBytes("whole.png");
    const QString cut = WriteBytes("cut.png", png.left(png.size() * 3 / 4));

    const ProgramResult result =
        Program({"design", shapes, "-o", PathOf("d.vld"), "--fill-index", "0=" + cut});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err.count('\n'), 1) << result.err.toStdString();
    EXPECT_TRUE(result.err.startsWith("velora-cli: ") && result.err.contains("cut.png"))
        << result.err.toStdString();
}

// The starter library goes into the libraries below the current folder,
// ready to colour; a second run finds everything there and writes nothing.
TEST_F(ProgramTest, StarterFillsEmptyLibrariesOnceAndLeavesThemAloneAfter) {
    const ProgramResult first = Program({"starter"});
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    const QStringList written = first.out.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(written.filter(QRegularExpression("/textures/(Natural|Fabric|Colours)/[^/]+\\.png$"))
                      .size() +
                  written.filter(QRegularExpression("/templates/[^/]+\\.mtp$")).size(),
              written.size())
        << first.out.toStdString();
    for (const QString& path : written) EXPECT_TRUE(QFileInfo(path).isFile()) << path.toStdString();

    QStringList areas;
    for (const QJsonValue& area : ProgramInfo(PathOf("templates/House.mtp"))["areas"].toArray())
        areas << area["name"].toString();
    EXPECT_TRUE(areas.contains("Roof") && areas.contains("Windows"))
        << areas.join(',').toStdString();

    const ProgramResult second = Program({"starter"});
    EXPECT_EQ(second.exitCode, 0);
    EXPECT_TRUE(second.out.isEmpty()) << second.out.toStdString();
    EXPECT_TRUE(second.err.contains(QString::number(written.size()))) << second.err.toStdString();
}

}  // namespace
}  // namespace velora::clitest
