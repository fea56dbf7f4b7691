// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/curve_layer.h"

#include "core/model/fingerprint.h"
#include "core/model/pixel_target.h"

#include <algorithm>

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

void StrokeCurves(QPainter& painter, const std::vector<std::unique_ptr<CCurve>>& curves,
                  float penWidth, bool antialias) {
    painter.save();
    if (antialias) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setTransform(painter.transform() * QTransform::fromTranslate(0.5, 0.5));
    }
    painter.setPen(QPen(QColor(0, 0, 0), penWidth, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    for (const auto& curve : curves) painter.drawPath(curve->GetPath().ToPainterPath());
    painter.restore();
}

void CurveLayer::Update(const std::vector<std::unique_ptr<CCurve>>& curves, const QRect& area) {
    const uint64_t fingerprint = FingerprintOf(curves);
    if (m_valid && fingerprint == m_fingerprint && area == m_area) return;
    Rebuild(curves, area);
    m_fingerprint = fingerprint;
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

void CurveLayer::Rebuild(const std::vector<std::unique_ptr<CCurve>>& curves, const QRect& area) {
    m_runs.clear();
    m_coverage.clear();
    m_area = area;
    m_valid = false;
    QImage coverage(area.size(), QImage::Format_Alpha8);
    if (coverage.isNull()) return;
    coverage.fill(0);
    {
        QPainter painter(&coverage);
        painter.translate(-area.topLeft());
        StrokeCurves(painter, curves, 1.0f, true);
    }
    // Outlines close together share a run: blending a few uncovered pixels
    // (coverage 0 leaves them as they are) costs less than starting a run.
    constexpr int kLongestGapInARun = 8;
    const int width = coverage.width();
    for (int y = 0; y < coverage.height(); ++y) {
        const uchar* row = coverage.constScanLine(y);
        for (int x = 0; x < width;) {
            if (!row[x]) {
                ++x;
                continue;
            }
            const int start = x;
            int end = x;  // one past the last covered pixel of the run
            while (x < width && x - end <= kLongestGapInARun) {
                if (row[x]) end = x + 1;
                ++x;
            }
            x = end;
            m_runs.push_back({y + area.top(), start + area.left(), end - start, m_coverage.size()});
            m_coverage.insert(m_coverage.end(), row + start, row + end);
        }
    }
    m_valid = true;
}

}  // namespace velora
