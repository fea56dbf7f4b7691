// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/image_record.h"
#include "core/archive/archive.h"
#include "core/common/user_interface.h"
#include "model_stream_support.h"
#include "stream_bytes.h"

#include <QBuffer>
#include <QImageWriter>

#include <gtest/gtest.h>

namespace velora {
namespace {

using test::Bytes;
using test::Encode;
using test::Solid;

// Left half one colour, right half another, so a decoder that mixes up rows,
// columns or channels shows it.
QImage TwoColours(int width, int height, QRgb left, QRgb right) {
    QImage image = Solid(width, height, left);
    for (int y = 0; y < height; ++y) {
        for (int x = width / 2; x < width; ++x) image.setPixel(x, y, right);
    }
    return image;
}

// Remembers what it was told.
class MessageLog : public NullUserInterface {
public:
    void ShowMessage(const QString& text, MessageIcon, const QString&) override {
        messages.append(text);
    }
    QStringList messages;
};

QImage Decode(const QByteArray& bytes) { return DecodeImageRecord(AsBytes(bytes)); }

void ExpectNear(QColor actual, QRgb expected, const char* what) {
    EXPECT_NEAR(actual.red(), qRed(expected), 12) << what;
    EXPECT_NEAR(actual.green(), qGreen(expected), 12) << what;
    EXPECT_NEAR(actual.blue(), qBlue(expected), 12) << what;
}

TEST(ImageRecordTest, DecodesTheFormatsRecordsHold) {
    const QRgb red = qRgb(220, 30, 20), blue = qRgb(20, 40, 230);
    const QImage source = TwoColours(48, 32, red, blue);
    QByteArray progressive;
    {
        QBuffer buffer(&progressive);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(100);
        writer.setProgressiveScanWrite(true);
        ASSERT_TRUE(writer.write(source));
    }
    for (const auto& [name, bytes] :
         {std::pair{"jpeg", Encode(source)}, std::pair{"progressive jpeg", progressive},
          std::pair{"png", Encode(source, "png")}, std::pair{"bmp", Encode(source, "bmp")}}) {
        const QImage image = Decode(bytes);
        ASSERT_EQ(image.size(), QSize(48, 32)) << name;
        ExpectNear(image.pixelColor(4, 30), red, name);
        ExpectNear(image.pixelColor(44, 2), blue, name);
    }
}

TEST(ImageRecordTest, GifDecodes) {
    // One red pixel: Qt writes no GIF, so the bytes are spelled out.
    const QByteArray gif(
        "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\x00"
        ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
        35);
    const QImage image = Decode(gif);
    ASSERT_EQ(image.size(), QSize(1, 1));
    ExpectNear(image.pixelColor(0, 0), qRgb(255, 0, 0), "gif");
}

TEST(ImageRecordTest, GreyJpegDecodesToGrey) {
    QImage grey(20, 10, QImage::Format_Grayscale8);
    grey.fill(90);
    const QImage image = Decode(Encode(grey));
    ASSERT_EQ(image.size(), QSize(20, 10));
    ExpectNear(image.pixelColor(10, 5), qRgb(90, 90, 90), "grey");
}

TEST(ImageRecordTest, FormatsTheWindowsDecoderLacksAreNoImages) {
    // Qt reads PPM; the program's records never held one.
    EXPECT_TRUE(Decode(Encode(Solid(4, 4, qRgb(1, 2, 3)), "ppm")).isNull());
    EXPECT_TRUE(Decode("JUNK").isNull());
    EXPECT_TRUE(Decode(QByteArray("\xFF\xD8\xFF\xE0 no more", 12)).isNull());
}

TEST(ImageRecordTest, JpegDeclaringAHugeSizeIsRefused) {
    // The frame header of a small JPEG rewritten to claim 60000 x 60000.
    QByteArray jpeg = Encode(Solid(16, 16, qRgb(5, 5, 5)));
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    jpeg[frame + 5] = '\xEA';
    jpeg[frame + 6] = '\x60';
    jpeg[frame + 7] = '\xEA';
    jpeg[frame + 8] = '\x60';
    const QByteArray record = Bytes().U32(jpeg.size()).Raw(jpeg);
    ArchiveReader reader(record);
    MessageLog user;
    EXPECT_TRUE(ReadImageRecord(reader, &user).isNull());
    EXPECT_EQ(user.messages, QStringList({"Image::FromStream() error!"}));
    EXPECT_TRUE(reader.AtEnd()) << "the whole record is consumed";
}

TEST(ImageRecordTest, ManyRecordsDecodeInTheirOrder) {
    std::vector<QByteArray> bytes;
    for (int i = 0; i < 9; ++i) {
        bytes.push_back(i == 4 ? QByteArray("broken")
                               : Encode(Solid(8 + i, 8, qRgb(i * 25, 0, 0))));
    }
    bytes.push_back({});
    std::vector<std::span<const uint8_t>> records;
    for (const QByteArray& b : bytes) records.push_back(AsBytes(b));
    const std::vector<QImage> images = DecodeImageRecords(records);
    ASSERT_EQ(images.size(), records.size());
    for (int i = 0; i < 9; ++i) {
        if (i == 4) {
            EXPECT_TRUE(images[i].isNull());
            continue;
        }
        EXPECT_EQ(images[i].width(), 8 + i);
        EXPECT_NEAR(images[i].pixelColor(2, 2).red(), i * 25, 6);
    }
    EXPECT_TRUE(images.back().isNull()) << "an empty record is no image";
}

}  // namespace
}  // namespace velora
