// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/image_decoder.h"

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

TEST(ImageDecoderTest, ImagesBeyondThePixelLimitAreRefusedWithAReason) {
    // 8193 x 8193 is just beyond 2^26 pixels; the header alone says so.
    for (const ImageFormats formats : {ImageFormats::Stored, ImageFormats::Any}) {
        QString reason;
        EXPECT_TRUE(Decode(BmpHeader(8193, 8193), formats, &reason).isNull());
        EXPECT_EQ(reason, QStringLiteral("the image is too large (8193 x 8193 pixels)"));
    }
    // Well within the limit the header is accepted and only the missing
    // pixels fail.
    QString reason;
    EXPECT_TRUE(Decode(BmpHeader(4000, 4000), ImageFormats::Any, &reason).isNull());
    EXPECT_FALSE(reason.contains("too large")) << reason.toStdString();
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
