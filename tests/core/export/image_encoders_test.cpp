// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/image_encoders.h"
#include "codec_readers.h"
#include "core/common/errors.h"
#include "export_test_images.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <cmath>
#include <csignal>

namespace velora {
namespace {

using test::ChannelDistance;

class ImageEncoders : public ::testing::Test {
protected:
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }
    QStringList Files() const { return QDir(m_dir.path()).entryList(QDir::Files); }
    static QImage ReadWithQt(const QString& path) {
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        return reader.read();
    }
    // The message of the FileError SaveImage throws, or "" when it saves.
    static QString SaveError(const QImage& image, const QString& path, const Guid& id,
                             const EncoderParameters* parameters = nullptr) {
        try {
            SaveImage(image, path, id, parameters);
        } catch (const FileError& error) {
            return error.Message();
        }
        return {};
    }

    // Runs in the child of a death test: exits 0 when the save failed with a
    // message naming the file and left the folder as it was.
    [[noreturn]] void SaveOnAFullDisk(const QString& path, const Guid& id,
                                      const QByteArray& before) const {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16 * 1024, 16 * 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        const QString message = SaveError(test::NoiseImage(600, 400), path, id);
        const bool reported = message.startsWith(path + ": ");
        const bool untouched =
            test::FileBytes(path) == before && Files() == QStringList{"keep.bmp"};
        std::_Exit(reported && untouched ? 0 : 1);
    }

    QTemporaryDir m_dir;
};

int MaxDistance(const QImage& a, const QImage& b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            worst = std::max(worst, ChannelDistance(a.pixel(x, y), b.pixel(x, y)));
        }
    }
    return worst;
}

// --- BMP and PNG -------------------------------------------------------------

TEST_F(ImageEncoders, BmpIs24BitBottomUpWithPaddedRows) {
    const QImage image = test::PatternImage(5, 3);  // 15 bytes a row, padded to 16
    const QString path = PathOf("a.bmp");
    SaveImage(image, path, kBmpEncoderId, nullptr);

    const QByteArray bytes = test::FileBytes(path);
    ASSERT_EQ(bytes.size(), 54 + 16 * 3);
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(qFromLittleEndian<quint32>(data + 2), quint32(bytes.size()));
    EXPECT_EQ(qFromLittleEndian<qint32>(data + 18), 5);
    EXPECT_EQ(qFromLittleEndian<qint32>(data + 22), 3);
    EXPECT_EQ(qFromLittleEndian<quint16>(data + 28), 24);
    EXPECT_EQ(qFromLittleEndian<quint32>(data + 30), 0u);
    // The first stored row is the bottom one, blue first.
    const QRgb bottomLeft = image.pixel(0, 2);
    EXPECT_EQ(data[54], qBlue(bottomLeft));
    EXPECT_EQ(data[56], qRed(bottomLeft));

    const QImage back = ReadWithQt(path);
    ASSERT_EQ(back.size(), image.size());
    EXPECT_EQ(MaxDistance(back, image), 0);
}

TEST_F(ImageEncoders, PngIs8BitRgbAndLossless) {
    const QImage image = test::PatternImage(64, 48);
    const QString path = PathOf("a.png");
    SaveImage(image, path, kPngEncoderId, nullptr);

    const QByteArray bytes = test::FileBytes(path);
    ASSERT_GT(bytes.size(), 33);
    const auto* ihdr = reinterpret_cast<const uchar*>(bytes.constData()) + 16;
    EXPECT_EQ(qFromBigEndian<quint32>(ihdr), 64u);
    EXPECT_EQ(qFromBigEndian<quint32>(ihdr + 4), 48u);
    EXPECT_EQ(ihdr[8], 8);  // bits per channel
    EXPECT_EQ(ihdr[9], 2);  // truecolour
    EXPECT_EQ(MaxDistance(ReadWithQt(path), image), 0);
}

TEST_F(ImageEncoders, PngKeepsAlpha) {
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(qRgba(10, 200, 30, 128));
    const QString path = PathOf("alpha.png");
    SaveImage(image, path, kPngEncoderId, nullptr);
    const QImage back = ReadWithQt(path);
    ASSERT_TRUE(back.hasAlphaChannel());
    EXPECT_EQ(qAlpha(back.pixel(2, 2)), 128);
    EXPECT_EQ(qGreen(back.pixel(2, 2)), 200);
}

TEST_F(ImageEncoders, AnyInputFormatIsAccepted) {
    // Taller than a converted band, so BMP's bottom-up rows cross bands.
    const QImage source = test::PatternImage(37, 101);
    for (QImage::Format format : {QImage::Format_RGB16, QImage::Format_RGB32,
                                  QImage::Format_ARGB32_Premultiplied, QImage::Format_RGBX8888}) {
        const QImage image = source.convertToFormat(format);
        const QString path = PathOf(QStringLiteral("f%1.bmp").arg(int(format)));
        SaveImage(image, path, kBmpEncoderId, nullptr);
        EXPECT_EQ(MaxDistance(ReadWithQt(path), image), 0) << int(format);
    }
}

// --- JPEG ----------------------------------------------------------------------

