#include "core/model/curve_layer.h"

#include "core/model/pixel_target.h"

#include <algorithm>
#include <cstring>

namespace velora {

namespace {
// A cheap fingerprint of every point and type of every curve; a change to
// any outline changes it.
uint64_t Mix(uint64_t hash, uint64_t value) {
    hash ^= value + 0x9E3779B97F4A7C15ull + (hash << 6) + (hash >> 2);
    return hash;
}

uint64_t MixBytes(uint64_t hash, const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        uint64_t word;
        std::memcpy(&word, bytes + i, 8);
        hash = Mix(hash, word * 0xFF51AFD7ED558CCDull);
    }
    uint64_t tail = 0;
    // An empty path's data pointer may be null, which memcpy must not get.
    if (size > i) std::memcpy(&tail, bytes + i, size - i);
    return Mix(hash, tail ^ size);
}

uint64_t Fingerprint(const std::vector<std::unique_ptr<CCurve>>& curves) {
    uint64_t hash = Mix(0, curves.size());
    for (const auto& curve : curves) {
        const Path& path = curve->GetPath();
        hash = MixBytes(hash, path.Points().data(), path.Points().size() * sizeof(PointF));
        hash = MixBytes(hash, path.Types().data(), path.Types().size());
    }
    return hash;
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
    const uint64_t fingerprint = Fingerprint(curves);
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
    for (int y = 0; y < coverage.height(); ++y) {
        const uchar* row = coverage.constScanLine(y);
        for (int x = 0; x < coverage.width();) {
            if (!row[x]) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < coverage.width() && row[x]) ++x;
            m_runs.push_back({y + area.top(), start + area.left(), x - start, m_coverage.size()});
            m_coverage.insert(m_coverage.end(), row + start, row + x);
        }
    }
    m_valid = true;
}

}  // namespace velora
