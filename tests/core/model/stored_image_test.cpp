// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/stored_image.h"
#include "core/model/area.h"
#include "core/model/image_record.h"

#include "area_image_support.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace velora {
namespace {

using test::Encode;
using test::Gradient;
using test::GradientJpeg;
using test::JpegDeclaring;
using test::JpegWithDamagedScan;
using test::View;

// The same pixels in the same format.
::testing::AssertionResult SameImage(const QImage& actual, const QImage& expected) {
    if (actual.isNull() || expected.isNull()) return ::testing::AssertionFailure() << "null image";
    if (actual.format() != expected.format() || actual.size() != expected.size())
        return ::testing::AssertionFailure() << "format or size differs";
    if (actual != expected) return ::testing::AssertionFailure() << "pixels differ";
    return ::testing::AssertionSuccess();
}

TEST(StoredImageTest, OnlyJpegsWithASoundAcceptableHeaderAreKept) {
    QByteArray trailing = GradientJpeg(20, 10, 1);
    trailing.append("bytes after the image");
    EXPECT_TRUE(StoredImage::FromJpegRecord(View(trailing)));
    EXPECT_TRUE(StoredImage::FromJpegRecord(View(JpegWithDamagedScan(32, 24))))
        << "the damage lies beyond the header";

    const QByteArray refused[] = {
        Encode(Gradient(20, 10, 1), "png"),           // decoded at once instead
        QByteArray("\xFF\xD8\xFF\xE0 not a header"),  // JPEG start, broken header
        GradientJpeg(20, 10, 1).left(40),             // cut inside the header
        JpegDeclaring(60000, 60000),                  // a size refused before decoding
        QByteArray(),
    };
    for (const QByteArray& bytes : refused) EXPECT_FALSE(StoredImage::FromJpegRecord(View(bytes)));
}

TEST(StoredImageTest, SizeComesFromTheHeaderAndPixelsFromTheFirstUse) {
    const QByteArray jpeg = GradientJpeg(37, 21, 2);
    const auto stored = StoredImage::FromJpegRecord(View(jpeg));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->Size(), QSize(37, 21));
    EXPECT_FALSE(stored->IsDecoded());
    EXPECT_EQ(stored->Bytes(), jpeg);

    EXPECT_TRUE(SameImage(stored->Image(), DecodeImageRecord(View(jpeg))));
    EXPECT_TRUE(stored->IsDecoded());
    EXPECT_EQ(stored->Size(), QSize(37, 21));
    EXPECT_EQ(stored->Image().cacheKey(), stored->Image().cacheKey()) << "decoded once";
}

TEST(StoredImageTest, ScanDataThatFailsLaterGivesNoImage) {
    const QByteArray damaged = JpegWithDamagedScan(32, 24);
    const auto stored = StoredImage::FromJpegRecord(View(damaged));
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->Size(), QSize(32, 24));
    EXPECT_TRUE(stored->Image().isNull());
    EXPECT_TRUE(stored->IsDecoded());
    EXPECT_FALSE(stored->Size().isValid());
}

TEST(StoredImageTest, ThreadsAskingAtOnceShareOneDecode) {
    const auto stored = StoredImage::FromJpegRecord(View(GradientJpeg(300, 200, 4)));
    ASSERT_TRUE(stored);
    std::vector<qint64> keys(8);
    {
        std::vector<std::jthread> threads;
        for (size_t i = 0; i < keys.size(); ++i) {
            threads.emplace_back([&, i] { keys[i] = stored->Image().cacheKey(); });
        }
    }
    EXPECT_FALSE(stored->Image().isNull());
    for (qint64 key : keys) EXPECT_EQ(key, stored->Image().cacheKey());
}

