// SPDX-License-Identifier: GPL-3.0-or-later
// Streams that pass every length check but describe more than the program
// can hold: each is refused as a whole, the model left as it was, before
// the memory it describes is taken. The ceilings are checked in a child
// process with a limited address space, so a regression fails the test
// instead of swapping the machine.

#include "core/common/errors.h"
#include "core/model/drawing_model.h"
#include "core/model/drawing_size.h"
#include "core/model/load_budget.h"

#include "area_image_support.h"
#include "child_process.h"
#include "model_stream_builder.h"
#include "model_stream_support.h"
#include "model_test_support.h"
#include "sanitizer_skip.h"
#include "stream_bytes.h"

#include <QFile>
#include <QPainter>

#include <gtest/gtest.h>

#include <unistd.h>

#include <functional>

namespace velora {
namespace {

using test::AreaRecord;
using test::Bytes;
using test::EmptyCurvesStream;
using test::ModelStream;
using test::StreamParts;

constexpr rlim_t kMegabyte = rlim_t(1) << 20;

// The message a load fails with; empty when it loads.
QString LoadFailure(CDrawingModel& model, const QByteArray& stream) {
    try {
        test::LoadStream(model, stream);
    } catch (const FormatError& error) {
        return error.Message();
    }
    return {};
}

// The address space the test program takes now, plus room for the work.
rlim_t AddressSpaceWith(rlim_t room) {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return RLIM_INFINITY;
    const rlim_t pages = statm.readAll().split(' ').value(0).toULongLong();
    return pages * rlim_t(sysconf(_SC_PAGESIZE)) + room;
}

// Loads the stream in a child allowed room bytes more than the test program
// takes: 0 when it is refused, 1 when it loads, anything else when it broke
// the ceiling.
int LoadUnderCeiling(const QByteArray& stream, rlim_t room) {
    const test::ChildEnd end = test::RunInChild(
        [&] {
            CDrawingModel model;
            return LoadFailure(model, stream).isEmpty() ? 1 : 0;
        },
        {{RLIMIT_AS, AddressSpaceWith(room)}});
    return end.exited ? end.status : -1;
}

class LoadLimitsTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.SetTemplateName("before");
        test::AddRegion(model, QRegion(1, 1, 2, 2), false, "kept");
        before = test::Describe(model);
    }
    void ExpectRefused(const QByteArray& stream, const QString& reason) {
        EXPECT_EQ(LoadFailure(model, stream), reason);
        EXPECT_EQ(test::Describe(model), before);
    }

    CDrawingModel model;
    QString before;
};

// --- the drawing's size ---------------------------------------------------------

TEST_F(LoadLimitsTest, SizesImportMakesLoad) {
    StreamParts parts;
    for (const QSize size :
         {QSize(0, 0), QSize(1, 1), QSize(1, kMaxModelSide), QSize(kMaxModelSide, kMaxModelSide)}) {
        parts.width = size.width();
        parts.height = size.height();
        CDrawingModel loaded;
        EXPECT_EQ(LoadFailure(loaded, ModelStream(parts)), QString()) << size.width();
        EXPECT_EQ(QSize(loaded.GetWidth(), loaded.GetHeight()), size);
    }
}

TEST_F(LoadLimitsTest, SizesBeyondWhatImportMakesAreRefusedWithTheSize) {
    StreamParts parts;
    parts.width = parts.height = 46341;
    ExpectRefused(ModelStream(parts),
                  "the drawing is 46341 \u00d7 46341 pixels; the largest this program handles is "
                  "30020 \u00d7 30020");
    parts.width = 1;
    parts.height = 2147483647;
    ExpectRefused(ModelStream(parts),
                  "the drawing is 1 \u00d7 2147483647 pixels; the largest this program handles "
                  "is 30020 \u00d7 30020");
    parts.width = kMaxModelSide + 1;
    parts.height = 1;
    EXPECT_TRUE(LoadFailure(model, ModelStream(parts)).startsWith("the drawing is 30021 \u00d7 1"));
    parts.width = 0;
    parts.height = 5;
    ExpectRefused(ModelStream(parts), "the drawing is 0 \u00d7 5 pixels, which no drawing can be");
    parts.width = -1;
    parts.height = 3;
    ExpectRefused(ModelStream(parts), "the drawing is -1 \u00d7 3 pixels, which no drawing can be");
}

// --- the budget's rule ----------------------------------------------------------

