// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/hairline_band.h"

#include "core/geometry/connected_outline.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

// Every step below is the painter's own integer and double arithmetic, in
// the same order: a pixel that came out differently would change which
// regions a click captures. The painter's lines work in 26.6 fixed point for
// the ends and 16.16 for the steps along the line.

namespace velora {

namespace {
// Far enough around a band that no pixel of a line outside it can land in
// it: the ends round by at most half a pixel, a smooth line covers one pixel
// on either side and an aliased one may add a pixel at either end.
constexpr double kBandMargin = 3.0;

int To26Dot6(double value) { return static_cast<int>(value * 64.); }

// A 32-bit division where the numerator fits, as it does for all but long
// lines: the same quotient at a fraction of the cost.
int64_t FixedDivide(int numerator, int denominator) {
    if (numerator > -(1 << 15) && numerator < (1 << 15)) {
        return int32_t(uint32_t(numerator) << 16) / denominator;
    }
    return int64_t(numerator) * (1 << 16) / denominator;
}

// x * a / 255 as the painter rounds it.
unsigned ByteMultiply(unsigned x, unsigned a) {
    const unsigned t = x * a;
    return (t + (t >> 8) + 0x80) >> 8;
}

int SwapCaps(int caps) { return ((caps & 1) << 1) | ((caps & 2) >> 1); }

// Moves the line's ends out by half a pixel where it has caps.
void CapAdjust(int caps, int& begin, int& end, int64_t& across, int64_t step) {
    if (caps & 1) {
        begin -= 32;
        across -= step >> 1;
    }
    if (caps & 2) end += 32;
}
}  // namespace

HairlineBand::HairlineBand(const QRect& device, int top, int rows, unsigned planes) {
    Reset(device, top, rows, planes);
}

void HairlineBand::Reset(const QRect& device, int top, int rows, unsigned planes) {
    m_device = device;
    m_width = device.width();
    m_height = device.height();
    m_planes = planes;
    const size_t bytes = size_t(std::max(rows, 0)) * size_t(std::max(m_width, 0));
    if ((planes & kShade) && m_shade.size() < bytes) m_shade.resize(bytes);
    if ((planes & kCoverage) && m_coverage.size() < bytes) m_coverage.resize(bytes);
    Restart(top, rows);
}

void HairlineBand::Restart(int top, int rows) {
    m_top = top;
    m_bandTop = top - m_device.top();
    m_rows = rows;
    const size_t bytes = size_t(std::max(rows, 0)) * size_t(std::max(m_width, 0));
    if (m_planes & kShade) std::fill_n(m_shade.begin(), bytes, uint8_t(255));
    if (m_planes & kCoverage) std::fill_n(m_coverage.begin(), bytes, uint8_t(0));
}

inline void HairlineBand::Darken(int x, int y) {
    if (!InBand(x, y) || !(m_planes & kShade)) return;
    m_shade[RowOffset(y - m_bandTop) + size_t(x)] = 0;
}

// Black at the given coverage over what is there: source over, with the
// painter's rounding.
inline void HairlineBand::Cover(int x, int y, int coverage) {
    if (coverage == 0 || !InBand(x, y)) return;
    const unsigned alpha = unsigned(coverage);
    const size_t at = RowOffset(y - m_bandTop) + size_t(x);
    if (m_planes & kShade) m_shade[at] = uint8_t(ByteMultiply(m_shade[at], 255 - alpha));
    if (m_planes & kCoverage) {
        m_coverage[at] = uint8_t(alpha + ByteMultiply(m_coverage[at], 255 - alpha));
    }
}

void HairlineBand::Stroke(const Path& path, unsigned strokes) {
    path.PainterElements(m_elements);
    const size_t n = m_elements.size();
    if (n == 0 || (n == 1 && m_elements[0].type == QPainterPath::MoveToElement)) return;
    if (strokes & kAliasedStroke) StrokeElements<false>();
    if (strokes & kSmoothStroke) StrokeElements<true>();
    if ((strokes & kConnectedOutline) && (m_planes & kShade)) {
        PlotConnectedOutline(m_elements, m_device.size(), [this](int x, int y) { Darken(x, y); });
    }
}

// Lines to a point that is not finite draw nothing, and a curve stays within
// its control points; the painter path of a path whose first point is not
// finite starts at (0, 0).
HairlineBand::RowSpan HairlineBand::RowsOf(const Path& path) {
    float first = HUGE_VALF;
    float last = -HUGE_VALF;
    for (const PointF& point : path.Points()) {
        // v - v is 0 exactly for a finite v.
        const bool finite = point.x - point.x == 0 && point.y - point.y == 0;
        const float y = finite ? point.y : 0.0f;
        first = std::min(first, y);
        last = std::max(last, y);
    }
    return {first, last};
}

bool HairlineBand::MayReach(RowSpan rows) const {
    return rows.last + kBandMargin >= m_top && rows.first - kBandMargin <= m_top + m_rows;
}

// One path as the painter strokes it: figure by figure, each line from the
// point before; a closed figure starts knowing the last pixel of its closing
// line, so that the aliased pen neither doubles nor drops the pixel where
// the figure meets itself.
template <bool Smooth>
void HairlineBand::StrokeElements() {
    const std::vector<PainterElement>& elements = m_elements;
    const size_t n = elements.size();
    // Drawing to device coordinates, with the pixel centres of smooth
    // strokes on integer coordinates.
    const double half = Smooth ? 0.5 : 0.0;
    const double dx = half - m_device.left();
    const double dy = half - m_device.top();
    const auto at = [&](size_t i) { return Point{elements[i].x + dx, elements[i].y + dy}; };

    m_lastDir = kNoDirection;
    m_lastAxisAligned = false;
    for (size_t i = 0; i < n;) {
        Point from = at(i);
        m_lastPixel = Pixel{};
        size_t end = i + 1;
        while (end < n && elements[end].type != QPainterPath::MoveToElement) ++end;
        const bool closed =
            elements[i].x == elements[end - 1].x && elements[i].y == elements[end - 1].y;
        if (!Smooth && closed && end >= 2) {
            const Point a = at(end - 2);
            const Point b = at(end - 1);
            LastPointOf(a.x, a.y, b.x, b.y);
        }
        for (++i; i < end;) {
            if (elements[i].type == QPainterPath::LineToElement) {
                const Point to = at(i);
                Line<Smooth>(from, to, kNoCaps);
                from = to;
                ++i;
            } else if (elements[i].type == QPainterPath::CurveToElement && i + 2 < end) {
                const Point to = at(i + 2);
                Cubic<Smooth>(from, at(i), at(i + 1), to);
                from = to;
                i += 3;
            } else {
                ++i;
            }
        }
    }
}

template <bool Smooth>
void HairlineBand::Line(Point from, Point to, int caps) {
    if constexpr (Smooth) {
        SmoothLine(from.x, from.y, to.x, to.y);
    } else {
        AliasedLine(from.x, from.y, to.x, to.y, caps);
    }
}

// Bezier segments are halved until flat enough, at most six times, points
// kept from the end backwards.
template <bool Smooth>
void HairlineBand::Cubic(Point p1, Point p2, Point p3, Point p4) {
    constexpr int kMaxLevels = 6;
    Point points[3 * kMaxLevels + 4];
    points[3] = p1;
    points[2] = p2;
    points[1] = p3;
    points[0] = p4;
    CubicPart<Smooth>(points, kMaxLevels);
}

namespace {
// De Casteljau at one half, in the painter's order of operations: the second
// half lands in points[0..3], the first in points[3..6].
template <typename Point>
void SplitCubic(Point* points, double Point::*axis) {
    const double half = .5;
    points[6].*axis = points[3].*axis;
    double c = points[1].*axis;
    const double d = points[2].*axis;
    double a = (points[0].*axis + c) * half;
    double b = (points[3].*axis + d) * half;
    points[1].*axis = a;
    points[5].*axis = b;
    c = (c + d) * half;
    a = (a + c) * half;
    b = (b + c) * half;
    points[2].*axis = a;
    points[4].*axis = b;
    points[3].*axis = (a + b) * half;
}
}  // namespace

template <bool Smooth>
void HairlineBand::CubicPart(Point* points, int level) {
    if (level) {
        const double dx = points[3].x - points[0].x;
        const double dy = points[3].y - points[0].y;
        const double length = .25 * (std::fabs(dx) + std::fabs(dy));
        if (std::fabs(dx * (points[0].y - points[2].y) - dy * (points[0].x - points[2].x)) >=
                length ||
            std::fabs(dx * (points[0].y - points[1].y) - dy * (points[0].x - points[1].x)) >=
                length) {
            SplitCubic(points, &Point::x);
            SplitCubic(points, &Point::y);
            CubicPart<Smooth>(points + 3, level - 1);
            CubicPart<Smooth>(points, level - 1);
            return;
        }
    }
    Line<Smooth>(points[3], points[0], kNoCaps);
}

// Clips the line to the picture grown by a pixel on the left and top and
// two on the right and bottom; true when nothing of it is left. A clipped
// end forgets the last pixel.
inline bool HairlineBand::ClipLine(double& x1, double& y1, double& x2, double& y2) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) {
        return true;
    }
    const double xmin = -1;
    const double xmax = m_width + 1;
    const double ymin = -1;
    const double ymax = m_height + 1;
    if (x1 < xmin) {
        if (x2 <= xmin) return m_lastPixel.x = INT_MIN, true;
        y1 += (y2 - y1) / (x2 - x1) * (xmin - x1);
        x1 = xmin;
    } else if (x1 > xmax) {
        if (x2 >= xmax) return m_lastPixel.x = INT_MIN, true;
        y1 += (y2 - y1) / (x2 - x1) * (xmax - x1);
        x1 = xmax;
    }
    if (x2 < xmin) {
        m_lastPixel.x = INT_MIN;
        y2 += (y2 - y1) / (x2 - x1) * (xmin - x2);
        x2 = xmin;
    } else if (x2 > xmax) {
        m_lastPixel.x = INT_MIN;
        y2 += (y2 - y1) / (x2 - x1) * (xmax - x2);
        x2 = xmax;
    }
    if (y1 < ymin) {
        if (y2 <= ymin) return m_lastPixel.x = INT_MIN, true;
        x1 += (x2 - x1) / (y2 - y1) * (ymin - y1);
        y1 = ymin;
    } else if (y1 > ymax) {
        if (y2 >= ymax) return m_lastPixel.x = INT_MIN, true;
        x1 += (x2 - x1) / (y2 - y1) * (ymax - y1);
        y1 = ymax;
    }
    if (y2 < ymin) {
        m_lastPixel.x = INT_MIN;
        x2 += (x2 - x1) / (y2 - y1) * (ymin - y2);
        y2 = ymin;
    } else if (y2 > ymax) {
        m_lastPixel.x = INT_MIN;
        x2 += (x2 - x1) / (y2 - y1) * (ymax - y2);
        y2 = ymax;
    }
    return false;
}

