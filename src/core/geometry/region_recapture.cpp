// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/region_recapture.h"

#include "core/geometry/flood_fill.h"
#include "core/geometry/region_data.h"

#include <cstdint>

namespace velora {

namespace {

// The old region's pixels that are light and untouched by the change, in
// the region's box; the spaces found are taken out as they are found.
class Untouched {
public:
    Untouched(const QRegion& region, const MonoBitmap& mask, const QRegion& changed)
        : m_box(region.boundingRect() & QRect(0, 0, mask.Width(), mask.Height())),
          m_bits(m_box.width(), m_box.height()) {
        for (const QRect& rect : region - changed) {
            const QRect inside = rect & m_box;
            for (int y = inside.top(); y <= inside.bottom(); ++y) {
                for (int x = inside.left(); x <= inside.right(); ++x) {
                    if (mask.Pixel(x, y)) m_bits.SetPixel(x - m_box.left(), y - m_box.top(), true);
                }
            }
        }
    }

    // The first pixel left, row by row, or nullopt.
    std::optional<QPoint> First() {
        for (; m_row < m_box.height(); ++m_row) {
            const uint8_t* row = m_bits.Row(m_row);
            const int x = FirstSet([row](int i) { return unsigned{row[i]}; }, 0, m_box.width() - 1);
            if (x >= 0) return m_box.topLeft() + QPoint(x, m_row);
        }
        return std::nullopt;
    }

    void TakeOut(std::span<const PixelRun> runs) {
        for (const PixelRun& run : runs) {
            const int y = run.y - m_box.top();
            const int x0 = std::max(run.x0, m_box.left()) - m_box.left();
            const int x1 = std::min(run.x1, m_box.right()) - m_box.left();
            if (y < 0 || y >= m_box.height() || x1 < x0) continue;
            for (int x = x0; x <= x1; ++x) m_bits.SetPixel(x, y, false);
        }
    }

private:
    QRect m_box;
    MonoBitmap m_bits;
    int m_row = 0;
};

int64_t PixelCount(std::span<const PixelRun> runs) {
    int64_t count = 0;
    for (const PixelRun& run : runs) count += run.x1 - run.x0 + 1;
    return count;
}

}  // namespace

RecapturedRegion RecaptureRegion(const QRegion& region, const MonoBitmap& mask,
                                 const QRegion& changed) {
    if (mask.IsNull()) return {};
    Untouched untouched(region, mask, changed);
    std::vector<PixelRun> largest;
    int parts = 0;
    while (const std::optional<QPoint> pixel = untouched.First()) {
        std::vector<PixelRun> part = ComponentRuns(mask, pixel->x(), pixel->y());
        untouched.TakeOut(part);
        ++parts;
        if (PixelCount(part) > PixelCount(largest)) largest = std::move(part);
    }
    if (parts == 0) return {};
    return {RegionFromRects(CaptureRects(largest)), parts - 1};
}

}  // namespace velora
