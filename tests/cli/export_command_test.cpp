// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_fixture.h"
#include "core/common/library_folders.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSettings>

#include <memory>

namespace velora::clitest {
namespace {

// Colours that a JPEG round trip (the design stores area images as JPEG)
// moves by a step or two without leaving their 5-6-5 level.
const QColor kSkyColour(196, 66, 122);
const QColor kSeaColour(36, 202, 84);

// Equal once both are cut to the 16-bit 5-6-5 pixels the design is
// rendered in.
bool SameIn16Bits(QRgb a, QRgb b) {
    return qRed(a) >> 3 == qRed(b) >> 3 && qGreen(a) >> 2 == qGreen(b) >> 2 &&
           qBlue(a) >> 3 == qBlue(b) >> 3;
}

// One design for the whole suite (making it takes an import, two captures
// and a design): the left square is "Sky", the right one "Sea", each filled
// with a texture of one colour; the circle is a region without an area.
class ExportTest : public CliTest {
protected:
    static void SetUpTestSuite() {
        s_folder = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(s_folder->isValid());
        const auto path = [](const QString& name) { return s_folder->filePath(name); };
        const std::string dxf = ShapesDxf();
        QFile drawing(path("shapes.dxf"));
        ASSERT_TRUE(drawing.open(QIODevice::WriteOnly));
        drawing.write(dxf.data(), static_cast<qint64>(dxf.size()));
        drawing.close();
        ASSERT_EQ(
            RunTool({"import", path("shapes.dxf"), "-o", path("shapes.mtp"), "--size", kShapesSize})
                .exitCode,
            0);
        ASSERT_EQ(RunTool({"capture", path("shapes.mtp"), "-o", path("all.mtp"), "--all"}).exitCode,
                  0);
        // Inside the squares' outlines at x 10..50 and 90..130, y 10..50, and
        // the circle's centre (ShapesDxf scaled by 4, moved 10 pixels in).
        s_sky = QRect(11, 11, 39, 39);
        s_sea = QRect(91, 11, 39, 39);
        s_circle = QPoint(190, 30);
        ASSERT_EQ(RunTool({"capture", path("all.mtp"), "-o", path("sky.mtp"), "--at",
                           At(s_sky.center()), "--area", "Sky"})
                      .exitCode,
                  0);
        ASSERT_EQ(RunTool({"capture", path("sky.mtp"), "-o", path("template.mtp"), "--at",
                           At(s_sea.center()), "--area", "Sea"})
                      .exitCode,
                  0);
        for (const auto& [name, colour] :
             {std::pair{"sky.png", kSkyColour}, std::pair{"sea.png", kSeaColour}}) {
            QImage texture(16, 16, QImage::Format_RGB32);
            texture.fill(colour);
            ASSERT_TRUE(texture.save(path(name)));
        }
        s_design = path("design.vld");
        ASSERT_EQ(RunTool({"design", path("template.mtp"), "-o", s_design, "--fill",
                           "Sky=" + path("sky.png"), "--fill", "Sea=" + path("sea.png")})
                      .exitCode,
                  0);
    }

    static void TearDownTestSuite() { s_folder.reset(); }

    // Exports and expects success with the path written printed.
    QImage Export(const QString& name, const QStringList& options = {},
                  QByteArray* format = nullptr) {
        const QString out = PathOf(name);
        const cli::CliResult result = RunTool(QStringList{"export", s_design, "-o", out} + options);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_EQ(result.out, out + "\n");
        EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
        QImageReader reader(out);
        if (format) *format = reader.format();
        const QImage image = reader.read();
        EXPECT_FALSE(image.isNull())
            << name.toStdString() << ": " << reader.errorString().toStdString();
        return image;
    }

    // Expects bad usage or a failure, and that nothing was written.
    void ExpectNothingWritten(const QString& name, const QStringList& options, int exitCode) {
        const QStringList before = Listing();
        const cli::CliResult result =
            RunTool(QStringList{"export", s_design, "-o", PathOf(name)} + options);
        if (exitCode == 2) {
            ExpectUsageError(result);
        } else {
            ExpectFailureNaming(result, name);
        }
        EXPECT_EQ(Listing(), before);
    }