TEST(LoadBudgetTest, ItemsMayTakeTheAllowanceAndAMultipleOfTheStream) {
    constexpr uint64_t kStream = 1000;
    const uint64_t limit =
        LoadBudget::kItemAllowance + LoadBudget::kItemBytesPerStreamByte * kStream;
    LoadBudget budget(kStream);
    budget.ChargeItems(2, limit / 2, "halves");
    EXPECT_EQ(budget.ItemBytes(), limit);
    try {
        budget.ChargeItems(1, 1, "curves");
        FAIL() << "a byte beyond the budget was granted";
    } catch (const FormatError& error) {
        EXPECT_EQ(error.Message(),
                  "is damaged: 1 curves would take 64 MB of memory, more than "
                  "1000 bytes of data can describe");
    }
    EXPECT_EQ(budget.ItemBytes(), limit) << "a refused charge takes nothing";
    // Counts whose product overflows are refused, not wrapped round.
    EXPECT_THROW(LoadBudget(kStream).ChargeItems(uint64_t(1) << 40, uint64_t(1) << 40, "x"),
                 FormatError);
}

TEST(LoadBudgetTest, ImagesMayTakeTheAllowanceAndAMultipleOfTheirBytes) {
    constexpr size_t kStored = 4096;
    // Four bytes a pixel: the allowance and sixteen times the stored bytes.
    const uint64_t pixels =
        (LoadBudget::kImageAllowance + LoadBudget::kImageBytesPerStoredByte * kStored) / 4;
    LoadBudget budget(0);
    budget.ChargeImage(QSize(1024, static_cast<int>(pixels / 1024)), kStored);
    EXPECT_EQ(budget.ImageBytes(), pixels * 4);
    EXPECT_THROW(budget.ChargeImage(QSize(1, 1), 0), FormatError);
    // A stored image brings its own allowance with it.
    budget.ChargeImage(QSize(1, 4), 1);
    EXPECT_EQ(budget.ImageBytes(), pixels * 4 + 16);
}

// --- streams against the budget -------------------------------------------------

TEST_F(LoadLimitsTest, ManyEmptyCurvesLoadWhileTheyFit) {
    CDrawingModel loaded;
    EXPECT_EQ(LoadFailure(loaded, EmptyCurvesStream(100000)), QString());
    EXPECT_EQ(loaded.Curves().size(), 100000u);
}

// Twenty million empty curves took 8.5 GB before the count was refused.
TEST_F(LoadLimitsTest, EmptyCurvesBeyondTheBudgetAreRefusedBeforeTheyAreMade) {
    const QByteArray stream = EmptyCurvesStream(2000000);
    const QString failure = LoadFailure(model, stream);
    EXPECT_TRUE(failure.startsWith("is damaged: 2000000 curves would take "))
        << failure.toStdString();
    EXPECT_TRUE(failure.endsWith(" of memory, more than 9 MB of data can describe"))
        << failure.toStdString();
    EXPECT_EQ(test::Describe(model), before);
    VELORA_SKIP_ADDRESS_CEILING();
    EXPECT_EQ(LoadUnderCeiling(stream, 128 * kMegabyte), 0);
}

TEST_F(LoadLimitsTest, EmptyRegionNamesBeyondTheBudgetAreRefused) {
    constexpr uint32_t kNames = 10000000;
    StreamParts parts;
    parts.areaCount = 1;
    parts.areas = Bytes().Str("A").U32(kNames).Raw(QByteArray(kNames, '\0')).U32(0);
    const QByteArray stream = ModelStream(parts);
    EXPECT_TRUE(LoadFailure(model, stream).startsWith("is damaged: 10000000 region names"));
    EXPECT_EQ(test::Describe(model), before);
    VELORA_SKIP_ADDRESS_CEILING();
    EXPECT_EQ(LoadUnderCeiling(stream, 128 * kMegabyte), 0);
}

// Rectangles that overlap split into many more; 64 bars each way into
// thousands, far more memory than their bytes.
TEST_F(LoadLimitsTest, RegionsWhoseRectanglesMultiplyAreRefused) {
    std::vector<std::vector<int>> bars;
    for (int i = 0; i < 64; ++i) {
        bars.push_back({0, 4 * i, 256, 4 * i + 2});
        bars.push_back({4 * i, 0, 4 * i + 2, 256});
    }
    const auto regions = [&](uint32_t count) {
        StreamParts parts;
        parts.regionCount = count;
        Bytes bytes;
        for (uint32_t i = 0; i < count; ++i) bytes.Str("R").RegionData(bars);
        parts.regions = bytes;
        return ModelStream(parts);
    };
    CDrawingModel few;
    EXPECT_EQ(LoadFailure(few, regions(4)), QString());
    ASSERT_EQ(few.Regions().size(), 4u);
    EXPECT_GT(few.Regions()[0]->GetRegion().rectCount(), 4000);

    // Six thousand of them would take over 400 MB.
    const QByteArray many = regions(6000);
    const QString failure = LoadFailure(model, many);
    EXPECT_TRUE(failure.startsWith("is damaged: ")) << failure.toStdString();
    EXPECT_TRUE(failure.contains(" region rectangles would take ")) << failure.toStdString();
    EXPECT_EQ(test::Describe(model), before);
    VELORA_SKIP_ADDRESS_CEILING();
    EXPECT_EQ(LoadUnderCeiling(many, 256 * kMegabyte), 0);
}

