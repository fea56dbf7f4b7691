// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/area_fills.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

namespace velora {

namespace {

// Images loaded from a file and not decoded yet are decoded here, all at
// once and in parallel, before any band is painted on another thread. Only
// areas that fill some region need theirs.
void DecodeLoadedImages(const std::vector<CArea>& areas) {
    std::vector<const StoredImage*> pending;
    for (const CArea& area : areas) {
        const StoredImage* stored = area.GetStoredImage();
        if (stored && !stored->IsDecoded() && area.NameCount() > 0) pending.push_back(stored);
    }
    StoredImage::DecodeAll(pending);
}

}  // namespace

AreaFills::AreaFills(const std::vector<CArea>& areas, bool indexed)
    : m_areas(areas), m_indexed(indexed) {
    DecodeLoadedImages(areas);
    if (!indexed) return;
    m_fills.reserve(static_cast<qsizetype>(areas.size()));
    for (const CArea& area : areas) {
        for (const QString& name : area.Names()) {
            Fill& fill = m_fills[name];
            if (fill.image) continue;  // an earlier area with an image wins
            fill.changed = area.IsChanged();
            if (area.HasImage()) fill.image = &area.GetImage();
        }
    }
}

AreaFills::Fill AreaFills::Find(const QString& regionName) const {
    return m_indexed ? m_fills.value(regionName) : Walk(m_areas, regionName);
}

AreaFills::Fill AreaFills::Walk(const std::vector<CArea>& areas, const QString& regionName) {
    Fill fill;
    for (const CArea& area : areas) {
        if (!area.HasName(regionName)) continue;
        fill.changed = area.IsChanged();
        if (area.HasImage()) {
            fill.image = &area.GetImage();
            break;
        }
    }
    return fill;
}

void TileImages::Refresh(const std::vector<std::unique_ptr<CRegionItem>>& regions) {
    std::unordered_map<qint64, QImage> kept;
    for (const auto& region : regions) {
        const QImage& image = region->GetTileImage();
        if (image.isNull() || kept.count(image.cacheKey())) continue;
        auto found = m_tiles.find(image.cacheKey());
        if (found != m_tiles.end()) {
            kept.emplace(image.cacheKey(), std::move(found->second));
            continue;
        }
        QImage opaque;
        if (!image.hasAlphaChannel()) {
            opaque = image.convertToFormat(kFormat);
        } else {
            opaque = QImage(image.size(), kFormat);
            opaque.fill(Qt::black);
            QPainter painter(&opaque);
            painter.drawImage(0, 0, image);
        }
        kept.emplace(image.cacheKey(), std::move(opaque));
    }
    m_tiles = std::move(kept);
}

const QImage& TileImages::Opaque(const QImage& image) const {
    static const QImage none;
    const auto found = m_tiles.find(image.cacheKey());
    return found != m_tiles.end() ? found->second : none;
}

QImage TileImages::TileBitmap(const QImage& image, const QSize& size, QPoint phase) const {
    const QImage& tile = Opaque(image);
    if (size.isEmpty() || tile.isNull()) return {};
    QImage cache(size, kFormat);
    if (cache.isNull()) return {};
    const int bytesPerPixel = cache.depth() / 8;
    const int tileRowBytes = tile.width() * bytesPerPixel;
    const int rowBytes = size.width() * bytesPerPixel;
    const int firstColumn = phase.x() % tile.width();
    const int firstRow = phase.y() % tile.height();
    for (int y = 0; y < size.height(); ++y) {
        const uchar* source = tile.constScanLine((firstRow + y) % tile.height());
        uchar* target = cache.scanLine(y);
        // The first piece starts inside the image; the others at its left.
        int x = std::min(tileRowBytes - firstColumn * bytesPerPixel, rowBytes);
        std::memcpy(target, source + firstColumn * bytesPerPixel, x);
        for (; x < rowBytes; x += tileRowBytes) {
            std::memcpy(target + x, source, std::min(tileRowBytes, rowBytes - x));
        }
    }
    return cache;
}

}  // namespace velora