TEST(StoredImageTest, DecodeAllDecodesEachPendingImageOnce) {
    std::vector<QByteArray> jpegs;
    std::vector<std::shared_ptr<const StoredImage>> images;
    for (int i = 0; i < 6; ++i) {
        jpegs.push_back(GradientJpeg(40 + i, 30, i));
        images.push_back(StoredImage::FromJpegRecord(View(jpegs.back())));
        ASSERT_TRUE(images.back());
    }
    const qint64 earlier = images[2]->Image().cacheKey();
    const auto damaged = StoredImage::FromJpegRecord(View(JpegWithDamagedScan(32, 24)));
    std::vector<const StoredImage*> list;
    for (const auto& image : images) list.push_back(image.get());
    list.push_back(images[0].get());  // twice
    list.push_back(nullptr);
    list.push_back(damaged.get());
    StoredImage::DecodeAll(list);

    for (size_t i = 0; i < images.size(); ++i) {
        ASSERT_TRUE(images[i]->IsDecoded()) << i;
        EXPECT_TRUE(SameImage(images[i]->Image(), DecodeImageRecord(View(jpegs[i])))) << i;
    }
    EXPECT_EQ(images[2]->Image().cacheKey(), earlier) << "a decoded image stays as it was";
    EXPECT_TRUE(damaged->IsDecoded());
    EXPECT_TRUE(damaged->Image().isNull());
}

// --- an area with a loaded image -----------------------------------------------

CArea AreaWithStoredImage(const QByteArray& jpeg) {
    CArea area;
    area.SetName("Loaded");
    area.SetStoredImage(StoredImage::FromJpegRecord(View(jpeg)));
    return area;
}

TEST(LoadedAreaImageTest, SizeIsKnownWithoutDecoding) {
    const CArea area = AreaWithStoredImage(GradientJpeg(64, 48, 1));
    EXPECT_EQ(area.ImageSize(), QSize(64, 48));
    ASSERT_NE(area.GetStoredImage(), nullptr);
    EXPECT_FALSE(area.GetStoredImage()->IsDecoded());
    EXPECT_TRUE(area.HasImage());
    EXPECT_TRUE(area.GetStoredImage()->IsDecoded());

    CArea plain;
    EXPECT_FALSE(plain.ImageSize().isValid());
    plain.SetImage(Gradient(5, 7, 0));
    EXPECT_EQ(plain.ImageSize(), QSize(5, 7));
    EXPECT_EQ(plain.GetStoredImage(), nullptr);
}

TEST(LoadedAreaImageTest, StaysLoadedUntilAnotherImageIsSet) {
    const QByteArray jpeg = GradientJpeg(30, 20, 5);
    CArea area = AreaWithStoredImage(jpeg);
    // Giving the area its own image back, as a texture click on the same
    // image does, changes nothing.
    const QImage own = area.GetImage();
    area.SetImage(own);
    ASSERT_NE(area.GetStoredImage(), nullptr);
    EXPECT_EQ(area.GetStoredImage()->Bytes(), jpeg);
    EXPECT_EQ(area.GetImage().cacheKey(), own.cacheKey());

    // An equal-looking copy that was changed is another image.
    QImage edited = own;
    edited.setPixel(0, 0, qRgb(1, 2, 3));
    area.SetImage(edited);
    EXPECT_EQ(area.GetStoredImage(), nullptr);
    EXPECT_EQ(area.GetImage().pixel(0, 0), qRgb(1, 2, 3));

    CArea reset = AreaWithStoredImage(jpeg);
    reset.AddName("R1");
    reset.Reset();
    EXPECT_FALSE(reset.HasImage());
    EXPECT_EQ(reset.GetStoredImage(), nullptr);
    EXPECT_FALSE(reset.ImageSize().isValid());
}

TEST(LoadedAreaImageTest, CopiesShareTheDecode) {
    const CArea area = AreaWithStoredImage(GradientJpeg(30, 20, 6));
    const CArea copy = area;
    EXPECT_EQ(copy.GetStoredImage(), area.GetStoredImage());
    const qint64 key = copy.GetImage().cacheKey();
    EXPECT_TRUE(area.GetStoredImage()->IsDecoded());
    EXPECT_EQ(area.GetImage().cacheKey(), key);
}

TEST(LoadedAreaImageTest, AFailedDecodeLeavesNoImageAndNothingToWriteBack) {
    const CArea area = AreaWithStoredImage(JpegWithDamagedScan(32, 24));
    EXPECT_EQ(area.ImageSize(), QSize(32, 24)) << "known from the header alone";
    ASSERT_NE(area.GetStoredImage(), nullptr);
    EXPECT_FALSE(area.HasImage());
    EXPECT_EQ(area.GetStoredImage(), nullptr);
    EXPECT_FALSE(area.ImageSize().isValid());
}

}  // namespace
}  // namespace velora