TEST_F(ImageEncoders, JpegQualitySetsTheQuantisationTables) {
    const QImage image = test::PatternImage(96, 64);
    // The standard luminance DC step 16, scaled as quality asks.
    const struct {
        int quality;
        int dcStep;
    } cases[] = {{0, 255}, {25, 32}, {50, 16}, {90, 3}, {100, 1}};
    qint64 previousSize = 0;
    for (const auto& c : cases) {
        const QString path = PathOf(QStringLiteral("q%1.jpg").arg(c.quality));
        const EncoderParameters block = BuildJpegParameters(c.quality, kTransformFlipVertical);
        SaveImage(image, path, kJpegEncoderId, &block);
        const test::JpegFacts facts = test::ReadJpeg(path);
        ASSERT_TRUE(facts.ok) << c.quality;
        EXPECT_EQ(facts.lumaDcQuant, c.dcStep) << c.quality;
        EXPECT_EQ(facts.components, 3);
        const qint64 size = QFileInfo(path).size();
        EXPECT_GT(size, previousSize) << "quality " << c.quality << " should cost more bytes";
        previousSize = size;
    }
}

TEST_F(ImageEncoders, JpegAtFullQualityIsClose) {
    const QImage image = test::QuadrantImage(64, 64);
    const QString path = PathOf("full.jpg");
    const EncoderParameters block = BuildJpegParameters(100, kTransformFlipVertical);
    SaveImage(image, path, kJpegEncoderId, &block);
    const test::JpegFacts facts = test::ReadJpeg(path);
    ASSERT_TRUE(facts.ok);
    // Away from the edges, where chroma subsampling blurs, colours hold.
    EXPECT_LE(ChannelDistance(facts.Pixel(8, 8), test::kBottomLeft), 4);
    EXPECT_LE(ChannelDistance(facts.Pixel(56, 56), test::kTopRight), 4);
}

TEST_F(ImageEncoders, JpegTransformationsTurnAndFlipThePicture) {
    const QImage image = test::QuadrantImage(64, 32);
    using test::kBottomLeft, test::kBottomRight, test::kTopLeft, test::kTopRight;
    const struct {
        int transformation;
        int width, height;
        QRgb topLeft, topRight, bottomLeft, bottomRight;
    } cases[] = {
        {kTransformRotate90, 32, 64, kBottomLeft, kTopLeft, kBottomRight, kTopRight},
        {kTransformRotate180, 64, 32, kBottomRight, kBottomLeft, kTopRight, kTopLeft},
        {kTransformRotate270, 32, 64, kTopRight, kBottomRight, kTopLeft, kBottomLeft},
        {kTransformFlipHorizontal, 64, 32, kTopRight, kTopLeft, kBottomRight, kBottomLeft},
        {kTransformFlipVertical, 64, 32, kBottomLeft, kBottomRight, kTopLeft, kTopRight},
    };
    for (const auto& c : cases) {
        const QString path = PathOf(QStringLiteral("t%1.jpg").arg(c.transformation));
        const EncoderParameters block = BuildJpegParameters(95, c.transformation);
        SaveImage(image, path, kJpegEncoderId, &block);
        const test::JpegFacts facts = test::ReadJpeg(path);
        ASSERT_TRUE(facts.ok);
        ASSERT_EQ(facts.width, c.width) << c.transformation;
        ASSERT_EQ(facts.height, c.height) << c.transformation;
        const int w = facts.width, h = facts.height;
        EXPECT_LE(ChannelDistance(facts.Pixel(w / 4, h / 4), c.topLeft), 12) << c.transformation;
        EXPECT_LE(ChannelDistance(facts.Pixel(3 * w / 4, h / 4), c.topRight), 12)
            << c.transformation;
        EXPECT_LE(ChannelDistance(facts.Pixel(w / 4, 3 * h / 4), c.bottomLeft), 12)
            << c.transformation;
        EXPECT_LE(ChannelDistance(facts.Pixel(3 * w / 4, 3 * h / 4), c.bottomRight), 12)
            << c.transformation;
        EXPECT_EQ(ReadWithQt(path).size(), QSize(c.width, c.height));
    }
}

TEST_F(ImageEncoders, JpegTurnsImagesOfOtherFormats) {
    const QImage image = test::QuadrantImage(48, 16, QImage::Format_RGB16);
    const QString path = PathOf("turned.jpg");
    const EncoderParameters block = BuildJpegParameters(95, kTransformRotate90);
    SaveImage(image, path, kJpegEncoderId, &block);
    const test::JpegFacts facts = test::ReadJpeg(path);
    ASSERT_TRUE(facts.ok);
    EXPECT_EQ(facts.width, 16);
    EXPECT_EQ(facts.height, 48);
    EXPECT_LE(ChannelDistance(facts.Pixel(4, 4), test::kBottomLeft), 12);
}

// --- GIF -------------------------------------------------------------------------

