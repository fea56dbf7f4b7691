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
    : m_areas(areas), m_tileFormat(tileFormat) {
    DecodeLoadedImages(areas);
}

AreaFills::Fill AreaFills::Find(const QString& regionName) const {
    // A walk costs about what putting a few dozen names in the table does.
    constexpr int kWalksBeforeIndex = 16;
    if (!m_indexed && ++m_walks > kWalksBeforeIndex) Index();
    return m_indexed ? m_fills.value(regionName) : Walk(regionName);
}

AreaFills::Fill AreaFills::Walk(const QString& regionName) const {
    Fill fill;
    for (const CArea& area : m_areas) {
        if (!area.HasName(regionName)) continue;
        fill.changed = area.IsChanged();
        if (area.HasImage()) {
            fill.image = &area.GetImage();
            break;
        }
    }
    return fill;
}

void AreaFills::Index() const {
    m_fills.reserve(static_cast<qsizetype>(m_areas.size()));
    for (const CArea& area : m_areas) {
        for (const QString& name : area.Names()) {
            Fill& fill = m_fills[name];
            if (fill.image) continue;  // an earlier area with an image wins
            fill.changed = area.IsChanged();
            if (area.HasImage()) fill.image = &area.GetImage();
        }
    }
    m_indexed = true;
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

QImage AreaFills::TileCache(const QImage& image, const QSize& size, QPoint phase) {
    const QImage& tile = OpaqueTile(image);
    if (size.isEmpty() || tile.isNull()) return {};
    QImage cache(size, m_tileFormat);
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
