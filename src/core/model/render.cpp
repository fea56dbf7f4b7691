#include "core/model/area_fills.h"
#include "core/model/curve_layer.h"
#include "core/model/drawing_model.h"
#include "core/model/fingerprint.h"
#include "core/model/picture_cache.h"
#include "core/model/pixel_target.h"

#include <QPainter>

#include <algorithm>
#include <thread>
#include <vector>

namespace velora {

namespace {
constexpr QRgb kBackground = 0xFFFFFFFF;
constexpr QRgb kSelectedWithoutImage = 0xFFFF0000;
// Views and exports draw into 16-bit images, so tiles are kept in that
// format and copy to them without conversion.
constexpr QImage::Format kTileFormat = QImage::Format_RGB16;
// Below this many pixels a second thread costs more than it saves.
constexpr qint64 kPixelsPerBand = 1'000'000;

// Paints horizontal bands of the target at once, one per core: every layer
// of a rendering only touches the rows it is given.
template <typename PaintBand>
void PaintInBands(const PixelTarget& target, PaintBand paintBand) {
    const QRect bounds = target.Bounds();
    const qint64 pixels = qint64{bounds.width()} * bounds.height();
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const int bands = static_cast<int>(std::clamp<qint64>(pixels / kPixelsPerBand, 1, cores));
    std::vector<std::thread> helpers;
    for (int i = bands - 1; i >= 0; --i) {
        const int top = bounds.top() + static_cast<int>(qint64{bounds.height()} * i / bands);
        const int bottom =
            bounds.top() + static_cast<int>(qint64{bounds.height()} * (i + 1) / bands);
        PixelTarget band = target.Band(QRect(bounds.left(), top, bounds.width(), bottom - top));
        if (i == 0) {
            paintBand(band);
        } else {
            helpers.emplace_back([band, &paintBand]() mutable { paintBand(band); });
        }
    }
    for (std::thread& helper : helpers) helper.join();
}
}  // namespace

void CDrawingModel::Render(QPainter& painter, bool exportMode) {
    m_originX = 0;
    m_originY = 0;
    AreaFills fills(m_areas, kTileFormat);
    RefreshTileCaches(fills);

    PixelTarget target(painter);
    if (target.IsDirect()) {
        if (m_smoothLines) m_curveLayer->Update(m_curves, target.Bounds());
        // Views repaint in screen mode again and again; exports happen once.
        // Pixels outside the drawing are the target's own, so only a target
        // within the drawing can take a kept picture.
        const bool keep = !exportMode && QRect(0, 0, m_width, m_height).contains(target.Bounds());
        const uint64_t picture = keep ? PictureFingerprint(fills) : 0;
        if (!keep || !m_pictureCache->Restore(target, picture)) {
            PaintInBands(target, [&](PixelTarget& band) {
                PaintLayers(band, fills, exportMode);
                if (m_smoothLines) m_curveLayer->BlendInto(band);
            });
            if (keep) m_pictureCache->Store(target, picture);
        }
        if (!m_smoothLines && exportMode) DrawCurves(painter, 1.0f, false);
    } else {
        PaintLayers(target, fills, exportMode);
        if (m_smoothLines || exportMode) DrawCurves(painter, 1.0f, m_smoothLines);
    }
    for (CArea& area : m_areas) area.SetChanged(false);
}

// Everything the screen picture that PaintLayers and the smooth outlines draw
// is made from: a kept picture with the same fingerprint is the same picture.
uint64_t CDrawingModel::PictureFingerprint(const AreaFills& fills) const {
    Fingerprint fingerprint;
    fingerprint.Add(m_width).Add(m_height).Add(m_correctionMode);
    fingerprint.Add(m_smoothLines ? m_curveLayer->CurvesFingerprint() : 0);
    if (!m_mask.IsNull()) {
        fingerprint.Add(m_mask.Width()).Add(m_mask.Height());
        fingerprint.AddBytes(m_mask.Bits().data(), m_mask.Bits().size());
    }
    for (const auto& region : m_regions) {
        fingerprint.Add(region->IsSelected())
            .Add(fills.Find(region->GetName()).image != nullptr)
            .Add(static_cast<uint64_t>(region->GetCacheBitmap().cacheKey()));
        for (const QRect& rect : region->GetRegion()) {
            fingerprint.Add((uint64_t(uint32_t(rect.left())) << 32) | uint32_t(rect.top()));
            fingerprint.Add((uint64_t(uint32_t(rect.right())) << 32) | uint32_t(rect.bottom()));
        }
    }
    return fingerprint.Value();
}

// A region is re-tiled only when its area's image changed since the last
// rendering; every other rendering copies its cached tile.
void CDrawingModel::RefreshTileCaches(AreaFills& fills) {
    for (const auto& region : m_regions) {
        const auto [image, changed] = fills.Find(region->GetName());
        if (image && changed) {
            region->SetCacheBitmap(
                fills.TileCache(*image, region->GetRegion().boundingRect().size()));
        }
    }
}

void CDrawingModel::PaintLayers(PixelTarget& target, const AreaFills& fills,
                                bool exportMode) const {
    const QRect drawing(0, 0, m_width, m_height);
    const bool drawMask = !m_mask.IsNull() && !exportMode;
    // A mask as large as the drawing paints every pixel of the background.
    if (!drawMask || !QRect(0, 0, m_mask.Width(), m_mask.Height()).contains(drawing)) {
        target.FillRect(drawing, kBackground);
    }
    if (drawMask) target.DrawMask(m_mask);

    const bool markSelection = !exportMode && !m_correctionMode;
    for (const auto& region : m_regions) {
        const QRegion& shape = region->GetRegion();
        const QRect box = shape.boundingRect();
        if (target.IsDirect() && !box.intersects(target.Bounds())) continue;
        if (!fills.Find(region->GetName()).image) {
            if (region->IsSelected() && markSelection) {
                target.FillRegion(shape, kSelectedWithoutImage);
            }
            continue;
        }
        const QImage& cache = region->GetCacheBitmap();
        if (!cache.isNull()) target.CopyRegion(shape, cache, box.topLeft());
    }
}

void CDrawingModel::DrawCurves(QPainter& painter, float penWidth, bool antialias) const {
    // The smoothing stays switched on for whoever paints next.
    if (antialias) painter.setRenderHint(QPainter::Antialiasing, true);
    StrokeCurves(painter, m_curves, penWidth, painter.testRenderHint(QPainter::Antialiasing));
}

}  // namespace velora
