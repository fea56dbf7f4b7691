// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/path.h"

#include <QRect>
#include <QSize>

#include <climits>
#include <cstdint>
#include <vector>

namespace velora {

// Outlines stroked with a black pen one pixel wide with flat caps, pixel for
// pixel as Qt's raster painter strokes such a pen on an image of the whole
// drawing: aliased strokes blacken whole pixels; smooth strokes, with pixel
// centres on integer coordinates (the path moved by half a pixel), give the
// pixels along the line a coverage that each stroke blends over what the
// strokes before it left.
//
// The picture is the device: a rectangle of the drawing (the whole drawing,
// or the part an image shows), whose top left pixel the painter's image
// holds at (0, 0). Only the rows of one band of it are kept, but every
// stroke is computed as on the whole picture, so a picture stroked band by
// band gets exactly the pixels of one picture, whatever the band's height,
// and no picture of the whole device is ever held.
//
// Two planes of a byte a pixel may be kept: the shade, what an opaque white
// picture holds in each of its red, green and blue after the strokes (0 for
// an aliased pixel), and the coverage, what the alpha of a transparent
// picture holds after the smooth strokes.
class HairlineBand {
public:
    enum Planes : unsigned { kShade = 1, kCoverage = 2 };
    // What a path may be stroked with: the aliased pen, the smooth pen, and
    // the connected outline (DrawConnectedOutline's pixels, black in the
    // shade; for a device at the drawing's origin).
    enum Strokes : unsigned { kAliasedStroke = 1, kSmoothStroke = 2, kConnectedOutline = 4 };

    // Rows [top, top + rows) of the device, in drawing coordinates, as are
    // all rows and columns below.
    HairlineBand(const QRect& device, int top, int rows, unsigned planes);

    // Moves the band to rows [top, top + rows) (rows no more than the band
    // was made with) and clears it: white shade, no coverage.
    void Restart(int top, int rows);
    // Makes the band anew for another device, rows and planes, keeping its
    // memory where it is large enough.
    void Reset(const QRect& device, int top, int rows, unsigned planes);

    // Strokes the path as asked, in the order of the flags.
    void Stroke(const Path& path, unsigned strokes);

    // The rows a path's points lie between, first and last; a path with
    // points that are not finite also reaches row 0, where the painter then
    // starts it.
    struct RowSpan {
        double first;
        double last;
    };
    static RowSpan RowsOf(const Path& path);
    // False when no stroke of a path on those rows can touch the band.
    bool MayReach(RowSpan rows) const;

    const QRect& Device() const { return m_device; }
    int Top() const { return m_top; }
    int Rows() const { return m_rows; }
    // Row y (within the band) in each plane, from the device's left column.
    const uint8_t* ShadeRow(int y) const { return m_shade.data() + RowOffset(y - m_top); }
    const uint8_t* CoverageRow(int y) const { return m_coverage.data() + RowOffset(y - m_top); }

private:
    struct Pixel {
        int x = INT_MIN;
        int y = INT_MIN;
    };
    struct Point {
        double x;
        double y;
    };
    enum Direction : int {
        kNoDirection = 0,
        kTopToBottom = 0x1,
        kBottomToTop = 0x2,
        kLeftToRight = 0x4,
        kRightToLeft = 0x8,
        kVerticalMask = 0x3,
        kHorizontalMask = 0xc
    };
    enum Caps : int { kNoCaps = 0, kCapBegin = 1, kCapEnd = 2 };

    // Offset of a row of the band, counted from its first.
    size_t RowOffset(int row) const { return size_t(row) * size_t(m_width); }
    // Whether the band holds device pixel (x, y).
    bool InBand(int x, int y) const {
        return unsigned(x) < unsigned(m_width) && unsigned(y - m_bandTop) < unsigned(m_rows);
    }
    template <bool Smooth>
    void StrokeElements();
    template <bool Smooth>
    void Line(Point from, Point to, int caps);
    template <bool Smooth>
    void Cubic(Point p1, Point p2, Point p3, Point p4);
    template <bool Smooth>
    void CubicPart(Point* points, int level);
    bool ClipLine(double& x1, double& y1, double& x2, double& y2);
    void LastPointOf(double x1, double y1, double x2, double y2);
    void AliasedLine(double x1, double y1, double x2, double y2, int caps);
    void SmoothLine(double x1, double y1, double x2, double y2);
    void Darken(int x, int y);
    void Cover(int x, int y, int coverage);

    QRect m_device;
    int m_width = 0;
    int m_height = 0;
    int m_top = 0;
    int m_bandTop = 0;  // the band's first row on the device
    int m_rows = 0;
    unsigned m_planes = 0;
    std::vector<uint8_t> m_shade;
    std::vector<uint8_t> m_coverage;
    std::vector<PainterElement> m_elements;

    // The stroke's state across the lines of one path.
    Pixel m_lastPixel;
    int m_lastDir = kNoDirection;
    bool m_lastAxisAligned = false;
};

}  // namespace velora
