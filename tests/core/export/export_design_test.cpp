// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/export_design.h"
#include "codec_readers.h"
#include "core/common/errors.h"
#include "core/common/library_folders.h"
#include "core/model/drawing_model.h"
#include "export_test_images.h"
#include "support/scripted_user.h"

#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <tiffio.h>

namespace velora {
namespace {

// A 2 x 2 checker of two colours that 5-6-5 keeps exactly.
constexpr QRgb kCheckerA = 0xFF848242;  // (132, 130, 66)
constexpr QRgb kCheckerB = 0xFF000000;

QImage CheckerTexture() {
    QImage texture(2, 2, QImage::Format_RGB32);
    texture.setPixel(0, 0, kCheckerA);
    texture.setPixel(1, 1, kCheckerA);
    texture.setPixel(1, 0, kCheckerB);
    texture.setPixel(0, 1, kCheckerB);
    return texture;
}

class ExportDesignTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_saved = CurrentLibraryFolders();
        LibraryFolders folders = m_saved;
        folders.exportFolder = m_dir.path() + QLatin1Char('/');
        SetCurrentLibraryFolders(folders);
        // A 200 x 100 design: the left half one region filled with the
        // checker, the right half plain white background.
        m_model.SetSize(200, 100);
        m_model.SetSmoothLines(false);
        auto region = std::make_unique<CRegionItem>();
        region->AssignRegion(QRegion(0, 0, 100, 100));
        CArea area;
        area.SetName(QStringLiteral("Checker"));
        area.AddName(region->GetName());
        m_model.AddRegion(std::move(region));
        m_model.AddArea(area);
        m_model.SetAreaImage(0, CheckerTexture());
    }
    void TearDown() override { SetCurrentLibraryFolders(m_saved); }

    ExportRequest Request(int width, int height, const QString& name, const Guid& id) const {
        ExportRequest request;
        request.width = width;
        request.height = height;
        request.fileName = name;
        request.encoderId = id;
        return request;
    }
    QStringList Files() const { return QDir(m_dir.path()).entryList(QDir::Files); }

    QTemporaryDir m_dir;
    LibraryFolders m_saved;
    CDrawingModel m_model;
};

TEST_F(ExportDesignTest, RendersInSixteenBitsAtTheDesignsOwnSize) {
    const QImage rendered = RenderForExport(m_model);
    EXPECT_EQ(rendered.format(), QImage::Format_RGB16);
    EXPECT_EQ(rendered.size(), QSize(200, 100));
    EXPECT_EQ(rendered.pixel(0, 0), kCheckerA);
    EXPECT_EQ(rendered.pixel(1, 0), kCheckerB);
    EXPECT_EQ(rendered.pixel(150, 50), qRgb(255, 255, 255));
}

TEST_F(ExportDesignTest, TexturedColoursSurviveHalving) {
    const QString path =
        ExportDesign(m_model, Request(100, 50, QStringLiteral("half.png"), kPngEncoderId));
    EXPECT_EQ(path, m_dir.filePath("half.png"));
    const QImage image(path);
    ASSERT_EQ(image.size(), QSize(100, 50));
    // Each exported pixel covers exactly one checker cell pair: the mean.
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(image.pixel(x, y), qRgb(66, 65, 33)) << x << "," << y;
    }
    EXPECT_EQ(image.pixel(75, 25), qRgb(255, 255, 255));
}

TEST_F(ExportDesignTest, AnEnlargedExportKeepsTheColours) {
    const QString path =
        ExportDesign(m_model, Request(600, 300, QStringLiteral("big.bmp"), kBmpEncoderId));
    const QImage image(path);
    ASSERT_EQ(image.size(), QSize(600, 300));
    EXPECT_EQ(image.pixel(450, 150), qRgb(255, 255, 255));
    // Inside the checker every pixel lies between its two colours.
    for (int x = 0; x < 290; x += 7) {
        const QRgb p = image.pixel(x, 150);
        ASSERT_LE(qRed(p), 132) << x;
        ASSERT_NEAR(qBlue(p) * 2, qRed(p), 2) << x;
    }
}

TEST_F(ExportDesignTest, ANameWithoutFolderGoesToTheExportFolder) {
    EXPECT_EQ(ExportPath(QStringLiteral("export1.bmp")), m_dir.path() + "/export1.bmp");
    EXPECT_EQ(ExportPath(QStringLiteral("/elsewhere/a.bmp")), "/elsewhere/a.bmp");
    EXPECT_THROW(ExportPath(QString()), VeloraError);

    QTemporaryDir other;
    const QString explicitPath = other.filePath("chosen.gif");
    EXPECT_EQ(ExportDesign(m_model, Request(20, 10, explicitPath, kGifEncoderId)), explicitPath);
    EXPECT_TRUE(QFileInfo::exists(explicitPath));
    EXPECT_TRUE(Files().isEmpty());
}

TEST_F(ExportDesignTest, AMissingExportFolderIsMadeForANameWithoutFolder) {
    LibraryFolders folders = CurrentLibraryFolders();
    folders.exportFolder = m_dir.filePath(QStringLiteral("first/run/export/"));
    SetCurrentLibraryFolders(folders);
    const QString path =
        ExportDesign(m_model, Request(20, 10, QStringLiteral("first.png"), kPngEncoderId));
    EXPECT_EQ(path, folders.exportFolder + "first.png");
    EXPECT_EQ(QImage(path).size(), QSize(20, 10));
}

