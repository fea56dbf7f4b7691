// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/connected_outline.h"

#include "core/geometry/flood_fill.h"
#include "support/mask_pictures.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <set>

namespace velora {
namespace {

using test::LightMask;

std::set<std::pair<int, int>> DarkPixels(const MonoBitmap& mask) {
    std::set<std::pair<int, int>> dark;
    for (int y = 0; y < mask.Height(); ++y) {
        for (int x = 0; x < mask.Width(); ++x) {
            if (!mask.Pixel(x, y)) dark.insert({x, y});
        }
    }
    return dark;
}

// The pixels the painter's aliased pen of width 1 darkens for the path.
std::set<std::pair<int, int>> PenPixels(const Path& path, QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        painter.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.drawPath(path.ToPainterPath());
    }
    std::set<std::pair<int, int>> dark;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            if (picture.pixel(x, y) != qRgb(255, 255, 255)) dark.insert({x, y});
        }
    }
    return dark;
}

// Whether the pixels hang together, touching sideways or at corners.
bool EightConnected(const std::set<std::pair<int, int>>& pixels) {
    if (pixels.empty()) return true;
    std::set<std::pair<int, int>> reached{*pixels.begin()};
    std::vector<std::pair<int, int>> pending{*pixels.begin()};
    while (!pending.empty()) {
        const auto [x, y] = pending.back();
        pending.pop_back();
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const std::pair<int, int> next{x + dx, y + dy};
                if (pixels.count(next) && reached.insert(next).second) pending.push_back(next);
            }
        }
    }
    return reached.size() == pixels.size();
}

PointF RandomPoint(std::mt19937& random, float low, float high) {
    std::uniform_real_distribution<float> coordinate(low, high);
    return {coordinate(random), coordinate(random)};
}

TEST(ConnectedOutlineTest, StraightLinesTakeThePensOwnPixels) {
    std::mt19937 random(11);
    int differing = 0;
    int drawn = 0;
    for (int i = 0; i < 300; ++i) {
        Path path;
        path.AddLine(RandomPoint(random, 3, 77), RandomPoint(random, 3, 77));
        MonoBitmap mask = LightMask(80, 80);
        DrawConnectedOutline(mask, path);
        const auto chain = DarkPixels(mask);
        const auto pen = PenPixels(path, QSize(80, 80));
        drawn += static_cast<int>(pen.size());
        for (const auto& pixel : chain) differing += !pen.count(pixel);
        for (const auto& pixel : pen) differing += !chain.count(pixel);
    }
    // Only rounding at a column's edge may choose the neighbouring pixel.
    EXPECT_GT(drawn, 5000);
    EXPECT_LE(differing * 500, drawn);
}

TEST(ConnectedOutlineTest, ChainsOfRandomPolylinesAndCurvesHangTogether) {
    std::mt19937 random(23);
    for (int i = 0; i < 300; ++i) {
        Path path;
        std::vector<PointF> points;
        for (int k = 0; k < 6; ++k) points.push_back(RandomPoint(random, 25, 75));
        if (i % 2) {
            path.AddLines(points);
        } else {
            path.AddCurve(points, 0.5f);
        }
        MonoBitmap mask = LightMask(100, 100);
        DrawConnectedOutline(mask, path);
        const auto chain = DarkPixels(mask);
        ASSERT_FALSE(chain.empty());
        ASSERT_TRUE(EightConnected(chain)) << "path " << i;
    }
}

