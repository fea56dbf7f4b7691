// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/curve_layer.h"

#include "core/geometry/hairline_band.h"
#include "core/model/fingerprint.h"
#include "core/model/pixel_target.h"

#include <algorithm>
#include <cstring>

namespace velora {

// What a stroking needs to know of the curves before it starts, from one
// pass over their points: their fingerprint and, when asked, the rows each
// lies on.
struct CurveLayer::Survey {
    Survey(ConstPtrList<CCurve> curves, bool withRows) {
        Fingerprint hash;
        hash.Add(curves.size());
        if (withRows) rows.reserve(curves.size());
        for (const auto& curve : curves) {
            const Path& path = curve->GetPath();
            if (withRows) rows.push_back(HairlineBand::RowsOf(path));
            hash.AddBytes(path.Points().data(), path.Points().size() * sizeof(PointF));
            hash.AddBytes(path.Types().data(), path.Types().size());
        }
        fingerprint = hash.Value();
    }

    void AddRows(ConstPtrList<CCurve> curves) {
        for (const auto& curve : curves) rows.push_back(HairlineBand::RowsOf(curve->GetPath()));
    }

    uint64_t fingerprint = 0;
    std::vector<HairlineBand::RowSpan> rows;
};

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

void StrokeCurves(QPainter& painter, ConstPtrList<CCurve> curves, float penWidth, bool antialias) {
    painter.save();
    if (antialias) SetSmooth(painter, painter.transform(), true);
    painter.setPen(OutlinePen(penWidth));
    painter.setBrush(Qt::NoBrush);
    for (const auto& curve : curves) painter.drawPath(curve->GetPath().ToPainterPath());
    painter.restore();
}

void CurveLayer::Update(ConstPtrList<CCurve> curves, const QRect& area) {
    Survey survey(curves, false);
    if (m_valid && survey.fingerprint == m_fingerprint && area == m_area) return;
    survey.AddRows(curves);
    // Bands of a few megabytes.
    constexpr qint64 kBandPixels = qint64(4) << 20;
    const int bandRows = int(
        std::clamp<qint64>(kBandPixels / std::max(area.width(), 1), 1, std::max(area.height(), 1)));
    Stroke(curves, survey, area, HairlineBand::kSmoothStroke, bandRows, nullptr);
}

void CurveLayer::Build(ConstPtrList<CCurve> curves, const QRect& area, unsigned strokes,
                       int bandRows, const std::function<void(HairlineBand&)>& alsoPerBand) {
    Stroke(curves, Survey(curves, true), area, strokes, bandRows, alsoPerBand);
}

bool CurveLayer::Holds(ConstPtrList<CCurve> curves, const QRect& area) const {
    return m_valid && area == m_area && Survey(curves, false).fingerprint == m_fingerprint;
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

void CurveLayer::Stroke(ConstPtrList<CCurve> curves, const Survey& survey, const QRect& area,
                        unsigned strokes, int bandRows,
                        const std::function<void(HairlineBand&)>& alsoPerBand) {
    m_runs.clear();
    m_coverage.clear();
    m_area = area;
    m_valid = false;
    m_fingerprint = survey.fingerprint;
    if (area.isEmpty()) return;
    strokes |= HairlineBand::kSmoothStroke;
    const bool shade = strokes != HairlineBand::kSmoothStroke;
    const unsigned planes =
        unsigned(HairlineBand::kCoverage) | (shade ? unsigned(HairlineBand::kShade) : 0u);
    HairlineBand band(area, area.top(), bandRows, planes);
    for (int top = area.top(); top <= area.bottom(); top += bandRows) {
        band.Restart(top, std::min(bandRows, area.bottom() + 1 - top));
        for (size_t i = 0; i < curves.size(); ++i) {
            if (band.MayReach(survey.rows[i])) band.Stroke(curves[i]->GetPath(), strokes);
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
