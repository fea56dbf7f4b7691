// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/area.h"
#include "core/model/region_item.h"

#include <QHash>
#include <QImage>
#include <QString>

#include <memory>
#include <unordered_map>
#include <vector>

namespace velora {

// The image and changed flag that fill each region name: the first area
// holding the name that has an image; otherwise the flag of the last area
// holding it. A rendering of a small part looks up a few names, each found
// by walking the areas; one that looks up many has the areas put in a table
// once, instead of walking every area for every region.
class AreaFills {
public:
    struct Fill {
        const QImage* image = nullptr;
        bool changed = false;
    };

    // indexed: the areas are put in a table at once, for a rendering that
    // looks up many names; otherwise each look-up walks the areas, which a
    // rendering of a small part does for a few names. Either way look-ups
    // may come from several threads at once.
    AreaFills(const std::vector<CArea>& areas, bool indexed);

    Fill Find(const QString& regionName) const;
    // The rule itself, walking the areas for one name.
    static Fill Walk(const std::vector<CArea>& areas, const QString& regionName);

private:
    const std::vector<CArea>& m_areas;
    // Only when indexed.
    QHash<QString, Fill> m_fills;
    bool m_indexed;
};

// The area images that regions show, as opaque tiles in the format views and
// exports draw in (16-bit, so that tiles copy to them without conversion),
// each converted once and kept while some region shows it. Transparent parts
// are painted over black, as a texture brush paints into a fresh bitmap.
class TileImages {
public:
    // Converts each image the regions show that is not converted yet, and
    // forgets the images no region shows any more.
    void Refresh(const std::vector<std::unique_ptr<CRegionItem>>& regions);
    // The converted image of an image a region showed at the last Refresh.
    const QImage& Opaque(const QImage& image) const;
    // A bitmap of the given size filled with such an image repeated; its top
    // left pixel shows the image pixel at phase (taken modulo the image's
    // size), so that a part of a region's box tiles as the whole box would.
    QImage TileBitmap(const QImage& image, const QSize& size, QPoint phase) const;

private:
    static constexpr QImage::Format kFormat = QImage::Format_RGB16;
    std::unordered_map<qint64, QImage> m_tiles;
};

}  // namespace velora