// The chain alone holds the fill of every closed figure, whatever the pen
// does: random polygons, ellipses and tiny shapes at fractional places.
TEST(ConnectedOutlineTest, ClosedFiguresHoldTheirFill) {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < 2000; ++i) {
        const double radius = 6 + 60 * unit(random) * unit(random);
        const QPointF centre(70 + 10 * unit(random), 70 + 10 * unit(random));
        Path path;
        if (i % 2) {
            path.AddEllipse(static_cast<float>(centre.x() - radius),
                            static_cast<float>(centre.y() - radius * 0.7),
                            static_cast<float>(2 * radius), static_cast<float>(1.4 * radius));
        } else {
            std::vector<PointF> corners;
            const int count = 3 + i % 5;
            for (int k = 0; k < count; ++k) {
                const double angle = (k + 0.3 * unit(random)) * 2 * std::numbers::pi / count;
                corners.push_back({static_cast<float>(centre.x() + radius * std::cos(angle)),
                                   static_cast<float>(centre.y() + radius * std::sin(angle))});
            }
            path.AddPolygon(corners);
        }
        MonoBitmap mask = LightMask(150, 150);
        DrawConnectedOutline(mask, path);
        const QPoint click(static_cast<int>(centre.x()), static_cast<int>(centre.y()));
        ASSERT_TRUE(mask.Pixel(click.x(), click.y())) << "shape " << i;
        for (const PixelRun& run : FloodFillRuns(mask, click.x(), click.y())) {
            ASSERT_TRUE(run.y > 0 && run.y < 149 && run.x0 > 0 && run.x1 < 149)
                << "shape " << i << " leaks at row " << run.y;
        }
    }
}

// A figure chained from pieces whose ends only round to the same point still
// closes; one that stops farther from its start stays open.
TEST(ConnectedOutlineTest, FiguresEndingNextToTheirStartAreClosed) {
    // The chain starts at pixel (20, 20); the figure ends at the given point.
    const auto fillReachesBorder = [](PointF end) {
        Path path;
        const std::vector<PointF> points{{20, 20}, {60, 20.3f}, {60.4f, 60}, {20, 59.6f}, end};
        path.AddLines(points);
        MonoBitmap mask = LightMask(80, 80);
        DrawConnectedOutline(mask, path);
        const std::vector<PixelRun> runs = FloodFillRuns(mask, 40, 40);
        return std::any_of(runs.begin(), runs.end(),
                           [](const PixelRun& run) { return run.y == 0 || run.x0 == 0; });
    };
    EXPECT_FALSE(fillReachesBorder({20, 20}));
    EXPECT_FALSE(fillReachesBorder({20, 21.6f}));  // ends at pixel (20, 22)
    EXPECT_TRUE(fillReachesBorder({28, 21.6f}));
}

double DistanceToSegment(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double t =
        std::clamp(QPointF::dotProduct(p - a, ab) / QPointF::dotProduct(ab, ab), 0.0, 1.0);
    const QPointF off = p - (a + t * ab);
    return std::hypot(off.x(), off.y());
}

// A figure that leaves the mask over one edge and comes back over another
// must not be joined across the mask's corner.
TEST(ConnectedOutlineTest, OutlinesLeavingTheMaskAreNotJoinedAcrossIt) {
    const std::vector<PointF> corners{{10, 10}, {50, 10}, {100, 100}, {10, 50}};
    Path path;
    path.AddPolygon(corners);
    MonoBitmap mask = LightMask(60, 60);
    DrawConnectedOutline(mask, path);
    const auto dark = DarkPixels(mask);
    EXPECT_GT(dark.size(), 100u);
    for (const auto& [x, y] : dark) {
        double nearest = 1e9;
        for (size_t i = 0; i < corners.size(); ++i) {
            nearest = std::min(nearest,
                               DistanceToSegment(QPointF(x + 0.5, y + 0.5), corners[i].ToQPointF(),
                                                 corners[(i + 1) % 4].ToQPointF()));
        }
        EXPECT_LE(nearest, 1.5) << x << "," << y;
    }
}

TEST(ConnectedOutlineTest, FarAwayPointsAreCutAndUndefinedOnesLeftOut) {
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    constexpr float kNan = std::numeric_limits<float>::quiet_NaN();
    MonoBitmap mask = LightMask(50, 40);
    Path across;
    across.AddLine({-1e30f, 20.5f}, {1e30f, 20.5f});
    DrawConnectedOutline(mask, across);
    Path down;
    down.AddLine({10.5f, 30}, {10.5f, 1e30f});
    DrawConnectedOutline(mask, down);
    Path undefined;
    undefined.AddLine({kNan, 5}, {kInfinity, kNan});
    DrawConnectedOutline(mask, undefined);

    std::set<std::pair<int, int>> expected;
    for (int x = 0; x < 50; ++x) expected.insert({x, 20});
    for (int y = 30; y < 40; ++y) expected.insert({10, y});
    EXPECT_EQ(DarkPixels(mask), expected);
}

}  // namespace
}  // namespace velora