// The direction and last pixel of a closed figure's closing line, computed
// as the aliased line would, without drawing it.
void HairlineBand::LastPointOf(double rx1, double ry1, double rx2, double ry2) {
    m_lastPixel = Pixel{};
    if (ClipLine(rx1, ry1, rx2, ry2)) return;
    int x1 = To26Dot6(rx1);
    int y1 = To26Dot6(ry1);
    int x2 = To26Dot6(rx2);
    int y2 = To26Dot6(ry2);
    if (std::abs(x2 - x1) < std::abs(y2 - y1)) {
        const bool swapped = y1 > y2;
        if (swapped) {
            std::swap(y1, y2);
            std::swap(x1, x2);
        }
        const int64_t xinc = FixedDivide(x2 - x1, y2 - y1);
        int64_t x = int64_t(x1) * (1 << 10);
        const int y = (y1 + 32) >> 6;
        const int ys = (y2 + 32) >> 6;
        const int round = xinc > 0 ? 32 : 0;
        if (y == ys) return;
        x += ((y * (1 << 6)) + round - y1) * xinc >> 6;
        if (swapped) {
            m_lastPixel = {int(x >> 16), y};
            m_lastDir = kBottomToTop;
        } else {
            m_lastPixel = {int((x + (ys - y - 1) * xinc) >> 16), ys - 1};
            m_lastDir = kTopToBottom;
        }
        m_lastAxisAligned = std::abs(xinc) < (1 << 14);
        return;
    }
    if (x1 == x2) return;
    const bool swapped = x1 > x2;
    if (swapped) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const int64_t yinc = FixedDivide(y2 - y1, x2 - x1);
    int64_t y = int64_t(y1) * (1 << 10);
    const int x = (x1 + 32) >> 6;
    const int xs = (x2 + 32) >> 6;
    const int round = yinc > 0 ? 32 : 0;
    if (x == xs) return;
    y += ((x * (1 << 6)) + round - x1) * yinc >> 6;
    if (swapped) {
        m_lastPixel = {x, int(y >> 16)};
        m_lastDir = kRightToLeft;
    } else {
        m_lastPixel = {xs - 1, int((y + (xs - x - 1) * yinc) >> 16)};
        m_lastDir = kLeftToRight;
    }
    m_lastAxisAligned = std::abs(yinc) < (1 << 14);
}

