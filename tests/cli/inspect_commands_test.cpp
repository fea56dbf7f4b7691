// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_fixture.h"
#include "core/model/drawing_model.h"
#include "core/model/model_file.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSet>

#include <memory>

namespace velora::clitest {
namespace {

QImage ReadImage(const QString& path, QByteArray* format = nullptr) {
    QImageReader reader(path);
    if (format) *format = reader.format();
    return reader.read();
}

bool IsWhite(QRgb pixel) { return (pixel & 0xFFFFFF) == 0xFFFFFF; }
bool IsDark(QRgb pixel) { return qGray(pixel) < 64; }

// --- thumbnail ----------------------------------------------------------------

TEST_F(CliTest, ThumbnailWritesTheStoredPreviewUnchanged) {
    const QString file = ImportShapes();
    const QString out = PathOf("preview.jpg");
    const cli::CliResult result = RunTool({"thumbnail", file, "-o", out});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.isEmpty());
    EXPECT_EQ(ReadBytes(out), StoredPreview(StreamOf(ReadBytes(file))));
    QByteArray format;
    const QImage image = ReadImage(out, &format);
    EXPECT_EQ(format, "jpeg");
    EXPECT_EQ(image.size(), ThumbnailSizeFor(220, 60));
}

TEST_F(CliTest, ThumbnailInAnotherFormatIsEncodedAtTheSameSize) {
    const QString file = ImportShapes();
    const QString out = PathOf("preview.png");
    ASSERT_EQ(RunTool({"thumbnail", file, "-o", out}).exitCode, 0);
    QByteArray format;
    const QImage image = ReadImage(out, &format);
    EXPECT_EQ(format, "png");
    EXPECT_EQ(image.size(), ThumbnailSizeFor(220, 60));
}

TEST_F(CliTest, ThumbnailOfAModelWithoutPreviewFails) {
    const QString file = EmptyModelFile("empty.mtp");
    const QString out = PathOf("preview.jpg");
    ExpectFailureNaming(RunTool({"thumbnail", file, "-o", out}), file);
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(CliTest, ThumbnailOfAStreamWithoutSignatureFails) {
    QByteArray stream = StreamOf(ReadBytes(ImportShapes()));
    stream[0] = 'N';
    const QString file = WriteBytes("foreign.mtp", Pack(stream));
    const QString out = PathOf("preview.jpg");
    ExpectFailureNaming(RunTool({"thumbnail", file, "-o", out}), file);
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(CliTest, ThumbnailNeedsAnOutput) {
    ExpectUsageError(RunTool({"thumbnail", ImportShapes()}));
}

// Pictures are written as images only; a name of another kind is usage,
// judged before the file is read.
TEST_F(CliTest, PictureOutputsThatAreNoImagesAreUsage) {
    const QString shapes = ImportShapes();
    const QStringList before = Listing();
    for (const QString& command : {QString("thumbnail"), QString("render")}) {
        for (const char* name : {"picture.mtp", "picture.txt", "picture"}) {
            SCOPED_TRACE((command + " " + name).toStdString());
            ExpectUsageError(RunTool({command, shapes, "-o", PathOf(name)}));
            ExpectUsageError(RunTool({command, PathOf("missing.mtp"), "-o", PathOf(name)}));
        }
    }
    EXPECT_EQ(Listing(), before);
    const cli::CliResult bmp = RunTool({"render", shapes, "-o", PathOf("picture.BMP")});
    EXPECT_EQ(bmp.exitCode, 0) << bmp.err.toStdString();
}

// --- render -----------------------------------------------------------------

// A template whose mask is not the drawing of its curves: a dark block
// where no curve passes, and a triangle that the mask does not show. So a
// picture tells the mask and the curves apart.
class RenderTest : public CliTest {
protected:
    static constexpr QPoint kMaskOnly{5, 5};
    static constexpr QPoint kOnCurve{27, 8};  // on the triangle's top side
    static constexpr QPoint kBackground{2, 25};

    void SetUp() override {
        CliTest::SetUp();
        CDrawingModel model;
        model.SetSize(40, 30);
        MonoBitmap mask(40, 30);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) mask.SetPixel(x, y, !QRect(3, 3, 6, 6).contains(x, y));
        }
        model.SetMaskBitmap(std::move(mask));
        Path triangle;
        const std::vector<PointF> corners{{20, 8}, {34, 8}, {20, 22}};
        triangle.AddLines(corners);
        triangle.CloseFigure();
        model.AddCurve(std::make_unique<CCurve>(triangle, QStringLiteral("Object0")));
        m_file = PathOf("masked.mtp");
        SaveModelFile(model, m_file);
    }

    QImage Render(const QStringList& options) {
        const QString out = PathOf("render.png");
        QFile::remove(out);
        const cli::CliResult result = RunTool(QStringList{"render", m_file, "-o", out} + options);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty());
        QByteArray format;
        const QImage image = ReadImage(out, &format);
        EXPECT_EQ(format, "png");
        EXPECT_EQ(image.size(), QSize(40, 30));
        return image;
    }

    static int DistinctColours(const QImage& image) {
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
        }
        return static_cast<int>(colours.size());
    }

    QString m_file;
};