// Progress goes where it is asked to, step by step up to its range; a
// refused export shows none, and without a target nothing is shown.
TEST_F(ExportDesignTest, ProgressIsShownWhereAsked) {
    test::ScriptedUser user;
    m_model.SetUserInterface(&user);
    ExportDesign(m_model, Request(40, 20, QStringLiteral("quiet.png"), kPngEncoderId));
    EXPECT_TRUE(user.progressTexts.isEmpty());

    ExportDesign(m_model, Request(40, 20, QStringLiteral("shown.png"), kPngEncoderId), &user);
    EXPECT_EQ(user.progressTexts, QStringList{"Exporting..."});
    EXPECT_EQ(user.progressSteps, user.progressRange);
    EXPECT_GE(user.progressSteps, 2);

    test::ScriptedUser refused;
    EXPECT_THROW(
        ExportDesign(m_model, Request(0, 20, QStringLiteral("none.png"), kPngEncoderId), &refused),
        VeloraError);
    EXPECT_TRUE(refused.progressTexts.isEmpty());
}

TEST_F(ExportDesignTest, EveryFormatIsWrittenAtTheRequestedSize) {
    const struct {
        const char* name;
        Guid id;
        std::optional<EncoderParameters> parameters;
    } cases[] = {
        {"a.bmp", kBmpEncoderId, std::nullopt},
        {"a.gif", kGifEncoderId, std::nullopt},
        {"a.jpg", kJpegEncoderId, BuildJpegParameters(90, kTransformFlipVertical)},
        {"a.png", kPngEncoderId, std::nullopt},
        {"a.tiff", kTiffEncoderId, BuildTiffParameters(kCompressionLzw, 24)},
    };
    for (const auto& c : cases) {
        ExportRequest request = Request(123, 45, QString::fromLatin1(c.name), c.id);
        request.parameters = c.parameters;
        const QString path = ExportDesign(m_model, request);
        QImageReader reader(path);
        EXPECT_EQ(reader.read().size(), QSize(123, 45)) << c.name;
    }
}

TEST_F(ExportDesignTest, TurnedJpegSwapsWidthAndHeight) {
    ExportRequest request = Request(80, 40, QStringLiteral("turned.jpg"), kJpegEncoderId);
    request.parameters = BuildJpegParameters(90, kTransformRotate270);
    const test::JpegFacts facts = test::ReadJpeg(ExportDesign(m_model, request));
    ASSERT_TRUE(facts.ok);
    EXPECT_EQ(facts.width, 40);
    EXPECT_EQ(facts.height, 80);
    // Turned anticlockwise, the white right half of the design is on top.
    EXPECT_GE(qRed(facts.Pixel(20, 10)), 245);
    EXPECT_LE(qRed(facts.Pixel(20, 70)), 90);
}

TEST_F(ExportDesignTest, BilevelTiffOfADesign) {
    ExportRequest request = Request(64, 32, QStringLiteral("fax.tiff"), kTiffEncoderId);
    request.parameters = BuildTiffParameters(kCompressionCcitt4, 1);
    const test::TiffFacts facts = test::ReadTiff(ExportDesign(m_model, request));
    ASSERT_TRUE(facts.ok);
    EXPECT_EQ(facts.compression, COMPRESSION_CCITTFAX4);
    EXPECT_EQ(facts.bitsPerSample, 1);
    EXPECT_EQ(qRed(facts.Pixel(60, 16)), 255);  // white half stays white
}

TEST_F(ExportDesignTest, BadRequestsAreRefusedBeforeAnythingIsWritten) {
    EXPECT_THROW(ExportDesign(m_model, Request(0, 0, QStringLiteral("a.png"), kPngEncoderId)),
                 VeloraError);
    EXPECT_THROW(ExportDesign(m_model, Request(10, -1, QStringLiteral("a.png"), kPngEncoderId)),
                 VeloraError);
    ExportRequest ccitt = Request(10, 10, QStringLiteral("a.tiff"), kTiffEncoderId);
    ccitt.parameters = BuildTiffParameters(kCompressionCcitt3, 24);
    try {
        ExportDesign(m_model, ccitt);
        ADD_FAILURE() << "CCITT at 24 bits was accepted";
    } catch (const FileError& error) {
        EXPECT_TRUE(error.Message().startsWith(m_dir.filePath("a.tiff") + ": "));
        EXPECT_TRUE(error.Message().contains("CCITT3"));
    }
    EXPECT_TRUE(Files().isEmpty());
}

TEST_F(ExportDesignTest, SizesThatCannotBeAllocatedAreRefusedWithAMessage) {
    try {
        // Rows of 8 GB each: not even a few of them fit.
        CheckExportSize(QSize(2000000000, 2), QSize(200, 100));
        ADD_FAILURE() << "rows of 8 GB were accepted";
    } catch (const VeloraError& error) {
        EXPECT_TRUE(error.Message().contains("2000000000 x 2")) << error.Message().toStdString();
        EXPECT_TRUE(error.Message().contains("too large")) << error.Message().toStdString();
    }
    try {
        CheckExportSize(QSize(0, 5), QSize(200, 100));
        ADD_FAILURE() << "0 x 5 was accepted";
    } catch (const VeloraError& error) {
        EXPECT_TRUE(error.Message().contains("at least 1 pixel")) << error.Message().toStdString();
    }
    EXPECT_NO_THROW(CheckExportSize(QSize(1, 1), QSize(200, 100)));
    // Exports are made a few rows at a time: 3.6 gigapixels need no more
    // memory than their rows.
    EXPECT_NO_THROW(CheckExportSize(QSize(60000, 60000), QSize(200, 100)));
}

TEST_F(ExportDesignTest, AnEmptyDesignHasNothingToExport) {
    CDrawingModel empty;
    EXPECT_THROW(RenderForExport(empty), VeloraError);
    EXPECT_THROW(ExportDesign(empty, Request(10, 10, QStringLiteral("a.png"), kPngEncoderId)),
                 VeloraError);
    EXPECT_TRUE(Files().isEmpty());
}

}  // namespace
}  // namespace velora