// The aliased line: one pixel per row (steep lines) or per column, with the
// pen's dropout control where consecutive lines meet: a pixel the line
// before already drew is not drawn again, and a gap left where the direction
// turns is filled.
void HairlineBand::AliasedLine(double rx1, double ry1, double rx2, double ry2, int caps) {
    if (ClipLine(rx1, ry1, rx2, ry2)) return;
    int x1 = To26Dot6(rx1);
    int y1 = To26Dot6(ry1);
    int x2 = To26Dot6(rx2);
    int y2 = To26Dot6(ry2);
    Pixel last = m_lastPixel;
    // The two cases are one with the axes exchanged: "along" steps a pixel
    // at a time, "across" moves in 16.16.
    const bool steep = std::abs(x2 - x1) < std::abs(y2 - y1);
    if (!steep && x1 == x2) return;
    if (!steep) {
        std::swap(x1, y1);
        std::swap(x2, y2);
    }
    int dir = steep ? kTopToBottom : kLeftToRight;
    const int mask = steep ? kVerticalMask : kHorizontalMask;
    const int backwards = steep ? kBottomToTop : kRightToLeft;
    const auto along = [steep](const Pixel& p) { return steep ? p.y : p.x; };
    const auto pixel = [steep](int alongValue, int acrossValue) {
        return steep ? Pixel{acrossValue, alongValue} : Pixel{alongValue, acrossValue};
    };

    bool swapped = false;
    if (y1 > y2) {
        swapped = true;
        std::swap(y1, y2);
        std::swap(x1, x2);
        caps = SwapCaps(caps);
        dir = backwards;
    }
    const int64_t inc = FixedDivide(x2 - x1, y2 - y1);
    int64_t x = int64_t(x1) * (1 << 10);
    if ((m_lastDir ^ mask) == dir) caps |= swapped ? kCapEnd : kCapBegin;
    CapAdjust(caps, y1, y2, x, inc);
    int y = (y1 + 32) >> 6;
    int ys = (y2 + 32) >> 6;
    const int round = inc > 0 ? 32 : 0;
    // A begin cap that rounded away from the last pixel rounds back.
    if ((caps & kCapBegin) && along(m_lastPixel) == y + 1) y++;

    if (y != ys) {
        x += ((y * (1 << 6)) + round - y1) * inc >> 6;
        Pixel first = pixel(y, int(x >> 16));
        last = pixel(ys - 1, int((x + (ys - y - 1) * inc) >> 16));
        if (swapped) std::swap(first, last);
        const bool axisAligned = std::abs(inc) < (1 << 14);
        if (m_lastPixel.x > INT_MIN) {
            const int gapX = std::abs(m_lastPixel.x - first.x);
            const int gapY = std::abs(m_lastPixel.y - first.y);
            if (first.x == m_lastPixel.x && first.y == m_lastPixel.y) {
                // The pixel is there already.
                if (swapped) {
                    --ys;
                } else {
                    ++y;
                    x += inc;
                }
            } else if (m_lastDir != dir &&
                       ((axisAligned && m_lastAxisAligned && m_lastPixel.x != first.x &&
                         m_lastPixel.y != first.y) ||
                        gapX > 1 || gapY > 1)) {
                // A pixel is missing between the two lines.
                if (swapped) {
                    ++ys;
                } else {
                    --y;
                    x -= inc;
                }
            } else if (m_lastDir == dir && gapX <= 1 && gapY > 1) {
                x += inc >> 1;
                const int lastAcross = int((swapped ? x : x + (ys - y - 1) * inc) >> 16);
                last = steep ? Pixel{lastAcross, last.y} : Pixel{last.x, lastAcross};
            }
        }
        m_lastDir = dir;
        m_lastAxisAligned = axisAligned;
        do {
            const Pixel p = pixel(y, int(x >> 16));
            Darken(p.x, p.y);
            x += inc;
        } while (++y < ys);
    }
    m_lastPixel = last;
}