    static inline std::unique_ptr<QTemporaryDir> s_folder;
    static inline QString s_design;
    static inline QRect s_sky;
    static inline QRect s_sea;
    static inline QPoint s_circle;
};

TEST_F(ExportTest, EveryFormatWritesTheDesignsSize) {
    for (const auto& [name, expectedFormat] :
         {std::pair{"out.bmp", "bmp"}, std::pair{"out.gif", "gif"}, std::pair{"out.jpg", "jpeg"},
          std::pair{"out.jpeg", "jpeg"}, std::pair{"out.png", "png"}, std::pair{"out.tif", "tiff"},
          std::pair{"OUT.TIFF", "tiff"}}) {
        SCOPED_TRACE(name);
        QByteArray format;
        EXPECT_EQ(Export(name, {}, &format).size(), QSize(220, 60));
        EXPECT_EQ(format, expectedFormat);
    }
}

TEST_F(ExportTest, EveryFormatWritesTheRequestedSize) {
    for (const char* name : {"out.bmp", "out.gif", "out.jpg", "out.png", "out.tif"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Export(name, {"--size", "57x31"}).size(), QSize(57, 31));
    }
    EXPECT_EQ(Export("big.png", {"--size", "440x120"}).size(), QSize(440, 120));
}

TEST_F(ExportTest, FilledRegionsHaveTheirTexturesColour) {
    const QImage image = Export("colours.png");
    ASSERT_FALSE(image.isNull());
    for (const QPoint inside : {s_sky.center(), s_sky.topLeft() + QPoint(2, 2)}) {
        EXPECT_TRUE(SameIn16Bits(image.pixel(inside), kSkyColour.rgb()))
            << std::hex << image.pixel(inside);
    }
    EXPECT_TRUE(SameIn16Bits(image.pixel(s_sea.center()), kSeaColour.rgb()))
        << std::hex << image.pixel(s_sea.center());
    // The circle's region has no area: export mode leaves it white, as the
    // margin around the drawing.
    EXPECT_EQ(image.pixel(s_circle), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(3, 3), qRgb(255, 255, 255));
    // The outline between them is drawn.
    EXPECT_LT(qGray(image.pixel(s_sky.left() - 1, s_sky.center().y())), 64);
}

TEST_F(ExportTest, JpegQualityChangesTheFile) {
    Export("low.jpg", {"--quality", "5"});
    Export("high.jpg", {"--quality", "100"});
    EXPECT_LT(QFileInfo(PathOf("low.jpg")).size(), QFileInfo(PathOf("high.jpg")).size());
}

TEST_F(ExportTest, JpegTransformationTurnsThePicture) {
    EXPECT_EQ(Export("turned.jpg", {"--transform", "13"}).size(), QSize(60, 220));
    EXPECT_EQ(Export("upside.jpg", {"--transform", "14"}).size(), QSize(220, 60));
    EXPECT_EQ(
        Export("both.jpg", {"--transform", "15", "--quality", "80", "--size", "100x30"}).size(),
        QSize(30, 100));
}

TEST_F(ExportTest, TiffBilevelCompressionGivesOneBitPixels) {
    const QImage image = Export("fax.tif", {"--compression", "4", "--depth", "1"});
    EXPECT_EQ(image.size(), QSize(220, 60));
    EXPECT_EQ(image.depth(), 1);
    const QImage lzw = Export("lzw.tif", {"--compression", "2", "--depth", "24"});
    EXPECT_EQ(lzw.size(), QSize(220, 60));
    EXPECT_GT(lzw.depth(), 1);
}

TEST_F(ExportTest, TiffBilevelCompressionOfColourIsRefused) {
    ExpectNothingWritten("fax.tif", {"--compression", "4", "--depth", "24"}, 1);
    ExpectNothingWritten("fax.tif", {"--compression", "3"}, 1);  // default depth 32
    // A file of that name is left as it was.
    const QString existing = WriteBytes("fax.tif", "earlier export");
    ExpectFailureNaming(
        RunTool({"export", s_design, "-o", existing, "--compression", "4", "--depth", "24"}),
        existing);
    EXPECT_EQ(ReadBytes(existing), "earlier export");
}

TEST_F(ExportTest, OptionsOfAnotherFormatAreUsage) {
    ExpectNothingWritten("out.png", {"--quality", "80"}, 2);
    ExpectNothingWritten("out.bmp", {"--transform", "13"}, 2);
    ExpectNothingWritten("out.tif", {"--quality", "80"}, 2);
    ExpectNothingWritten("out.jpg", {"--compression", "2"}, 2);
    ExpectNothingWritten("out.gif", {"--depth", "8"}, 2);
}

TEST_F(ExportTest, ValuesTheDialogDoesNotOfferAreUsage) {
    ExpectNothingWritten("out.jpg", {"--quality", "101"}, 2);
    ExpectNothingWritten("out.jpg", {"--quality", "-1"}, 2);
    ExpectNothingWritten("out.jpg", {"--quality", "high"}, 2);
    ExpectNothingWritten("out.jpg", {"--transform", "12"}, 2);
    ExpectNothingWritten("out.tif", {"--compression", "7"}, 2);
    ExpectNothingWritten("out.tif", {"--depth", "16"}, 2);
    ExpectNothingWritten("out.xyz", {}, 2);
    ExpectNothingWritten("out", {}, 2);
    ExpectNothingWritten("out.png", {"--size", "big"}, 2);
}

// A size out of range is bad usage said as for a size that is no size.
TEST_F(ExportTest, SizeOutOfRangeIsUsageAndWritesNothing) {
    for (const char* size : {"0x10", "10x-3", "x0", "100001x5"}) {
        SCOPED_TRACE(size);
        ExpectNothingWritten("out.png", {"--size", size}, 2);
        const cli::CliResult result =
            RunTool({"export", s_design, "-o", PathOf("out.png"), "--size", size});
        EXPECT_TRUE(result.err.startsWith(QString("velora-cli export: --size expects WIDTHxHEIGHT, "
                                                  "WIDTHx or xHEIGHT with whole numbers from 1 "
                                                  "to 100000, not \"%1\"")
                                              .arg(size)))
            << result.err.toStdString();
    }
}

// A side left out follows the other as the Export dialog's coupling makes
// it: truncated, and never below one pixel.
TEST_F(ExportTest, SideLeftOutKeepsTheDesignsAspectRatio) {
    // The design is 220 x 60.
    EXPECT_EQ(Export("wide.png", {"--size", "440x"}).size(), QSize(440, 120));
    EXPECT_EQ(Export("tall.png", {"--size", "x30"}).size(), QSize(110, 30));
    EXPECT_EQ(Export("odd.png", {"--size", "100x"}).size(), QSize(100, 27));
    EXPECT_EQ(Export("thin.png", {"--size", "2x"}).size(), QSize(2, 1));
}

// Like every command-line tool's output, a bare name is written in the
// current folder, whatever export folder the desktop program uses.
TEST_F(ExportTest, BareNameIsWrittenInTheCurrentFolder) {
    const QString folder = PathOf("exports/");
    QDir().mkpath(folder);
    {
        QSettings settings(SettingsOrganization(), SettingsApplication());
        settings.setValue("ExportFolder", folder);
    }
    const QString before = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    const cli::CliResult result = RunTool({"export", s_design, "-o", "bare.png"});
    const cli::CliResult nested = RunTool({"export", s_design, "-o", "exports/nested.png"});
    QDir::setCurrent(before);
    QSettings(SettingsOrganization(), SettingsApplication()).clear();
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, "bare.png\n");
    EXPECT_EQ(QImage(PathOf("bare.png")).size(), QSize(220, 60));
    EXPECT_FALSE(QFile::exists(folder + "bare.png"));
    ASSERT_EQ(nested.exitCode, 0) << nested.err.toStdString();
    EXPECT_EQ(QImage(folder + "nested.png").size(), QSize(220, 60));
}

TEST_F(ExportTest, OutputInAMissingFolderIsNamed) {
    const QString out = PathOf("nowhere/out.png");
    ExpectFailureNaming(RunTool({"export", s_design, "-o", out}), out);
}

TEST_F(ExportTest, DesignWithoutSizeIsNamed) {
    const QString out = PathOf("out.png");
    for (const QString& design : {WriteBytes("zero.vld", {}), EmptyModelFile("empty.vld")}) {
        ExpectFailureNaming(RunTool({"export", design, "-o", out}), design);
        ExpectFailureNaming(RunTool({"export", design, "-o", out, "--size", "10x10"}), design);
    }
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(ExportTest, DesignThatCannotBeReadIsNamed) {
    const QString broken = WriteBytes("broken.vld", "akz\x01 not really");
    const QString out = PathOf("out.png");
    ExpectFailureNaming(RunTool({"export", broken, "-o", out}), broken);
    const QString missing = PathOf("missing.vld");
    ExpectFailureNaming(RunTool({"export", missing, "-o", out}), missing);
    ExpectUsageError(RunTool({"export", missing, "-o", out, "--quality", "80"}));
    ExpectUsageError(RunTool({"export", missing, "-o", out, "--size", "wide"}));
    EXPECT_FALSE(QFile::exists(out));
}

}  // namespace
}  // namespace velora::clitest
