// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/area.h"

#include <QHash>
#include <QImage>
#include <QString>

#include <unordered_map>
#include <vector>

namespace velora {

// The image and changed flag that fill each region name, with the rule of
// CDrawingModel::FindAreaImage (first area holding the name that has an
// image; otherwise the flag of the last area holding it). A rendering of a
// small part looks up a few names, each found by walking the areas; one
// that looks up many has the areas put in a table once, instead of walking
// every area for every region.
class AreaFills {
public:
    struct Fill {
        const QImage* image = nullptr;
        bool changed = false;
    };

    AreaFills(const std::vector<CArea>& areas, QImage::Format tileFormat);

    Fill Find(const QString& regionName) const;
    // A bitmap of the given size filled with the image repeated, in the
    // tile format; its top left pixel shows the image pixel at phase (taken
    // modulo the image's size), so that a part of a region's box tiles as
    // the whole box would. Transparent parts are painted over black, as a
    // texture brush paints into a fresh bitmap.
    QImage TileCache(const QImage& image, const QSize& size, QPoint phase = {});

private:
    const QImage& OpaqueTile(const QImage& image);
    Fill Walk(const QString& regionName) const;
    void Index() const;

    const std::vector<CArea>& m_areas;
    // Filled on the first look-up past the walks' budget.
    mutable QHash<QString, Fill> m_fills;
    mutable int m_walks = 0;
    mutable bool m_indexed = false;
    QImage::Format m_tileFormat;
    std::unordered_map<qint64, QImage> m_tiles;  // converted once per rendering
};

}  // namespace velora