// The smooth line: two pixels across each step along the line, sharing the
// coverage by where the line passes between their centres, the end pixels
// weighted by how much of them the line spans.
void HairlineBand::SmoothLine(double rx1, double ry1, double rx2, double ry2) {
    if (ClipLine(rx1, ry1, rx2, ry2)) return;
    int x1 = To26Dot6(rx1);
    int y1 = To26Dot6(ry1);
    int x2 = To26Dot6(rx2);
    int y2 = To26Dot6(ry2);
    const bool steep = std::abs(x2 - x1) < std::abs(y2 - y1);
    if (!steep && x1 == x2) return;
    if (!steep) {
        std::swap(x1, y1);
        std::swap(x2, y2);
    }
    const int64_t inc = FixedDivide(x2 - x1, y2 - y1);
    if (y1 > y2) {
        std::swap(y1, y2);
        std::swap(x1, x2);
    }
    int64_t x = int64_t(x1 - 32) * (1 << 10);
    x -= (((y1 & 63) - 32) * inc) >> 6;
    int y = y1 >> 6;
    const int ys = y2 >> 6;
    int alphaStart = 64 - (y1 & 63);
    int alphaEnd = y2 & 63;
    if (y == ys) {
        alphaStart = y2 - y1;
        alphaEnd = 0;
    }
    const auto cover = [&](int coverage0, int coverage1) {
        const int column = int(x >> 16);
        if (steep) {
            Cover(column, y, coverage0);
            Cover(column + 1, y, coverage1);
        } else {
            Cover(y, column, coverage0);
            Cover(y, column + 1, coverage1);
        }
    };
    unsigned alpha = uint8_t(x >> 8);
    cover(int((255 - alpha) * alphaStart >> 6), int(alpha * alphaStart >> 6));
    x += inc;
    for (++y; y < ys; ++y) {
        alpha = uint8_t(x >> 8);
        cover(int(255 - alpha), int(alpha));
        x += inc;
    }
    if (alphaEnd) {
        alpha = uint8_t(x >> 8);
        cover(int((255 - alpha) * alphaEnd >> 6), int(alpha * alphaEnd >> 6));
    }
}

}  // namespace velora
