// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/curve_layer.h"

#include "core/geometry/hairline_band.h"
#include "core/model/fingerprint.h"
#include "core/model/pixel_target.h"

#include <algorithm>
#include <cstring>

namespace velora {

namespace {
uint64_t FingerprintOf(const std::vector<std::unique_ptr<CCurve>>& curves) {
    Fingerprint fingerprint;
    fingerprint.Add(curves.size());
    for (const auto& curve : curves) {
        const Path& path = curve->GetPath();
        fingerprint.AddBytes(path.Points().data(), path.Points().size() * sizeof(PointF));
        fingerprint.AddBytes(path.Types().data(), path.Types().size());
    }
    return fingerprint.Value();
}
}  // namespace

namespace {
QPen OutlinePen(float width) {
    return QPen(QColor(0, 0, 0), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

// Smooth outlines have their pixel centres on integer coordinates.
void SetSmooth(QPainter& painter, const QTransform& base, bool smooth) {
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    painter.setTransform(smooth ? base * QTransform::fromTranslate(0.5, 0.5) : base);
}
}  // namespace

void StrokeCurves(QPainter& painter, const std::vector<std::unique_ptr<CCurve>>& curves,
                  float penWidth, bool antialias) {
    painter.save();
    if (antialias) SetSmooth(painter, painter.transform(), true);
    painter.setPen(OutlinePen(penWidth));
    painter.setBrush(Qt::NoBrush);
    for (const auto& curve : curves) painter.drawPath(curve->GetPath().ToPainterPath());
    painter.restore();
}

void CurveLayer::Update(const std::vector<std::unique_ptr<CCurve>>& curves, const QRect& area) {
    const uint64_t fingerprint = FingerprintOf(curves);
    if (m_valid && fingerprint == m_fingerprint && area == m_area) return;
    // Bands of a few megabytes.
    constexpr qint64 kBandPixels = qint64(4) << 20;
    const int bandRows = int(std::clamp<qint64>(kBandPixels / std::max(area.width(), 1), 1,
                                                std::max(area.height(), 1)));
    Stroke(curves, fingerprint, area, HairlineBand::kSmoothStroke, bandRows, nullptr);
}

void CurveLayer::Build(const std::vector<std::unique_ptr<CCurve>>& curves, const QRect& area,
                       unsigned strokes, int bandRows,
                       const std::function<void(HairlineBand&)>& alsoPerBand) {
    Stroke(curves, FingerprintOf(curves), area, strokes, bandRows, alsoPerBand);
}

QRect CurveLayer::AreaFor(const QRect& bounds, QSize drawing) {
    const QRect whole(QPoint(0, 0), drawing);
    return whole.contains(bounds) ? whole : bounds;
}

void CurveLayer::BlendInto(PixelTarget& target) const {
    const QRect& rows = target.Bounds();
    // Runs are in row order: start at the first run of the target's rows.
    auto run = std::lower_bound(m_runs.begin(), m_runs.end(), rows.top(),
                                [](const Run& r, int y) { return r.y < y; });
    for (; run != m_runs.end() && run->y <= rows.bottom(); ++run) {
        target.DarkenSpan(run->y, run->x, m_coverage.data() + run->offset, run->length);
    }
}

namespace {
// The first covered pixel from x on, or width; most of a row is uncovered,
// so it is skipped eight pixels at a time.
int NextCovered(const uchar* row, int x, int width) {
    for (; x + 8 <= width; x += 8) {
        uint64_t eight;
        std::memcpy(&eight, row + x, sizeof eight);
        if (eight != 0) break;
    }
    while (x < width && !row[x]) ++x;
    return x;
}
}  // namespace

void CurveLayer::Stroke(const std::vector<std::unique_ptr<CCurve>>& curves, uint64_t fingerprint,
                        const QRect& area, unsigned strokes, int bandRows,
                        const std::function<void(HairlineBand&)>& alsoPerBand) {
    m_runs.clear();
    m_coverage.clear();
    m_area = area;
    m_valid = false;
    m_fingerprint = fingerprint;
    if (area.isEmpty()) return;
    strokes |= HairlineBand::kSmoothStroke;
    const bool shade = strokes != HairlineBand::kSmoothStroke;
    HairlineBand band(area, area.top(), bandRows,
                      unsigned(HairlineBand::kCoverage) | (shade ? unsigned(HairlineBand::kShade) : 0u));
    std::vector<HairlineBand::RowSpan> rows;
    rows.reserve(curves.size());
    for (const auto& curve : curves) rows.push_back(HairlineBand::RowsOf(curve->GetPath()));
    for (int top = area.top(); top <= area.bottom(); top += bandRows) {
        band.Restart(top, std::min(bandRows, area.bottom() + 1 - top));
        for (size_t i = 0; i < curves.size(); ++i) {
            if (band.MayReach(rows[i])) band.Stroke(curves[i]->GetPath(), strokes);
        }
        AddRuns(band);
        if (alsoPerBand) alsoPerBand(band);
    }
    m_valid = true;
}

// Outlines close together share a run: blending a few uncovered pixels
// (coverage 0 leaves them as they are) costs less than starting a run.
void CurveLayer::AddRuns(const HairlineBand& band) {
    constexpr int kLongestGapInARun = 8;
    const int width = band.Device().width();
    const int left = band.Device().left();
    for (int y = band.Top(); y < band.Top() + band.Rows(); ++y) {
        const uchar* row = band.CoverageRow(y);
        for (int x = NextCovered(row, 0, width); x < width; x = NextCovered(row, x, width)) {
            const int start = x;
            int end = x;  // one past the last covered pixel of the run
            while (x < width && x - end <= kLongestGapInARun) {
                if (row[x]) end = x + 1;
                ++x;
            }
            x = end;
            m_runs.push_back({y, start + left, end - start, m_coverage.size()});
            m_coverage.insert(m_coverage.end(), row + start, row + end);
        }
    }
}

}  // namespace velora