// The JPEG with a comment telling it apart from others of the same size:
// areas that hold equal bytes share one image and are charged once.
QByteArray Numbered(QByteArray jpeg, int number) {
    return jpeg.insert(2, QByteArray("\xff\xfe\x00\x03", 4) + char(number));
}

// Area images are charged at the size their headers declare, before any is
// decoded: up to the allowance plus sixteen times their bytes, not a pixel
// more. Equal images are charged once.
TEST_F(LoadLimitsTest, AreaImagesMayDeclareUpToTheirAllowance) {
    const auto design = [&](const std::function<QByteArray(int)>& image) {
        StreamParts parts;
        parts.areaCount = 9;
        for (int i = 0; i < 9; ++i) parts.areas += AreaRecord("A", "R", image(i));
        return ModelStream(parts);
    };
    const QByteArray large = Numbered(test::JpegDeclaring(4096, 4096), 0);
    // Eight images of 4096 x 4096 take the allowance; the ninth may take
    // sixteen times the bytes of all nine.
    const uint64_t stored = 9 * uint64_t(large.size());
    const int rows = static_cast<int>(LoadBudget::kImageBytesPerStoredByte * stored / 4 / 64);
    ASSERT_GT(rows, 1);
    const auto eightLargeAnd = [&](const QByteArray& last) {
        return design([&](int i) {
            return i < 8 ? Numbered(test::JpegDeclaring(4096, 4096), i) : Numbered(last, 8);
        });
    };
    ASSERT_EQ(test::JpegDeclaring(64, rows + 1).size(), test::JpegDeclaring(4096, 4096).size());
    CDrawingModel loaded;
    EXPECT_EQ(LoadFailure(loaded, eightLargeAnd(test::JpegDeclaring(64, rows))), QString());
    EXPECT_EQ(loaded.Areas()[8].ImageSize(), QSize(64, rows));

    const QString failure = LoadFailure(model, eightLargeAnd(test::JpegDeclaring(64, rows + 1)));
    EXPECT_TRUE(failure.startsWith("is damaged: its area images would take "))
        << failure.toStdString();
    EXPECT_EQ(test::Describe(model), before);

    CDrawingModel shared;
    EXPECT_EQ(LoadFailure(shared, design([&](int) { return large; })), QString())
        << "nine areas holding the same bytes share one image";
    EXPECT_EQ(shared.Areas()[8].ImageSize(), QSize(4096, 4096));
}

// A region of 60000 x 60000 pixels around a drawing of 24 x 12 took 7 GB for
// its tile; now it takes the drawing's part.
TEST_F(LoadLimitsTest, RegionFarOutsideASmallDrawingRendersInLittleMemory) {
    VELORA_SKIP_ADDRESS_CEILING();
    StreamParts parts;
    parts.areaCount = 1;
    const QByteArray image = test::Encode(test::Solid(1, 1, qRgb(0, 0, 255)));
    parts.areas = AreaRecord("A", "R", image);
    parts.regionCount = 1;
    parts.regions = Bytes().Str("R").RegionData({{0, 0, 1, 1}, {59999, 59999, 60000, 60000}});
    const QByteArray stream = ModelStream(parts);
    const test::ChildEnd end = test::RunInChild(
        [&] {
            CDrawingModel loaded;
            test::LoadStream(loaded, stream);
            QImage picture(loaded.GetWidth(), loaded.GetHeight(), QImage::Format_RGB16);
            QPainter painter(&picture);
            loaded.Render(painter, true);
            return picture.pixel(0, 0) == qRgb(0, 0, 255) ? 0 : 1;
        },
        {{RLIMIT_AS, AddressSpaceWith(128 * kMegabyte)}});
    EXPECT_TRUE(end.exited);
    EXPECT_EQ(end.status, 0);
}

}  // namespace
}  // namespace velora
