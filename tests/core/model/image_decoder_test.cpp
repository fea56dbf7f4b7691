// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/image_decoder.h"

#include "area_image_support.h"
#include "core/archive/archive.h"
#include "model_stream_support.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QtEndian>

#include <gtest/gtest.h>

namespace velora {
namespace {

using test::Encode;
using test::Solid;

QImage Decode(const QByteArray& bytes, ImageFormats formats, QString* reason = nullptr) {
    return DecodeImage(AsBytes(bytes), formats, reason);
}

// A JPEG of the image with an orientation tag (6: turn a quarter to the
// right) put in front of its first segment.
QByteArray RotatedJpeg(const QImage& image) {
    const QByteArray jpeg = Encode(image);
    QByteArray tiff("II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0", 26);
    const QByteArray exif = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1\0\0", 4);
    qToBigEndian<quint16>(static_cast<quint16>(exif.size() + 2), segment.data() + 2);
    return jpeg.left(2) + segment + exif + jpeg.mid(2);
}

// A BMP header declaring width x height pixels of 24 bits, with no pixels.
QByteArray BmpHeader(qint32 width, qint32 height) {
    QByteArray bmp(54, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    qToLittleEndian<quint32>(54, bmp.data() + 10);
    qToLittleEndian<quint32>(40, bmp.data() + 14);
    qToLittleEndian<qint32>(width, bmp.data() + 18);
    qToLittleEndian<qint32>(height, bmp.data() + 22);
    qToLittleEndian<quint16>(1, bmp.data() + 26);
    qToLittleEndian<quint16>(24, bmp.data() + 28);
    qToLittleEndian<quint32>(static_cast<quint32>(bmp.size()), bmp.data() + 2);
    return bmp;
}

TEST(ImageDecoderTest, OrientationTagsAreIgnoredForEveryUse) {
    const QByteArray jpeg = RotatedJpeg(Solid(64, 48, qRgb(200, 10, 10)));
    {
        // The tag is really there: Qt's reader turns the image when asked to.
        QBuffer buffer;
        buffer.setData(jpeg);
        QImageReader reader(&buffer);
        reader.setAutoTransform(true);
        ASSERT_EQ(reader.read().size(), QSize(48, 64));
    }
    EXPECT_EQ(Decode(jpeg, ImageFormats::Stored).size(), QSize(64, 48));
    EXPECT_EQ(Decode(jpeg, ImageFormats::Any).size(), QSize(64, 48));
}

TEST(ImageDecoderTest, GreyJpegStaysGreyWithTheGenericReadersPixels) {
    QImage grey(24, 8, QImage::Format_Grayscale8);
    for (int y = 0; y < grey.height(); ++y) {
        for (int x = 0; x < grey.width(); ++x) grey.setPixel(x, y, qRgb(x * 10, x * 10, x * 10));
    }
    const QByteArray jpeg = Encode(grey);
    const QImage decoded = Decode(jpeg, ImageFormats::Any);
    ASSERT_EQ(decoded.format(), QImage::Format_Grayscale8);
    QImage generic;
    ASSERT_TRUE(generic.loadFromData(jpeg, "jpeg"));
    EXPECT_EQ(decoded, generic.convertToFormat(QImage::Format_Grayscale8));
}

// A texture may be as large as the largest drawing; one pixel more is
// refused from the header alone, with the size in the reason.
TEST(ImageDecoderTest, ImagesBeyondTheLargestDrawingAreRefusedWithTheirSize) {
    for (const ImageFormats formats : {ImageFormats::Stored, ImageFormats::Any}) {
        for (const QByteArray& header :
             {BmpHeader(kMaxModelSide + 1, 2), test::JpegDeclaring(2, kMaxModelSide + 1)}) {
            QString reason;
            EXPECT_TRUE(Decode(header, formats, &reason).isNull());
            EXPECT_TRUE(reason.startsWith("the image is too large (")) << reason.toStdString();
            EXPECT_TRUE(reason.endsWith("pixels; at most 30020 x 30020)")) << reason.toStdString();
        }
    }
}

// A few bytes may claim an image of 16 M pixels at most; beyond that every
// 8192 pixels need a byte. The bytes here hold no pixels: an accepted header
// fails later for the missing data, or decodes as far as there is any.
TEST(ImageDecoderTest, LargeImagesNeedBytesEnoughToHoldThem) {
    const auto reasonFor = [](const QByteArray& bytes) {
        QString reason;
        const QImage image = Decode(bytes, ImageFormats::Any, &reason);
        EXPECT_EQ(image.isNull(), !reason.isEmpty());
        return reason;
    };
    EXPECT_FALSE(reasonFor(BmpHeader(4096, 4096)).contains("claims"));
    EXPECT_EQ(reasonFor(BmpHeader(4096, 4097)),
              "the image claims 4096 x 4097 pixels, more than its 54 bytes can hold");
    // 4097 x 4097 pixels need 16785409 / 8192 = 2049 bytes.
    EXPECT_FALSE(reasonFor(BmpHeader(4097, 4097).leftJustified(2049, '\0')).contains("claims"));
    EXPECT_EQ(reasonFor(BmpHeader(4097, 4097).leftJustified(2048, '\0')),
              "the image claims 4097 x 4097 pixels, more than its 2048 bytes can hold");
    EXPECT_TRUE(reasonFor(test::JpegDeclaring(30000, 30000)).startsWith("the image claims"));
}

// Qt's readers stop at 128 MB by default (a 5800 x 5800 picture); a texture
// of that size decodes.
TEST(ImageDecoderTest, TexturesBeyondQtsDefaultLimitDecode) {
    const QByteArray png = Encode(Solid(5800, 5800, qRgb(10, 200, 30)), "png");
    const QImage image = Decode(png, ImageFormats::Any);
    ASSERT_EQ(image.size(), QSize(5800, 5800));
    EXPECT_EQ(image.pixel(5799, 5799), qRgb(10, 200, 30));
}

TEST(ImageDecoderTest, ProbeTellsTheSizeTheDecoderWouldMake) {
    const QByteArray png = Encode(Solid(9, 7, qRgb(1, 2, 3)), "png");
    EXPECT_EQ(ProbeImageSize(AsBytes(png), ImageFormats::Stored), QSize(9, 7));
    EXPECT_EQ(ProbeImageSize(AsBytes(Encode(Solid(5, 3, 0))), ImageFormats::Stored), QSize(5, 3));
    // Sizes the decoder refuses, and formats it does not store, take nothing.
    EXPECT_FALSE(ProbeImageSize(AsBytes(BmpHeader(4096, 4097)), ImageFormats::Any).isValid());
    const QByteArray webp = Encode(Solid(6, 4, 0), "webp");
    EXPECT_FALSE(ProbeImageSize(AsBytes(webp), ImageFormats::Stored).isValid());
    EXPECT_EQ(ProbeImageSize(AsBytes(webp), ImageFormats::Any), QSize(6, 4));
    EXPECT_FALSE(ProbeImageSize(AsBytes(QByteArray("JUNK")), ImageFormats::Any).isValid());
}

TEST(ImageDecoderTest, OnlyTexturesTakeFormatsBeyondTheStoredOnes) {
    const QByteArray webp = Encode(Solid(6, 4, qRgb(0, 120, 0)), "webp");
    ASSERT_FALSE(webp.isEmpty()) << "the WebP plugin is part of the image format plugins";
    QString reason;
    EXPECT_TRUE(Decode(webp, ImageFormats::Stored, &reason).isNull());
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(Decode(webp, ImageFormats::Any).size(), QSize(6, 4));
}

TEST(ImageDecoderTest, BytesThatAreNoImageGiveTheReadersReason) {
    QString reason;
    EXPECT_TRUE(Decode("plainly not a picture", ImageFormats::Any, &reason).isNull());
    EXPECT_EQ(reason, QStringLiteral("Unsupported image format"));
    reason.clear();
    EXPECT_TRUE(Decode({}, ImageFormats::Any, &reason).isNull());
    EXPECT_FALSE(reason.isEmpty());
}

TEST(ImageDecoderTest, ProbeReadsTheJpegSizeWithoutDecoding) {
    const QByteArray jpeg = Encode(Solid(37, 11, qRgb(1, 2, 3)));
    EXPECT_EQ(ProbeJpeg(AsBytes(jpeg)), QSize(37, 11));
    // Cut after the frame header: the size still reads.
    const qsizetype scan = jpeg.indexOf("\xFF\xDA");
    ASSERT_GT(scan, 0);
    EXPECT_EQ(ProbeJpeg(AsBytes(jpeg.left(scan + 40))), QSize(37, 11));
    EXPECT_EQ(ProbeJpeg(AsBytes(Encode(Solid(4, 4, 0), "png"))), std::nullopt);
}

}  // namespace
}  // namespace velora
