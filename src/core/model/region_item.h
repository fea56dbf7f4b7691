// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRegion>
#include <QString>

#include <optional>

namespace velora {

// A captured region of a template: a named pixel region with a selection
// flag and the texture its tiles show.
class CRegionItem {
public:
    // Every new region takes the next "Area%d" name of the process.
    CRegionItem();
    virtual ~CRegionItem() = default;
    CRegionItem(const CRegionItem&) = delete;
    CRegionItem& operator=(const CRegionItem&) = delete;

    const QString& GetName() const { return m_name; }
    void SetName(const QString& name) { m_name = name; }
    bool IsSelected() const { return m_selected; }
    void SetSelected(bool selected) { m_selected = selected; }

    bool HasRegion() const { return m_region.has_value(); }
    // The region; empty when the item has none.
    const QRegion& GetRegion() const;
    void AssignRegion(const QRegion& region) {
        m_region = region;
        m_box = region.boundingRect();
    }
    // The region's bounding rectangle, kept beside the item so that a small
    // repaint passes over the thousands of regions far from it cheaply.
    const QRect& Box() const { return m_box; }

    // The area image the region was last tiled with (it shares the area's
    // pixels), or a null image: rendering repeats it over the region from
    // the top left of the region's box, and takes a new one only when its
    // area's image changed since the last rendering.
    const QImage& GetTileImage() const { return m_tileImage; }
    void SetTileImage(QImage image) { m_tileImage = std::move(image); }

    // Before loading: no region, empty name, not selected, no tile image.
    void Reset();

private:
    QImage m_tileImage;
    QString m_name;
    bool m_selected = false;
    std::optional<QRegion> m_region;
    QRect m_box;
};

}  // namespace velora