TEST_F(RenderTest, ExportModeDrawsCurvesButNotTheMask) {
    const QImage image = Render({});
    EXPECT_TRUE(IsWhite(image.pixel(kMaskOnly)));
    EXPECT_TRUE(IsDark(image.pixel(kOnCurve)));
    EXPECT_TRUE(IsWhite(image.pixel(kBackground)));
    // Smooth lines by default: the slanted side is shaded.
    EXPECT_GT(DistinctColours(image), 2);
}

TEST_F(RenderTest, ScreenModeDrawsTheMask) {
    const QImage image = Render({"--screen"});
    EXPECT_TRUE(IsDark(image.pixel(kMaskOnly)));
    EXPECT_TRUE(IsDark(image.pixel(kOnCurve)));
    EXPECT_TRUE(IsWhite(image.pixel(kBackground)));
}

TEST_F(RenderTest, ScreenModeWithoutSmoothLinesShowsOnlyTheMask) {
    const QImage image = Render({"--screen", "--smooth", "off"});
    EXPECT_TRUE(IsDark(image.pixel(kMaskOnly)));
    EXPECT_TRUE(IsWhite(image.pixel(kOnCurve)));
}

TEST_F(RenderTest, ExportModeWithoutSmoothLinesStillDrawsTheCurvesHard) {
    const QImage image = Render({"--smooth", "off"});
    EXPECT_TRUE(IsWhite(image.pixel(kMaskOnly)));
    EXPECT_TRUE(IsDark(image.pixel(kOnCurve)));
    EXPECT_EQ(DistinctColours(image), 2);  // white and the pen, nothing between
    EXPECT_GT(DistinctColours(Render({"--smooth", "on"})), 2);
}

TEST_F(RenderTest, ImageIsTheModelsSizeIn16Bits) {
    const QString out = PathOf("shapes.png");
    ASSERT_EQ(RunTool({"render", ImportShapes(), "-o", out}).exitCode, 0);
    const QImage image = ReadImage(out);
    EXPECT_EQ(image.size(), QSize(220, 60));
    // 5-6-5 pixels: red and blue in steps of 8, green in steps of 4.
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            ASSERT_EQ(qRed(p) >> 3 << 3 | qRed(p) >> 5, qRed(p)) << x << "," << y;
            ASSERT_EQ(qGreen(p) >> 2 << 2 | qGreen(p) >> 6, qGreen(p)) << x << "," << y;
        }
    }
}

TEST_F(RenderTest, BadSmoothValueIsUsage) {
    const QString out = PathOf("render.png");
    ExpectUsageError(RunTool({"render", m_file, "-o", out, "--smooth", "maybe"}));
    EXPECT_FALSE(QFile::exists(out));
    // Usage is judged before any file is read.
    ExpectUsageError(RunTool({"render", PathOf("missing.mtp"), "-o", out, "--smooth", "yes"}));
}

TEST_F(CliTest, RenderOfAModelWithoutSizeFails) {
    const QString file = EmptyModelFile("empty.mtp");
    const QString out = PathOf("render.png");
    ExpectFailureNaming(RunTool({"render", file, "-o", out}), file);
    EXPECT_FALSE(QFile::exists(out));
}

// --- resave -----------------------------------------------------------------

TEST_F(CliTest, ResaveKeepsEveryFieldOfACapturedTemplate) {
    const QString captured = PathOf("captured.mtp");
    ASSERT_EQ(
        RunTool({"capture", ImportShapes(), "-o", captured, "--all", "--area-per-region"}).exitCode,
        0);
    const QString resaved = PathOf("resaved.mtp");
    const cli::CliResult result = RunTool({"resave", captured, "-o", resaved});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty());
    const QJsonObject before = Info(captured, true);
    const QJsonObject after = Info(resaved, true);
    EXPECT_EQ(after["container"]["version"].toInt(), 1);
    EXPECT_EQ(after["container"]["streamLength"].toInteger(), StreamOf(ReadBytes(resaved)).size());
    EXPECT_EQ(before["regions"].toArray().size(), 3);
    EXPECT_EQ(before["areas"].toArray().size(), 3);
    EXPECT_EQ(ModelPart(after), ModelPart(before));
}

TEST_F(CliTest, ResaveReadsAPlainStreamAndWritesAContainer) {
    const QString original = ImportShapes();
    const QString plain = WriteBytes("plain.mtp", StreamOf(ReadBytes(original)));
    const QString resaved = PathOf("resaved.mtp");
    ASSERT_EQ(RunTool({"resave", plain, "-o", resaved}).exitCode, 0);
    const QJsonObject info = Info(resaved);
    EXPECT_EQ(info["container"]["magic"], QJsonValue(true));
    EXPECT_EQ(ModelPart(info), ModelPart(Info(original)));
}

TEST_F(CliTest, ResaveOfAFileWithoutSignatureFailsAndWritesNothing) {
    QByteArray stream = StreamOf(ReadBytes(ImportShapes()));
    stream[3] = '?';
    const QString file = WriteBytes("foreign.mtp", Pack(stream));
    const QString out = PathOf("out.mtp");
    const cli::CliResult result = RunTool({"resave", file, "-o", out});
    ExpectFailureNaming(result, file);
    EXPECT_TRUE(result.err.contains("Wrong file format")) << result.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(CliTest, ResaveIntoAMissingFolderFailsNamingTheOutput) {
    const QString out = PathOf("no/such/folder/out.mtp");
    ExpectFailureNaming(RunTool({"resave", ImportShapes(), "-o", out}), out);
}

}  // namespace
}  // namespace velora::clitest