TEST_F(ImageEncoders, GifIsAn8BitPaletteImage) {
    const QImage image = test::QuadrantImage(40, 20);
    const QString path = PathOf("a.gif");
    SaveImage(image, path, kGifEncoderId, nullptr);
    const test::GifFacts facts = test::ReadGif(path);
    ASSERT_TRUE(facts.ok);
    EXPECT_EQ(facts.width, 40);
    EXPECT_EQ(facts.height, 20);
    EXPECT_EQ(facts.imageCount, 1);
    EXPECT_EQ(facts.colorCount, 256);
    EXPECT_EQ(facts.bitsPerPixel, 8);
    // Four colours fit the palette exactly: no dithering noise.
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) {
            ASSERT_LE(ChannelDistance(facts.Pixel(x, y), image.pixel(x, y)), 1) << x << "," << y;
        }
    }
    EXPECT_EQ(ReadWithQt(path).size(), QSize(40, 20));
}

TEST_F(ImageEncoders, GifDitheringKeepsTheLocalMeanOfManyColours) {
    const QImage image = test::PatternImage(256, 128);
    const QString path = PathOf("many.gif");
    SaveImage(image, path, kGifEncoderId, nullptr);
    const test::GifFacts facts = test::ReadGif(path);
    ASSERT_TRUE(facts.ok);
    // Over 8 x 8 blocks the dots average out to the source closely even where
    // single pixels differ.
    double blockError = 0, pixelError = 0;
    int blocks = 0;
    for (int by = 0; by < 128; by += 8) {
        for (int bx = 0; bx < 256; bx += 8) {
            double sum[2][3] = {};
            for (int y = by; y < by + 8; ++y) {
                for (int x = bx; x < bx + 8; ++x) {
                    const QRgb a = image.pixel(x, y), b = facts.Pixel(x, y);
                    const int sa[3] = {qRed(a), qGreen(a), qBlue(a)};
                    const int sb[3] = {qRed(b), qGreen(b), qBlue(b)};
                    for (int c = 0; c < 3; ++c) {
                        sum[0][c] += sa[c];
                        sum[1][c] += sb[c];
                        pixelError += std::abs(sa[c] - sb[c]);
                    }
                }
            }
            for (int c = 0; c < 3; ++c) {
                const double error = std::abs(sum[0][c] - sum[1][c]) / 64;
                blockError += error;
            }
            ++blocks;
        }
    }
    blockError /= blocks * 3;
    pixelError /= 256 * 128 * 3;
    EXPECT_LT(blockError, 2.5);
    EXPECT_LT(blockError, pixelError / 4);
}

// --- atomic writing and failures ---------------------------------------------------

TEST_F(ImageEncoders, ASaveReplacesAnExistingFileAndLeavesNoTemporaryFile) {
    const QString path = PathOf("same.png");
    SaveImage(test::PatternImage(8, 8), path, kPngEncoderId, nullptr);
    SaveImage(test::QuadrantImage(10, 6), path, kPngEncoderId, nullptr);
    EXPECT_EQ(ReadWithQt(path).size(), QSize(10, 6));
    EXPECT_EQ(Files(), QStringList{"same.png"});
}

TEST_F(ImageEncoders, RefusedRequestsWriteNothingAndNameTheFile) {
    const QString path = PathOf("refused.tiff");
    const EncoderParameters block = BuildTiffParameters(kCompressionCcitt3, 24);
    const QString message = SaveError(test::PatternImage(8, 8), path, kTiffEncoderId, &block);
    EXPECT_TRUE(message.startsWith(path + ": ")) << message.toStdString();
    EXPECT_TRUE(message.contains("CCITT3")) << message.toStdString();
    EXPECT_TRUE(Files().isEmpty());

    EXPECT_TRUE(
        SaveError(QImage(), PathOf("null.png"), kPngEncoderId).startsWith(PathOf("null.png")));
    EXPECT_FALSE(SaveError(test::PatternImage(4, 4), PathOf("x.png"), Guid{}).isEmpty());
    EXPECT_TRUE(Files().isEmpty());
}

TEST_F(ImageEncoders, AFolderThatDoesNotExistIsReported) {
    const QString path = PathOf("missing/a.png");
    const QString message = SaveError(test::PatternImage(4, 4), path, kPngEncoderId);
    EXPECT_TRUE(message.startsWith(path + ": ")) << message.toStdString();
    EXPECT_GT(message.size(), path.size() + 2);
}

// A disk that fills up halfway: the file size limit makes every write past
// 16 KB fail, in a child process so the limit does not outlive the test.
TEST_F(ImageEncoders, AFailedSaveLeavesTheExistingFileUntouched) {
    const QString path = PathOf("keep.bmp");
    const QImage small = test::QuadrantImage(8, 8);
    SaveImage(small, path, kBmpEncoderId, nullptr);
    const QByteArray before = test::FileBytes(path);

    // The quantiser's OpenMP threads do not survive a plain fork.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const Guid& id :
         {kBmpEncoderId, kPngEncoderId, kJpegEncoderId, kTiffEncoderId, kGifEncoderId}) {
        EXPECT_EXIT(SaveOnAFullDisk(path, id, before), ::testing::ExitedWithCode(0), "")
            << FindEncoder(id)->formatName.toStdString();
    }
}

}  // namespace
}  // namespace velora
