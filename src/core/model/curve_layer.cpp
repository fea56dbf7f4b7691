// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/curve_layer.h"

#include "core/common/large_image.h"
#include "core/model/fingerprint.h"
#include "core/model/pixel_target.h"

#include <algorithm>
#include <cstring>

namespace velora {

namespace {
uint64_t FingerprintOf(ConstPtrList<CCurve> curves) {
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

void StrokeCurves(QPainter& painter, ConstPtrList<CCurve> curves, float penWidth, bool antialias) {
    painter.save();
    if (antialias) SetSmooth(painter, painter.transform(), true);
    painter.setPen(OutlinePen(penWidth));
    painter.setBrush(Qt::NoBrush);
    for (const auto& curve : curves) painter.drawPath(curve->GetPath().ToPainterPath());
    painter.restore();
}

// The curves go in batches, each stroked aliased and then smooth. An aliased
// pixel is opaque black, which no smooth stroke changes, so a smooth stroke
// drawn before the aliased stroke of a later curve leaves the same pixel as
// one drawn after it; where no aliased stroke falls, the smooth strokes still
// blend in the curves' order.
void StrokeCurvesAliasedThenSmooth(QPainter& painter, ConstPtrList<CCurve> curves) {
    constexpr size_t kBatchPoints = size_t(1) << 18;
    painter.save();
    const QTransform base = painter.transform();
    painter.setPen(OutlinePen(1.0f));
    painter.setBrush(Qt::NoBrush);
    std::vector<QPainterPath> batch;
    for (size_t next = 0; next < curves.size();) {
        batch.clear();
        for (size_t points = 0; next < curves.size() && points < kBatchPoints; ++next) {
            batch.push_back(curves[next]->GetPath().ToPainterPath());
            points += size_t(curves[next]->GetPath().PointCount());
        }
        for (const bool smooth : {false, true}) {
            SetSmooth(painter, base, smooth);
            for (const QPainterPath& path : batch) painter.drawPath(path);
        }
    }
    painter.restore();
}

void CurveLayer::Update(ConstPtrList<CCurve> curves, const QRect& area) {
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

namespace {
// Black strokes on transparent pixels leave the same coverage in the alpha of
// a premultiplied image as in an alpha-only one. The painter strokes into the
// former a third faster, but it has four times the bytes to clear and scan:
// it pays for outlines of many points over few pixels, such as the arcs of an
// imported drawing, and only while those bytes stay modest.
QImage::Format CoverageFormat(ConstPtrList<CCurve> curves, const QRect& area) {
    constexpr qint64 kMaxPremultipliedPixels = qint64(32) << 20;
    const qint64 pixels = qint64(area.width()) * area.height();
    qint64 points = 0;
    for (const auto& curve : curves) points += curve->GetPath().PointCount();
    return pixels <= kMaxPremultipliedPixels && 4 * points >= pixels
               ? QImage::Format_ARGB32_Premultiplied
               : QImage::Format_Alpha8;
}

// The coverage of row y of an image of either format, as bytes.
const uchar* CoverageRow(const QImage& image, int y, std::vector<uchar>& alphas) {
    const uchar* row = image.constScanLine(y);
    if (image.format() == QImage::Format_Alpha8) return row;
    const auto* pixels = reinterpret_cast<const QRgb*>(row);
    for (size_t x = 0; x < alphas.size(); ++x) alphas[x] = uchar(qAlpha(pixels[x]));
    return alphas.data();
}

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

void CurveLayer::Rebuild(ConstPtrList<CCurve> curves, const QRect& area) {
    m_runs.clear();
    m_coverage.clear();
    m_area = area;
    m_valid = false;
    QImage coverage = MakeLargeImage(area.size(), CoverageFormat(curves, area));
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
    std::vector<uchar> alphas(coverage.format() == QImage::Format_Alpha8 ? 0 : size_t(width));
    for (int y = 0; y < coverage.height(); ++y) {
        const uchar* row = CoverageRow(coverage, y, alphas);
        for (int x = NextCovered(row, 0, width); x < width; x = NextCovered(row, x, width)) {
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
