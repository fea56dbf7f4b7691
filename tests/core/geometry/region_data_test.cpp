// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/region_data.h"

#include "core/common/errors.h"

#include <gtest/gtest.h>

#include <QtEndian>

#include <random>

namespace velora {
namespace {

using Rects = std::vector<QRect>;

// Rectangles as left, top, right, bottom with right and bottom exclusive.
QRect Ltrb(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

// The union as Qt's own region operations build it, one rectangle at a time.
QRegion UnionOracle(const Rects& rects) {
    QRegion region;
    for (const QRect& rect : rects) region = region.united(rect);
    return region;
}

// The banded form: sorted by top then left; a band's rectangles share top
// and bottom and neither touch nor overlap; bands meeting edge to edge
// differ in their spans.
::testing::AssertionResult IsCanonical(const Rects& rects) {
    std::vector<std::pair<size_t, size_t>> bands;
    for (size_t i = 0; i < rects.size();) {
        size_t end = i + 1;
        while (end < rects.size() && rects[end].top() == rects[i].top()) ++end;
        bands.push_back({i, end});
        i = end;
    }
    for (size_t b = 0; b < bands.size(); ++b) {
        const auto [start, end] = bands[b];
        for (size_t k = start + 1; k < end; ++k) {
            if (rects[k].bottom() != rects[start].bottom())
                return ::testing::AssertionFailure() << "band heights differ at " << k;
            if (rects[k].left() <= rects[k - 1].right() + 1)
                return ::testing::AssertionFailure() << "rectangles touch at " << k;
        }
        if (b == 0) continue;
        const auto [previous, previousEnd] = bands[b - 1];
        if (rects[start].top() <= rects[previous].bottom())
            return ::testing::AssertionFailure() << "bands overlap at " << start;
        if (rects[start].top() != rects[previous].bottom() + 1 ||
            previousEnd - previous != end - start)
            continue;
        bool same = true;
        for (size_t k = 0; k < end - start; ++k) {
            same &= rects[previous + k].left() == rects[start + k].left() &&
                    rects[previous + k].right() == rects[start + k].right();
        }
        if (same) return ::testing::AssertionFailure() << "equal bands meet at " << start;
    }
    return ::testing::AssertionSuccess();
}

TEST(RegionFromRectsTest, OverlappingRectanglesSplitIntoBands) {
    const QRegion region = RegionFromRects(Rects{Ltrb(0, 0, 10, 10), Ltrb(5, 5, 15, 15)});
    EXPECT_EQ(RegionRects(region),
              (Rects{Ltrb(0, 0, 10, 5), Ltrb(0, 5, 15, 10), Ltrb(5, 10, 15, 15)}));
}

TEST(RegionFromRectsTest, TouchingOrOverlappingRectanglesOfABandMerge) {
    const QRegion region = RegionFromRects(
        Rects{Ltrb(5, 0, 10, 2), Ltrb(0, 0, 5, 2), Ltrb(20, 0, 30, 2), Ltrb(25, 0, 40, 2)});
    EXPECT_EQ(RegionRects(region), (Rects{Ltrb(0, 0, 10, 2), Ltrb(20, 0, 40, 2)}));
}

TEST(RegionFromRectsTest, EqualBandsThatMeetBecomeOne) {
    // One run per scanline, as the region capture gives them.
    Rects rows;
    for (int y = 0; y < 50; ++y) {
        rows.push_back(Ltrb(3, y, 8, y + 1));
        rows.push_back(Ltrb(12, y, 20, y + 1));
    }
    EXPECT_EQ(RegionRects(RegionFromRects(rows)), (Rects{Ltrb(3, 0, 8, 50), Ltrb(12, 0, 20, 50)}));
}

TEST(RegionFromRectsTest, BandsWithAGapOrOtherSpansStaySeparate) {
    const Rects gap{Ltrb(0, 0, 10, 1), Ltrb(0, 2, 10, 3)};
    EXPECT_EQ(RegionRects(RegionFromRects(gap)), gap);
    const Rects shifted{Ltrb(0, 0, 10, 1), Ltrb(1, 1, 10, 2)};
    EXPECT_EQ(RegionRects(RegionFromRects(shifted)), shifted);
}

TEST(RegionFromRectsTest, EmptyRectanglesAreIgnored) {
    EXPECT_TRUE(RegionFromRects(Rects{}).isEmpty());
    EXPECT_TRUE(RegionFromRects(Rects{QRect(), QRect(5, 5, 0, 3), QRect(1, 1, 4, -2)}).isEmpty());
    EXPECT_EQ(RegionRects(RegionFromRects(Rects{QRect(), QRect(2, 3, 4, 5)})),
              (Rects{QRect(2, 3, 4, 5)}));
}

TEST(RegionFromRectsTest, RandomUnionsMatchQtsOwnRegionOperations) {
    std::mt19937 random(1234);
    std::uniform_int_distribution<int> coordinate(-5, 25);
    std::uniform_int_distribution<int> count(1, 25);
    for (int round = 0; round < 300; ++round) {
        Rects rects;
        const int n = count(random);
        for (int i = 0; i < n; ++i) {
            const int a = coordinate(random), b = coordinate(random);
            const int c = coordinate(random), d = coordinate(random);
            rects.push_back(Ltrb(std::min(a, b), std::min(c, d), std::max(a, b), std::max(c, d)));
        }
        const QRegion region = RegionFromRects(rects);
        const QRegion oracle = UnionOracle(rects);
        ASSERT_EQ(region, oracle) << "round " << round;
        ASSERT_EQ(RegionRects(region), RegionRects(oracle)) << "round " << round;
        ASSERT_TRUE(IsCanonical(RegionRects(region))) << "round " << round;
    }
}

TEST(RegionFromRectsTest, CaptureRowsWithWideningMatchTheUnion) {
    // Rows of runs widened by one pixel, so that neighbouring runs touch or
    // overlap and the first and last rows reach one row further.
    std::mt19937 random(99);
    std::uniform_int_distribution<int> gap(1, 4);
    std::uniform_int_distribution<int> length(1, 6);
    Rects rects;
    const int rows = 200;
    for (int y = 0; y < rows; ++y) {
        int x = gap(random);
        for (int run = 0; run < 3; ++run) {
            const int end = x + length(random);
            rects.push_back(Ltrb(x - 1, y - (y == 0), end + 1, y + 1 + (y == rows - 1)));
            x = end + gap(random);
        }
    }
    const QRegion region = RegionFromRects(rects);
    EXPECT_EQ(RegionRects(region), RegionRects(UnionOracle(rects)));
    EXPECT_TRUE(IsCanonical(RegionRects(region)));
}

TEST(RegionFromRectsTest, CrossingStripsGiveTheFullGrid) {
    // Thin strips crossing each other: the union needs about n^2 pieces.
    Rects rects;
    for (int i = 0; i < 60; ++i) {
        rects.push_back(Ltrb(0, 3 * i, 180, 3 * i + 1));
        rects.push_back(Ltrb(3 * i, 0, 3 * i + 1, 180));
    }
    const QRegion region = RegionFromRects(rects);
    EXPECT_EQ(RegionRects(region), RegionRects(UnionOracle(rects)));
    EXPECT_GT(region.rectCount(), 60 * 59);
}

// Region data with the given header fields and rectangles.
QByteArray RgnData(uint32_t size, uint32_t type, uint32_t count, const std::vector<QRect>& rects,
                   QRect bound = {}) {
    QByteArray data(32 + 16 * static_cast<int>(rects.size()), '\0');
    auto put = [&data](int offset, int32_t value) {
        qToLittleEndian<int32_t>(value, data.data() + offset);
    };
    put(0, static_cast<int32_t>(size));
    put(4, static_cast<int32_t>(type));
    put(8, static_cast<int32_t>(count));
    put(12, static_cast<int32_t>(16 * count));
    put(16, bound.left());
    put(20, bound.top());
    put(24, bound.right() + 1);
    put(28, bound.bottom() + 1);
    for (size_t i = 0; i < rects.size(); ++i) {
        // Written raw, so that empty and inverted rectangles can be stored.
        const int offset = 32 + 16 * static_cast<int>(i);
        put(offset, rects[i].left());
        put(offset + 4, rects[i].top());
        put(offset + 8, rects[i].right() + 1);
        put(offset + 12, rects[i].bottom() + 1);
    }
    return data;
}

std::span<const uint8_t> Bytes(const QByteArray& data) {
    return {reinterpret_cast<const uint8_t*>(data.constData()), static_cast<size_t>(data.size())};
}

int32_t Field(const QByteArray& data, int offset) {
    return qFromLittleEndian<int32_t>(data.constData() + offset);
}

TEST(RgnDataTest, HeaderAndRectanglesAreWrittenAsStored) {
    const QRegion region = RegionFromRects(Rects{Ltrb(10, 5, 30, 8), Ltrb(-4, 8, 12, 20)});
    const QByteArray data = RgnDataFromRegion(region);
    ASSERT_EQ(data.size(), 32 + 2 * 16);
    EXPECT_EQ(Field(data, 0), 32);
    EXPECT_EQ(Field(data, 4), 1);
    EXPECT_EQ(Field(data, 8), 2);
    EXPECT_EQ(Field(data, 12), 32);
    EXPECT_EQ(Field(data, 16), -4);  // bounding box
    EXPECT_EQ(Field(data, 20), 5);
    EXPECT_EQ(Field(data, 24), 30);
    EXPECT_EQ(Field(data, 28), 20);
    const int32_t expected[] = {10, 5, 30, 8, -4, 8, 12, 20};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(Field(data, 32 + 4 * i), expected[i]) << i;
}

TEST(RgnDataTest, EmptyRegionIsAHeaderWithZeroCountAndBound) {
    const QByteArray data = RgnDataFromRegion(QRegion());
    ASSERT_EQ(data.size(), 32);
    EXPECT_EQ(Field(data, 0), 32);
    EXPECT_EQ(Field(data, 4), 1);
    for (int offset = 8; offset < 32; offset += 4) EXPECT_EQ(Field(data, offset), 0) << offset;
    EXPECT_TRUE(RegionFromRgnData(Bytes(data)).isEmpty());
}

TEST(RgnDataTest, RoundTripKeepsTheRegionAndItsBytes) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-50, 50);
    for (int round = 0; round < 50; ++round) {
        Rects rects;
        for (int i = 0; i < 12; ++i) {
            const int x = coordinate(random), y = coordinate(random);
            rects.push_back(QRect(x, y, 1 + (x & 15), 1 + (y & 7)));
        }
        const QRegion region = RegionFromRects(rects);
        const QByteArray data = RgnDataFromRegion(region);
        const QRegion back = RegionFromRgnData(Bytes(data));
        ASSERT_EQ(RegionRects(back), RegionRects(region));
        ASSERT_EQ(RgnDataFromRegion(back), data);
    }
}

TEST(RgnDataTest, ForeignRectanglesAreUnitedAndTheStoredBoundIgnored) {
    // Unsorted, overlapping, with an empty and an inverted rectangle, a
    // wrong bound and trailing bytes.
    QByteArray data = RgnData(32, 1, 5,
                              {Ltrb(5, 5, 15, 15), Ltrb(0, 0, 10, 10), Ltrb(3, 3, 3, 9),
                               QRect(QPoint(50, 50), QPoint(40, 60)), Ltrb(0, 0, 10, 10)},
                              QRect(100, 100, 1, 1));
    data.append("trailing bytes", 14);
    const QRegion region = RegionFromRgnData(Bytes(data));
    EXPECT_EQ(RegionRects(region),
              (Rects{Ltrb(0, 0, 10, 5), Ltrb(0, 5, 15, 10), Ltrb(5, 10, 15, 15)}));
}

TEST(RgnDataTest, CanonicalDataIsTakenUnchanged) {
    // Several rectangles per band, bands that meet with other spans, bands
    // with gaps between them: the rectangles come back one for one.
    const Rects canonical{Ltrb(0, 0, 4, 2), Ltrb(6, 0, 9, 2),   Ltrb(0, 2, 4, 3),
                          Ltrb(6, 2, 8, 3), Ltrb(-3, 5, 20, 6), Ltrb(2, 6, 3, 9),
                          Ltrb(5, 6, 7, 9), Ltrb(11, 6, 12, 9)};
    const QByteArray data = RgnData(32, 1, static_cast<uint32_t>(canonical.size()), canonical);
    const QRegion region = RegionFromRgnData(Bytes(data));
    EXPECT_EQ(RegionRects(region), canonical);
    EXPECT_EQ(region.boundingRect(), Ltrb(-3, 0, 20, 9));
    EXPECT_EQ(region, UnionOracle(canonical));
}

TEST(RgnDataTest, DataThatOnlyLooksCanonicalIsUnited) {
    // Each list is sorted like canonical data but breaks one of its rules.
    const Rects cases[] = {
        {Ltrb(0, 0, 4, 2), Ltrb(4, 0, 9, 2)},                    // touching in a band
        {Ltrb(0, 0, 5, 2), Ltrb(4, 0, 9, 2)},                    // overlapping in a band
        {Ltrb(0, 0, 4, 2), Ltrb(6, 0, 9, 3)},                    // band of two heights
        {Ltrb(0, 0, 4, 2), Ltrb(1, 1, 5, 3)},                    // bands overlapping
        {Ltrb(0, 0, 4, 2), Ltrb(0, 2, 4, 3)},                    // equal bands meeting
        {Ltrb(6, 0, 9, 2), Ltrb(0, 0, 4, 2)},                    // a band out of order
        {Ltrb(0, 5, 4, 6), Ltrb(0, 0, 4, 2)},                    // bands out of order
        {Ltrb(0, 0, 4, 2), Ltrb(3, 3, 3, 9), Ltrb(0, 2, 4, 3)},  // equal once the empty goes
    };
    for (const Rects& rects : cases) {
        const QByteArray data = RgnData(32, 1, static_cast<uint32_t>(rects.size()), rects);
        const QRegion region = RegionFromRgnData(Bytes(data));
        EXPECT_EQ(RegionRects(region), RegionRects(UnionOracle(rects)));
        EXPECT_TRUE(IsCanonical(RegionRects(region)));
    }
}

TEST(RgnDataTest, CanonicalDataWithOneChangeReadsAsItsUnion) {
    // Canonical lists with one rectangle moved, widened or shifted by a
    // pixel: whatever is still canonical must come back as it is, the rest
    // united.
    std::mt19937 random(4242);
    std::uniform_int_distribution<int> coordinate(0, 30);
    for (int round = 0; round < 400; ++round) {
        Rects seed;
        for (int i = 0; i < 8; ++i) {
            const int x = coordinate(random), y = coordinate(random);
            seed.push_back(QRect(x, y, 1 + x % 7, 1 + y % 5));
        }
        Rects rects = RegionRects(RegionFromRects(seed));
        std::uniform_int_distribution<size_t> pick(0, rects.size() - 1);
        QRect& changed = rects[pick(random)];
        switch (round % 4) {
            case 0:
                std::swap(changed, rects[pick(random)]);
                break;
            case 1:
                changed.setRight(changed.right() + 1);
                break;
            case 2:
                changed.setLeft(changed.left() - 1);
                break;
            case 3:
                changed.translate(0, 1);
                break;
        }
        const QByteArray data = RgnData(32, 1, static_cast<uint32_t>(rects.size()), rects);
        const QRegion region = RegionFromRgnData(Bytes(data));
        // Qt's own union leaves equal bands that meet apart at times, so
        // the pixels are compared with it and the rectangles with the sweep.
        ASSERT_TRUE(region.xored(UnionOracle(rects)).isEmpty()) << "round " << round;
        const Rects read = RegionRects(region);
        ASSERT_EQ(read, RegionRects(RegionFromRects(rects))) << "round " << round;
        ASSERT_TRUE(IsCanonical(read)) << "round " << round;
        if (IsCanonical(rects)) {
            ASSERT_EQ(read, rects) << "round " << round;
        }
    }
}

TEST(RgnDataTest, CountBelowTheRectanglesPresentReadsOnlyThatMany) {
    const QByteArray data = RgnData(32, 1, 1, {Ltrb(0, 0, 1, 1), Ltrb(5, 5, 6, 6)});
    EXPECT_EQ(RegionRects(RegionFromRgnData(Bytes(data))), (Rects{Ltrb(0, 0, 1, 1)}));
}

TEST(RgnDataTest, DamagedDataIsRefused) {
    const Rects one{Ltrb(0, 0, 4, 4)};
    const QByteArray good = RgnData(32, 1, 1, one);
    EXPECT_NO_THROW(RegionFromRgnData(Bytes(good)));
    const QByteArray cases[] = {
        QByteArray(),
        good.left(31),
        RgnData(0, 1, 1, one),
        RgnData(40, 1, 1, one),
        RgnData(32, 2, 1, one),
        RgnData(32, 0, 1, one),
        RgnData(32, 1, 2, one),            // counts more than it holds
        RgnData(32, 1, 0xFFFFFFFFu, one),  // a count that overflows a naive size
        good.left(47),                     // the rectangle cut short
        RgnData(32, 1, 1, {Ltrb(0, 0, 1 << 27, 4)}),
        RgnData(32, 1, 1, {Ltrb(-(1 << 27), 0, 5, 4)}),
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_THROW(RegionFromRgnData(Bytes(cases[i])), FormatError) << "case " << i;
    }
}

TEST(RgnDataTest, ErrorsSayWhatIsWrong) {
    try {
        RegionFromRgnData(Bytes(RgnData(32, 1, 3, {Ltrb(0, 0, 4, 4)})));
        FAIL() << "no error";
    } catch (const FormatError& error) {
        EXPECT_TRUE(error.Message().contains("3 rectangles")) << error.what();
    }
}

TEST(RgnDataTest, RectanglesThatWouldSplitBeyondBoundAreRefused) {
    // 3000 crossing strips would need millions of rectangles once banded.
    Rects rects;
    for (int i = 0; i < 1500; ++i) {
        rects.push_back(Ltrb(0, 2 * i, 3000, 2 * i + 1));
        rects.push_back(Ltrb(2 * i, 0, 2 * i + 1, 3000));
    }
    const QByteArray data = RgnData(32, 1, static_cast<uint32_t>(rects.size()), rects);
    EXPECT_THROW(RegionFromRgnData(Bytes(data)), FormatError);
}

}  // namespace
}  // namespace velora
