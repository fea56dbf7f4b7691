// SPDX-License-Identifier: GPL-3.0-or-later
// Area images of a loaded design: decoded only when needed, refused at load
// when they are no image, and written back as they came while unchanged.

#include "core/common/user_interface.h"
#include "core/model/drawing_model.h"
#include "core/model/image_record.h"

#include "area_image_support.h"
#include "model_stream_support.h"
#include "stream_bytes.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace velora {
namespace {

using test::Bytes;
using test::Encode;
using test::Gradient;
using test::GradientJpeg;
using test::JpegDeclaring;
using test::JpegWithDamagedScan;
using test::LoadStream;
using test::SaveStream;
using test::View;

// A design of the given size whose areas hold the given image records, in
// that order; area i fills the region "R<i>", a block of a row of blocks.
QByteArray DesignStream(int width, int height, const std::vector<QByteArray>& records) {
    const int count = static_cast<int>(records.size());
    Bytes stream;
    stream.Raw("MOSVELDAT").U32(0).Str("Design").U32(static_cast<uint32_t>(count));
    for (int i = 0; i < count; ++i) {
        stream.Str(QByteArray("Area") + QByteArray::number(i)).U32(1);
        stream.Str(QByteArray("R") + QByteArray::number(i));
        stream.U32(static_cast<uint32_t>(records[i].size())).Raw(records[i]);
    }
    stream.U32(0).U32(0).U32(static_cast<uint32_t>(count));
    for (int i = 0; i < count; ++i) {
        const int left = width * i / count, right = width * (i + 1) / count;
        // Two bands: the block, then a narrower foot below it.
        stream.Str(QByteArray("R") + QByteArray::number(i))
            .RegionData({{left, 0, right, height - 4}, {left + 2, height - 4, right - 2, height}});
    }
    stream.I32(width).I32(height).Mask(0, 0, 0, {});
    return stream;
}

QImage RenderForExport(CDrawingModel& model) {
    QImage image(model.GetWidth(), model.GetHeight(), QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter painter(&image);
    model.Render(painter, true);
    return image;
}

// Receives the message with its title and icon.
class MessageRecorder : public NullUserInterface {
public:
    void ShowMessage(const QString& text, MessageIcon icon, const QString& title) override {
        messages.append(QStringLiteral("%1|%2|%3").arg(text, title).arg(static_cast<int>(icon)));
    }
    QStringList messages;
};

bool IsPending(const CArea& area) {
    return area.GetStoredImage() && !area.GetStoredImage()->IsDecoded();
}

TEST(AreaImageLoadTest, JpegImagesWaitUntilTheyAreNeeded) {
    const std::vector<QByteArray> jpegs{GradientJpeg(40, 30, 1), GradientJpeg(17, 55, 2)};
    CDrawingModel model;
    MessageRecorder user;
    model.SetUserInterface(&user);
    LoadStream(model, DesignStream(120, 40, jpegs));
    EXPECT_TRUE(user.messages.isEmpty());
    ASSERT_EQ(model.Areas().size(), 2u);
    for (size_t i = 0; i < jpegs.size(); ++i) {
        const CArea& area = model.Areas()[i];
        EXPECT_TRUE(IsPending(area)) << i;
        // What the batch tool's info prints, still without decoding.
        EXPECT_EQ(area.ImageSize(), DecodeImageRecord(View(jpegs[i])).size()) << i;
        EXPECT_TRUE(IsPending(area)) << i;
        EXPECT_EQ(area.GetImage(), DecodeImageRecord(View(jpegs[i]))) << i;
    }
}

TEST(AreaImageLoadTest, LoadedDesignRendersAsOneGivenTheDecodedImages) {
    // Large enough to be painted in several bands at once.
    const std::vector<QByteArray> jpegs{GradientJpeg(64, 48, 1), GradientJpeg(50, 70, 2),
                                        GradientJpeg(33, 33, 3)};
    const QByteArray stream = DesignStream(1500, 900, jpegs);
    CDrawingModel lazy;
    LoadStream(lazy, stream);
    CDrawingModel given;
    LoadStream(given, stream);
    for (size_t i = 0; i < jpegs.size(); ++i) {
        given.SetAreaImage(i, DecodeImageRecord(View(jpegs[i])));
        ASSERT_EQ(given.Areas()[i].GetStoredImage(), nullptr);
    }
    const QImage expected = RenderForExport(given);
    const QImage picture = RenderForExport(lazy);
    for (const CArea& area : lazy.Areas()) EXPECT_FALSE(IsPending(area));
    EXPECT_EQ(picture, expected);
    // The textures did reach the picture: area 1's block is not white.
    EXPECT_NE(picture.pixel(700, 100), qRgb(255, 255, 255));
    // A second rendering reuses what the first decoded.
    EXPECT_EQ(RenderForExport(lazy), expected);
}

TEST(AreaImageLoadTest, BytesThatAreNoImageAreStillToldAtLoad) {
    const QByteArray good = GradientJpeg(20, 20, 1);
    const std::vector<QByteArray> records{
        QByteArray("JUNK"),
        QByteArray("\xFF\xD8\xFF\xE0 not a header at all", 25),
        good,
        JpegDeclaring(60000, 60000),
        Encode(Gradient(9, 9, 0), "png"),
    };
    CDrawingModel model;
    MessageRecorder user;
    model.SetUserInterface(&user);
    LoadStream(model, DesignStream(100, 20, records));
    const QString told = QStringLiteral("Image::FromStream() error!|Error|%1")
                             .arg(static_cast<int>(MessageIcon::Error));
    EXPECT_EQ(user.messages, QStringList(3, told));
    ASSERT_EQ(model.Areas().size(), records.size());
    EXPECT_FALSE(model.Areas()[0].HasImage());
    EXPECT_FALSE(model.Areas()[1].HasImage());
    EXPECT_TRUE(IsPending(model.Areas()[2]));
    EXPECT_FALSE(model.Areas()[3].HasImage());
    EXPECT_EQ(model.Areas()[4].ImageSize(), QSize(9, 9)) << "decoded at load";
    EXPECT_EQ(model.Areas()[4].GetStoredImage(), nullptr);
    EXPECT_EQ(model.GetWidth(), 100) << "loading went on";
    EXPECT_EQ(model.Regions().size(), records.size());
}

TEST(AreaImageLoadTest, DamagedScanDataLeavesTheAreaWithoutImageSilently) {
    const QByteArray damaged = JpegWithDamagedScan(32, 24);
    CDrawingModel model;
    MessageRecorder user;
    model.SetUserInterface(&user);
    LoadStream(model, DesignStream(60, 30, {damaged, GradientJpeg(10, 10, 1)}));
    EXPECT_EQ(model.Areas()[0].ImageSize(), QSize(32, 24));
    const QImage picture = RenderForExport(model);
    EXPECT_FALSE(model.Areas()[0].HasImage());
    EXPECT_EQ(picture.pixel(10, 10), qRgb(255, 255, 255)) << "nothing to tile";
    EXPECT_NE(picture.pixel(40, 10), qRgb(255, 255, 255));
    // Saved as an area without image.
    const QByteArray saved = SaveStream(model);
    EXPECT_FALSE(saved.contains(damaged));
    EXPECT_TRUE(saved.contains(Bytes().Str("R0").U32(0).Str("Area1").Data()));
    EXPECT_TRUE(user.messages.isEmpty());
}

// The record of area i as a saved stream holds it.
QByteArray Record(const QByteArray& bytes) { return Bytes().U32(bytes.size()).Raw(bytes); }

TEST(AreaImageLoadTest, UnchangedJpegsAreWrittenBackByteForByte) {
    // Bytes after the image are something no encoder would write again.
    QByteArray first = GradientJpeg(40, 30, 1);
    first.append("trailing bytes");
    const QByteArray second = GradientJpeg(25, 25, 2);
    CDrawingModel model;
    LoadStream(model, DesignStream(80, 40, {first, second}));

    const QByteArray untouched = SaveStream(model);  // its thumbnail decodes both
    EXPECT_TRUE(untouched.contains(Record(first)));
    EXPECT_TRUE(untouched.contains(Record(second)));
    EXPECT_FALSE(IsPending(model.Areas()[0]));

    // Giving an area its own image back keeps the bytes too.
    EXPECT_TRUE(model.SetAreaImage(1, model.GetAreaImage(1)));
    const QByteArray again = SaveStream(model);
    EXPECT_TRUE(again.contains(Record(first)));
    EXPECT_TRUE(again.contains(Record(second)));

    CDrawingModel reloaded;
    LoadStream(reloaded, again);
    EXPECT_EQ(reloaded.Areas()[0].GetImage(), DecodeImageRecord(View(first)));
}

TEST(AreaImageLoadTest, ChangedOrForeignImagesAreEncodedAgain) {
    const QByteArray jpeg = GradientJpeg(40, 30, 1);
    const QByteArray png = Encode(Gradient(12, 8, 2), "png");
    CDrawingModel model;
    LoadStream(model, DesignStream(80, 40, {jpeg, png}));
    const QImage replacement = Gradient(16, 16, 7);
    ASSERT_TRUE(model.SetAreaImage(0, replacement));

    test::Parse parse(SaveStream(model));
    parse.Raw(9);
    parse.Raw(parse.U32());  // thumbnail
    parse.Str();
    ASSERT_EQ(parse.U32(), 2u);
    QByteArray written[2];
    for (QByteArray& bytes : written) {
        parse.Str();
        for (uint32_t names = parse.U32(); names > 0; --names) parse.Str();
        bytes = parse.Raw(parse.U32());
    }
    EXPECT_EQ(written[0], Encode(replacement)) << "the new image at quality 100";
    EXPECT_EQ(written[1], Encode(DecodeImageRecord(View(png)))) << "the PNG as a JPEG";
}

}  // namespace
}  // namespace velora
