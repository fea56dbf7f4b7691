// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/errors.h"
#include "core/model/drawing_model.h"
#include "core/model/image_record.h"
#include "model_stream_support.h"
#include "scripted_user.h"
#include "stream_bytes.h"

#include <gtest/gtest.h>

namespace velora {
namespace {

using test::Bytes;
using test::Describe;
using test::Encode;
using test::LoadStream;
using test::Parse;
using test::SaveStream;
using test::ScriptedUser;
using test::Solid;

// The mask header of a model without a mask.
const QByteArray kNoMask = Bytes().Mask(0, 0, 0, {});

const CRegionItem& AddRegion(CDrawingModel& model, const QString& name, const QRegion& shape) {
    auto item = std::make_unique<CRegionItem>();
    item->SetName(name);
    item->AssignRegion(shape);
    model.AddRegion(std::move(item));
    return *model.Regions().back();
}

const CArea& AddArea(CDrawingModel& model, const QString& name, const QStringList& names,
                     const QImage& image = {}) {
    CArea area;
    area.SetName(name);
    area.SetNames(names);
    area.SetImage(image);
    model.AddArea(area);
    return model.Areas().back();
}

void AddCurve(CDrawingModel& model, const QString& name, std::vector<PointF> points,
              std::vector<uint8_t> types) {
    model.AddCurve(std::make_unique<CCurve>(Path(std::move(points), std::move(types)), name));
}

// A template with something in every list and a mask with a few light pixels.
void FillModel(CDrawingModel& model) {
    model.SetSize(40, 20);
    model.SetTemplateName("Garden");
    MonoBitmap mask(40, 20);
    for (int x = 3; x < 37; ++x) mask.SetPixel(x, 7, true);
    mask.SetPixel(39, 19, true);
    model.SetMaskBitmap(mask);
    AddArea(model, "Sky", {"Area7", "Pond"}, Solid(8, 8, qRgb(0, 0, 255)));
    AddArea(model, "Grass", {});
    AddCurve(model, "Object0", {{1, 1}, {30, 1}, {30, 10}, {1, 10}}, {0, 1, 1, 0x81});
    AddCurve(model, "Object1", {{2, 2}, {5, 0}, {8, 0.5f}, {10, 2}}, {0, 3, 3, 0xA3});
    model.SetTextures({"stone/a.jpg", "b.png"});
    AddRegion(model, "Area7", QRegion(0, 0, 10, 10));
    AddRegion(model, "Pond", QRegion(12, 2, 6, 4) + QRegion(12, 6, 3, 3));
}

QImage DecodeRecord(Parse& parse) {
    const uint32_t length = parse.U32();
    return QImage::fromData(parse.Raw(length));
}

TEST(ModelStreamWriteTest, EmptyModelWritesFourZeroCounts) {
    CDrawingModel model;
    Bytes expected;
    expected.Raw("MOSVELDAT").U32(0);  // a drawing of no size has no thumbnail
    expected.Str("").U32(0).U32(0).U32(0).U32(0).I32(0).I32(0).Raw(kNoMask);
    EXPECT_EQ(SaveStream(model), expected.Data());
}

TEST(ModelStreamWriteTest, AreaWithoutImageEndsWithALengthOfZero) {
    CDrawingModel model;
    AddArea(model, "Sky", {"Area0", "Area3"});
    model.SetTextures({"stone/a.jpg"});
    Bytes expected;
    expected.Raw("MOSVELDAT").U32(0).Str("");
    expected.U32(1).Str("Sky").U32(2).Str("Area0").Str("Area3").U32(0);
    expected.U32(0).U32(1).Str("stone\\a.jpg");  // files hold the Windows separator
    expected.U32(0).I32(0).I32(0).Raw(kNoMask);
    EXPECT_EQ(SaveStream(model), expected.Data());

    CDrawingModel loaded;
    LoadStream(loaded, expected);
    ASSERT_EQ(loaded.Areas().size(), 1u);
    EXPECT_FALSE(loaded.Areas()[0].HasImage());
    EXPECT_TRUE(loaded.Areas()[0].IsChanged());
    EXPECT_EQ(loaded.Areas()[0].Names(), QStringList({"Area0", "Area3"}));
    EXPECT_EQ(loaded.Textures(), QStringList({"stone/a.jpg"}));
}

TEST(ModelStreamWriteTest, ThumbnailKeepsTheDrawingsProportions) {
    struct Case {
        int width, height;
        QSize thumbnail;
    };
    for (const Case& c :
         {Case{300, 150, {100, 50}}, Case{150, 300, {50, 100}}, Case{120, 120, {100, 100}},
          Case{333, 100, {100, 30}}, Case{1000, 5, {100, 1}}}) {
        CDrawingModel model;
        model.SetSize(c.width, c.height);
        Parse parse(SaveStream(model));
        parse.Raw(9);
        EXPECT_EQ(DecodeRecord(parse).size(), c.thumbnail) << c.width << "x" << c.height;
    }
}

TEST(ModelStreamWriteTest, ThumbnailShowsTheRenderedDrawing) {
    // The left half is a red region, the right half stays white.
    CDrawingModel model;
    model.SetSize(300, 150);
    AddArea(model, "Red", {"Left"}, Solid(5, 5, qRgb(255, 0, 0)));
    AddRegion(model, "Left", QRegion(0, 0, 150, 150));
    Parse parse(SaveStream(model));
    parse.Raw(9);
    const QImage thumbnail = DecodeRecord(parse);
    ASSERT_EQ(thumbnail.size(), QSize(100, 50));
    const QColor left = thumbnail.pixelColor(20, 25), right = thumbnail.pixelColor(80, 25);
    EXPECT_GT(left.red(), 220);
    EXPECT_LT(left.green(), 40);
    EXPECT_GT(right.green(), 220);
    EXPECT_GT(right.blue(), 220);
}

TEST(ModelStreamWriteTest, IndependentReaderFindsEveryField) {
    CDrawingModel model;
    FillModel(model);
    Parse parse(SaveStream(model));
    EXPECT_EQ(parse.Raw(9), "MOSVELDAT");
    EXPECT_EQ(DecodeRecord(parse).size(), QSize(100, 50));
    EXPECT_EQ(parse.Str(), "Garden");

    ASSERT_EQ(parse.U32(), 2u);
    EXPECT_EQ(parse.Str(), "Sky");
    ASSERT_EQ(parse.U32(), 2u);
    EXPECT_EQ(parse.Str(), "Area7");
    EXPECT_EQ(parse.Str(), "Pond");
    const QImage sky = DecodeRecord(parse);
    EXPECT_EQ(sky.size(), QSize(8, 8));
    EXPECT_GT(sky.pixelColor(4, 4).blue(), 240);
    EXPECT_EQ(parse.Str(), "Grass");
    EXPECT_EQ(parse.U32(), 0u);
    EXPECT_EQ(parse.U32(), 0u);

    ASSERT_EQ(parse.U32(), 2u);
    ASSERT_EQ(parse.U32(), 4u);
    for (float expected : {1.f, 1.f, 30.f, 1.f, 30.f, 10.f, 1.f, 10.f})
        EXPECT_EQ(parse.F32(), expected);
    EXPECT_EQ(parse.Raw(4), QByteArray("\x00\x01\x01\x81", 4));
    EXPECT_EQ(parse.Str(), "Object0");
    ASSERT_EQ(parse.U32(), 4u);
    for (float expected : {2.f, 2.f, 5.f, 0.f, 8.f, 0.5f, 10.f, 2.f})
        EXPECT_EQ(parse.F32(), expected);
    EXPECT_EQ(parse.Raw(4), QByteArray("\x00\x03\x03\xA3", 4));
    EXPECT_EQ(parse.Str(), "Object1");

    ASSERT_EQ(parse.U32(), 2u);
    EXPECT_EQ(parse.Str(), "stone\\a.jpg");
    EXPECT_EQ(parse.Str(), "b.png");

    ASSERT_EQ(parse.U32(), 2u);
    EXPECT_EQ(parse.Str(), "Area7");
    EXPECT_EQ(parse.Raw(4 + 32 + 16), Bytes().RegionData({{0, 0, 10, 10}}).Data());
    EXPECT_EQ(parse.Str(), "Pond");
    EXPECT_EQ(parse.Raw(4 + 32 + 32), Bytes().RegionData({{12, 2, 18, 6}, {12, 6, 15, 9}}).Data());

    EXPECT_EQ(parse.I32(), 40);
    EXPECT_EQ(parse.I32(), 20);
    EXPECT_EQ(parse.I32(), 0);
    EXPECT_EQ(parse.I32(), 40);
    EXPECT_EQ(parse.I32(), 20);
    EXPECT_EQ(parse.I32(), 6) << "40 pixels pad to an even 6 bytes";
    EXPECT_EQ(parse.U16(), 1u);
    EXPECT_EQ(parse.U16(), 1u);
    EXPECT_EQ(parse.U32(), 0u);
    const QByteArray bits = parse.Raw(6 * 20);
    EXPECT_EQ(bits.mid(7 * 6, 6), QByteArray::fromHex("1ffffffff800")) << "row 7: pixels 3..36";
    EXPECT_EQ(bits.mid(19 * 6, 6), QByteArray::fromHex("000000000100")) << "row 19: pixel 39";
    EXPECT_EQ(bits.count('\0'), 6 * 20 - 6);
    EXPECT_EQ(parse.Left(), 0);
}

TEST(ModelStreamWriteTest, LongAndUnicodeNamesUseTheirStringForms) {
    CDrawingModel model;
    const QString longName(300, 'n');
    const QString wide = QString::fromUtf8("Région ☀");
    AddRegion(model, longName, QRegion(0, 0, 2, 2));
    AddArea(model, wide, {longName, wide});
    const QByteArray stream = SaveStream(model);
    EXPECT_TRUE(stream.contains(QByteArray::fromHex("ff2c01") + QByteArray(300, 'n')));
    QByteArray marked = QByteArray::fromHex("fffeff08");
    for (QChar c : wide) marked += Bytes().U16(c.unicode()).Data();
    EXPECT_EQ(stream.count(marked), 2);

    CDrawingModel loaded;
    LoadStream(loaded, stream);
    EXPECT_EQ(Describe(loaded), Describe(model));
}

TEST(ModelStreamWriteTest, RoundTripKeepsEveryField) {
    CDrawingModel model;
    FillModel(model);
    CDrawingModel loaded;
    LoadStream(loaded, SaveStream(model));
    // The area image went through JPEG: compare its size and colour, then
    // the rest exactly.
    ASSERT_EQ(loaded.Areas().size(), 2u);
    EXPECT_EQ(loaded.Areas()[0].GetImage().size(), QSize(8, 8));
    EXPECT_GT(loaded.Areas()[0].GetImage().pixelColor(0, 0).blue(), 240);
    loaded.SetAreaImage(0, model.Areas()[0].GetImage());
    EXPECT_EQ(Describe(loaded), Describe(model));
}

TEST(ModelStreamWriteTest, RegionWithoutShapeWritesNoData) {
    CDrawingModel model;
    auto item = std::make_unique<CRegionItem>();
    item->SetName("Ghost");
    model.AddRegion(std::move(item));
    const QByteArray stream = SaveStream(model);
    EXPECT_TRUE(stream.contains(Bytes().U32(1).Str("Ghost").U32(0).I32(0).Data()));
    CDrawingModel loaded;
    LoadStream(loaded, stream);
    ASSERT_EQ(loaded.Regions().size(), 1u);
    EXPECT_FALSE(loaded.Regions()[0]->HasRegion());
}

TEST(ModelStreamWriteTest, AreaImageThatCannotBeEncodedIsStoredAsNoImage) {
    // JPEG has no room for 70000 pixels on a side.
    ArchiveWriter writer;
    const QImage wide = Solid(70000, 1, qRgb(1, 2, 3));
    EXPECT_FALSE(WriteImageRecord(writer, &wide, 100));
    EXPECT_EQ(writer.Data(), Bytes().U32(0).Data());

    CDrawingModel model;
    ScriptedUser user;
    model.SetUserInterface(&user);
    AddArea(model, "Wide", {"A"}, wide);
    CDrawingModel loaded;
    LoadStream(loaded, SaveStream(model));
    EXPECT_EQ(user.messages, QStringList({"The image of area \"Wide\" could not be stored."}));
    ASSERT_EQ(loaded.Areas().size(), 1u);
    EXPECT_FALSE(loaded.Areas()[0].HasImage());
    EXPECT_EQ(loaded.Areas()[0].Names(), QStringList({"A"}));
}

// --- loading what others wrote -------------------------------------------------

Bytes Prelude() { return std::move(Bytes().Raw("MOSVELDAT").U32(0)); }

TEST(ModelStreamReadTest, LoadsEveryFieldOfAnIndependentWriter) {
    const QByteArray jpeg = Encode(Solid(4, 6, qRgb(255, 0, 0)));
    QByteArray bits(4 * 10, '\0');
    bits[0] = '\x80';
    bits[4 * 9 + 2] = '\x08';  // pixel 20 of the last row
    Bytes stream;
    stream.Raw("MOSVELDAT").U32(jpeg.size()).Raw(jpeg).Str("Tpl");
    stream.U32(2).Str("Red").U32(2).Str("R1").Str("R2");
    stream.U32(jpeg.size() + 5).Raw(jpeg).Raw("trail");  // bytes after the JPEG are tolerated
    stream.Str("Empty").U32(0).U32(0);
    stream.U32(1).U32(5);
    stream.F32(0).F32(0).F32(10).F32(0).F32(12).F32(3).F32(10).F32(5).F32(-1.25f).F32(5);
    stream.U8(0).U8(3).U8(3).U8(0x23).U8(0x81).Str("Object3");
    stream.U32(2).Str("stone\\a.jpg").Str("b.png");
    stream.U32(2).Str("R1").RegionData({{0, 0, 10, 5}});
    stream.Str("R2").RegionData({{2, 6, 4, 8}, {6, 6, 9, 8}});  // two rectangles of one band
    stream.I32(21).I32(10).Mask(21, 10, 4, bits);
    CDrawingModel model;
    ScriptedUser user;
    model.SetUserInterface(&user);
    LoadStream(model, stream);
    EXPECT_TRUE(user.messages.isEmpty());
    EXPECT_EQ(model.GetTemplateName(), "Tpl");
    ASSERT_EQ(model.Areas().size(), 2u);
    EXPECT_EQ(model.Areas()[0].GetName(), "Red");
    EXPECT_EQ(model.Areas()[0].Names(), QStringList({"R1", "R2"}));
    EXPECT_EQ(model.Areas()[0].GetImage().size(), QSize(4, 6));
    EXPECT_GT(model.Areas()[0].GetImage().pixelColor(1, 1).red(), 240);
    EXPECT_EQ(model.Areas()[1].GetName(), "Empty");
    EXPECT_FALSE(model.Areas()[1].HasImage());
    ASSERT_EQ(model.Curves().size(), 1u);
    const Path& path = model.Curves()[0]->GetPath();
    EXPECT_EQ(model.Curves()[0]->GetName(), "Object3");
    EXPECT_EQ(path.Points(), (std::vector<PointF>{{0, 0}, {10, 0}, {12, 3}, {10, 5}, {-1.25f, 5}}));
    EXPECT_EQ(path.Types(), (std::vector<uint8_t>{0, 3, 3, 0x23, 0x81}));
    EXPECT_EQ(model.Textures(), QStringList({"stone/a.jpg", "b.png"}));
    ASSERT_EQ(model.Regions().size(), 2u);
    EXPECT_EQ(model.Regions()[0]->GetName(), "R1");
    EXPECT_EQ(model.Regions()[0]->GetRegion(), QRegion(0, 0, 10, 5));
    EXPECT_EQ(model.Regions()[1]->GetRegion(), QRegion(2, 6, 2, 2) + QRegion(6, 6, 3, 2));
    EXPECT_EQ(model.GetWidth(), 21);
    EXPECT_EQ(model.GetHeight(), 10);
    const MonoBitmap& mask = model.GetMaskBitmap();
    ASSERT_EQ(mask.Width(), 21);
    ASSERT_EQ(mask.Height(), 10);
    EXPECT_TRUE(mask.Pixel(0, 0));
    EXPECT_TRUE(mask.Pixel(20, 9));
    EXPECT_EQ(mask.CountLight(), 2);
}

TEST(ModelStreamReadTest, SingleByteNamesAreUtf8OrWindows1252) {
    Bytes stream = Prelude();
    stream.Str("Caf\xE9 \x80").U32(1).Str("Caf\xC3\xA9").U32(1).Str("\x93quoted\x94");
    stream.U32(0).U32(0).U32(0).U32(0).I32(0).I32(0).Raw(kNoMask);
    CDrawingModel model;
    LoadStream(model, stream);
    EXPECT_EQ(model.GetTemplateName(), QString::fromUtf8("Café €"));
    ASSERT_EQ(model.Areas().size(), 1u);
    EXPECT_EQ(model.Areas()[0].GetName(), QString::fromUtf8("Café"));
    EXPECT_EQ(model.Areas()[0].Names(), QStringList({QString::fromUtf8("“quoted”")}));
}

TEST(ModelStreamReadTest, WrongSignatureThrowsAndTheModelKeepsItsContent) {
    CDrawingModel model;
    FillModel(model);
    ScriptedUser user;
    model.SetUserInterface(&user);
    const QString before = Describe(model);
    CDrawingModel other;
    QByteArray stream = SaveStream(other);
    stream[8] = 'X';
    for (const QByteArray& bad : {stream, QByteArray("MOSVEL"), QByteArray()}) {
        EXPECT_THROW(LoadStream(model, bad), WrongFormatError);
        EXPECT_EQ(Describe(model), before);
    }
    EXPECT_TRUE(user.messages.isEmpty());
}

TEST(ModelStreamReadTest, EachLoadedRegionTakesACounterNumberAndKeepsItsName) {
    Bytes stream = Prelude();
    stream.Str("").U32(0).U32(0).U32(0).U32(3);
    stream.Str("first").RegionData({{0, 0, 1, 1}}).Str("second").RegionData({{1, 1, 2, 2}});
    stream.Str("third").RegionData({{2, 2, 3, 3}}).I32(4).I32(4).Raw(kNoMask);
    const int before = CRegionItem().GetName().mid(4).toInt();
    CDrawingModel model;
    LoadStream(model, stream);
    const int after = CRegionItem().GetName().mid(4).toInt();
    EXPECT_EQ(after - before, 4) << "three regions loaded between two made here";
    ASSERT_EQ(model.Regions().size(), 3u);
    EXPECT_EQ(model.Regions()[0]->GetName(), "first");
    EXPECT_EQ(model.Regions()[1]->GetName(), "second");
    EXPECT_EQ(model.Regions()[2]->GetName(), "third");
}

TEST(ModelStreamReadTest, LoadingReplacesTheWholeContent) {
    CDrawingModel model;
    FillModel(model);
    CDrawingModel empty;
    LoadStream(model, SaveStream(empty));
    EXPECT_EQ(Describe(model), Describe(empty));
    EXPECT_TRUE(model.GetMaskBitmap().IsNull()) << "the mask is replaced by no mask";
}

TEST(ModelStreamReadTest, BrokenPointTypesLoadAnEmptyPathAsThePlatformDid) {
    // The last point starts a figure; a Bezier run that is not a multiple of
    // three; an undefined point type. Each curve keeps its name.
    const std::vector<std::vector<uint8_t>> broken = {{0, 1, 0}, {0, 3, 3, 1}, {0, 2, 1}};
    Bytes stream = Prelude();
    stream.Str("").U32(0).U32(static_cast<uint32_t>(broken.size()));
    for (const auto& types : broken) {
        stream.U32(static_cast<uint32_t>(types.size()));
        for (size_t i = 0; i < types.size(); ++i) stream.F32(static_cast<float>(i)).F32(1);
        for (uint8_t type : types) stream.U8(type);
        stream.Str("Broken");
    }
    stream.U32(0).U32(0).I32(0).I32(0).Raw(kNoMask);
    CDrawingModel model;
    LoadStream(model, stream);
    ASSERT_EQ(model.Curves().size(), broken.size());
    for (const auto& curve : model.Curves()) {
        EXPECT_TRUE(curve->GetPath().IsEmpty());
        EXPECT_EQ(curve->GetName(), "Broken");
    }
}

TEST(ModelStreamReadTest, UndecodableAreaImageIsToldAndLoadingGoesOn) {
    Bytes stream = Prelude();
    stream.Str("").U32(2).Str("Bad").U32(0).U32(4).Raw("JUNK").Str("Good").U32(0).U32(0);
    stream.U32(0).U32(0).U32(0).I32(5).I32(6).Raw(kNoMask);
    CDrawingModel model;
    ScriptedUser user;
    model.SetUserInterface(&user);
    LoadStream(model, stream);
    EXPECT_EQ(user.messages, QStringList({"Image::FromStream() error!"}));
    ASSERT_EQ(model.Areas().size(), 2u);
    EXPECT_FALSE(model.Areas()[0].HasImage());
    EXPECT_EQ(model.Areas()[1].GetName(), "Good");
    EXPECT_EQ(model.GetWidth(), 5);
}

// Areas filled from one texture file hold the same bytes; they load as one
// image, decoded once, whether it is a JPEG kept as stored or a PNG decoded
// at once, and a bad one is told once.
TEST(ModelStreamReadTest, AreasWithTheSameImageBytesShareOneImage) {
    const QByteArray jpeg = test::Encode(test::Solid(8, 8, qRgb(255, 0, 0)));
    const QByteArray png = test::Encode(test::Solid(4, 4, qRgb(0, 0, 255)), "png");
    Bytes stream = Prelude();
    stream.Str("").U32(5);
    for (const auto& [name, bytes] :
         {std::pair{"a", jpeg}, std::pair{"b", png}, std::pair{"c", jpeg}, std::pair{"d", png},
          std::pair{"e", QByteArray("JUNK")}}) {
        stream.Str(name).U32(0).U32(uint32_t(bytes.size())).Raw(bytes);
    }
    stream.U32(0).U32(0).U32(0).I32(5).I32(6).Raw(kNoMask);
    CDrawingModel model;
    ScriptedUser user;
    model.SetUserInterface(&user);
    LoadStream(model, stream);
    const auto& areas = model.Areas();
    ASSERT_EQ(areas.size(), 5u);
    EXPECT_EQ(areas[0].GetImage().cacheKey(), areas[2].GetImage().cacheKey());
    EXPECT_EQ(areas[1].GetImage().cacheKey(), areas[3].GetImage().cacheKey());
    EXPECT_NE(areas[0].GetImage().cacheKey(), areas[1].GetImage().cacheKey());
    EXPECT_GT(qRed(areas[2].GetImage().pixel(3, 3)), 240);
    EXPECT_EQ(areas[3].ImageSize(), QSize(4, 4));
    EXPECT_EQ(user.messages, QStringList({"Image::FromStream() error!"}));
    // Saved again, each area still has its own record.
    CDrawingModel reloaded;
    LoadStream(reloaded, SaveStream(model));
    EXPECT_EQ(reloaded.Areas()[2].ImageSize(), QSize(8, 8));
    EXPECT_EQ(reloaded.Areas()[3].ImageSize(), QSize(4, 4));
}

TEST(ModelStreamReadTest, ImageDeclaringAHugeSizeIsRefusedWithoutDecoding) {
    // A valid BMP header for 60000 x 60000 pixels and next to no data.
    Bytes bmp;
    bmp.Raw("BM").U32(62).U32(0).U32(62);
    bmp.U32(40).I32(60000).I32(60000).U16(1).U16(32).U32(0).U32(0).U32(0).U32(0).U32(0).U32(0);
    bmp.U32(0).U32(0);
    const QByteArray record = Bytes().U32(bmp.Data().size()).Raw(bmp);
    ArchiveReader reader(record);
    ScriptedUser user;
    EXPECT_TRUE(ReadImageRecord(reader, &user).isNull());
    EXPECT_EQ(user.messages, QStringList({"Image::FromStream() error!"}));
}

// --- damaged streams -------------------------------------------------------------

// Loads a damaged stream into a model with content: it must throw FormatError
// and leave the model exactly as it was.
void ExpectRefused(const QByteArray& stream, const char* what) {
    CDrawingModel model;
    FillModel(model);
    const QString before = Describe(model);
    EXPECT_THROW(LoadStream(model, stream), FormatError) << what;
    EXPECT_EQ(Describe(model), before) << what;
}

TEST(ModelStreamDamageTest, EveryTruncationIsRefusedAndChangesNothing) {
    CDrawingModel source;
    FillModel(source);
    const QByteArray stream = SaveStream(source);
    CDrawingModel model;
    FillModel(model);
    model.SetTextures(model.Textures() + QStringList{"marker"});
    const QString before = Describe(model);
    ScriptedUser user;
    model.SetUserInterface(&user);
    for (qsizetype length = 0; length < stream.size(); ++length) {
        const QByteArray cut = stream.left(length);
        if (length < 9) {
            EXPECT_THROW(LoadStream(model, cut), WrongFormatError) << "cut at " << length;
        } else {
            EXPECT_THROW(LoadStream(model, cut), FormatError) << "cut at " << length;
        }
        ASSERT_EQ(Describe(model), before) << "cut at " << length;
    }
    EXPECT_TRUE(user.messages.isEmpty());
}

TEST(ModelStreamDamageTest, LyingCountsAndLengthsAreRefused) {
    const uint32_t lie = 0xFFFFFFFF;
    ExpectRefused(Prelude().Str("").U32(lie), "area count");
    ExpectRefused(Prelude().Str("").U32(1).Str("a").U32(lie), "region name count");
    ExpectRefused(Prelude().Str("").U32(1).Str("a").U32(0).U32(lie), "image length");
    ExpectRefused(Prelude().Str("").U32(0).U32(lie), "curve count");
    ExpectRefused(Prelude().Str("").U32(0).U32(1).U32(0x20000000).Raw(QByteArray(64, '\0')),
                  "point count");
    ExpectRefused(Prelude().Str("").U32(0).U32(0).U32(lie), "texture count");
    ExpectRefused(Prelude().Str("").U32(0).U32(0).U32(0).U32(lie), "region count");
    ExpectRefused(Prelude().Str("").U32(0).U32(0).U32(0).U32(1).Str("r").U32(lie), "region size");
    ExpectRefused(Bytes().Raw("MOSVELDAT").U32(lie), "thumbnail length");
    ExpectRefused(Prelude().U8(0xFF).U16(0xFFFF).U32(0x7FFFFFFF), "string length");
}

TEST(ModelStreamDamageTest, RegionDataThatDoesNotFitIsRefused) {
    const Bytes head = std::move(Prelude().Str("").U32(0).U32(0).U32(0).U32(1).Str("r"));
    // nCount promises more rectangles than the data holds.
    ExpectRefused(Bytes(head)
                      .U32(48)
                      .U32(32)
                      .U32(1)
                      .U32(5)
                      .U32(80)
                      .U32(0)
                      .U32(0)
                      .U32(1)
                      .U32(1)
                      .I32(0)
                      .I32(0)
                      .I32(1)
                      .I32(1)
                      .I32(0)
                      .I32(0)
                      .Raw(kNoMask),
                  "rectangle count");
    ExpectRefused(Bytes(head).U32(8).U32(32).U32(1).I32(0).I32(0).Raw(kNoMask), "short header");
}

Bytes BeforeMask(int width, int height) {
    return std::move(Prelude().Str("").U32(0).U32(0).U32(0).U32(0).I32(width).I32(height));
}

TEST(ModelStreamDamageTest, MaskHeadersOutsideTheOneBitLayoutAreRefused) {
    const QByteArray rows(4 * 3, '\xFF');
    ExpectRefused(BeforeMask(20, 3).Mask(20, 3, 6, QByteArray(6 * 3, '\0')), "stride too wide");
    ExpectRefused(BeforeMask(20, 3).Mask(20, 3, 3, QByteArray(3 * 3, '\0')), "odd stride");
    ExpectRefused(BeforeMask(20, 3).Mask(20, 3, 4, rows, 2, 1), "two planes");
    ExpectRefused(BeforeMask(20, 3).Mask(20, 3, 4, rows, 1, 8), "eight bits per pixel");
    ExpectRefused(BeforeMask(20, 3).Mask(20, 4, 4, rows), "one row short");
    ExpectRefused(BeforeMask(20, 3).Mask(-20, 3, 4, rows), "negative width");
    ExpectRefused(BeforeMask(20, 3).Mask(20, -3, 4, rows), "negative height");
    ExpectRefused(BeforeMask(20, 3).Mask(0x7FFFFFFF, 0x7FFFFFFF, 0x10000000, rows), "huge");
    ExpectRefused(BeforeMask(20, 3).I32(1).I32(20).I32(3).I32(4).U16(1).U16(1).U32(0).Raw(rows),
                  "bitmap type");
    ExpectRefused(BeforeMask(-1, 3).Raw(kNoMask), "negative drawing size");
}

TEST(ModelStreamReadTest, MaskOfNoPixelsIsNoMask) {
    for (const QByteArray& stream :
         {BeforeMask(7, 7).Raw(kNoMask).Data(),
          BeforeMask(7, 7).Mask(0, 0, 0, {}, 0, 0).Data(),  // an all-zero header
          BeforeMask(7, 7).Mask(16, 0, 2, {}).Data()}) {
        CDrawingModel model;
        model.SetMaskBitmap(MonoBitmap(8, 8));
        LoadStream(model, stream);
        EXPECT_TRUE(model.GetMaskBitmap().IsNull());
        EXPECT_EQ(model.GetWidth(), 7);
    }
}

}  // namespace
}  // namespace velora
