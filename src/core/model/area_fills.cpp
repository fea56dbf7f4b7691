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

AreaFills::AreaFills(const std::vector<CArea>& areas, QImage::Format tileFormat)
    : m_tileFormat(tileFormat) {
    DecodeLoadedImages(areas);
    for (const CArea& area : areas) {
        for (const QString& name : area.Names()) {
            Fill& fill = m_fills[name];
            if (fill.image) continue;  // an earlier area with an image wins
            fill.changed = area.IsChanged();
            if (area.HasImage()) fill.image = &area.GetImage();
        }
    }
}

const QImage& AreaFills::OpaqueTile(const QImage& image) {
    auto found = m_tiles.find(image.cacheKey());
    if (found != m_tiles.end()) return found->second;
    QImage opaque;
    if (!image.hasAlphaChannel()) {
        opaque = image.convertToFormat(m_tileFormat);
    } else {
        opaque = QImage(image.size(), m_tileFormat);
        opaque.fill(Qt::black);
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
    }
    return m_tiles.emplace(image.cacheKey(), std::move(opaque)).first->second;
}

QImage AreaFills::TileCache(const QImage& image, const QSize& box) {
    const QImage& tile = OpaqueTile(image);
    QImage cache(box, m_tileFormat);
    if (cache.isNull() || tile.isNull()) return {};
    const int bytesPerPixel = cache.depth() / 8;
    const int tileRowBytes = tile.width() * bytesPerPixel;
    const int rowBytes = box.width() * bytesPerPixel;
    for (int y = 0; y < box.height(); ++y) {
        const uchar* source = tile.constScanLine(y % tile.height());
        uchar* target = cache.scanLine(y);
        for (int x = 0; x < rowBytes; x += tileRowBytes) {
            std::memcpy(target + x, source, std::min(tileRowBytes, rowBytes - x));
        }
    }
    return cache;
}

}  // namespace velora
