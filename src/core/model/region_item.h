// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRegion>
#include <QString>

#include <optional>

namespace velora {

// A captured region of a template: a named pixel region with a selection
// flag and the cached tile bitmap of its area's texture.
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

    // 24-bit tile bitmap as large as the region's box, or a null image.
    const QImage& GetCacheBitmap() const { return m_cache; }
    void SetCacheBitmap(QImage cache) { m_cache = std::move(cache); }

    // Before loading: no region, empty name, not selected, no cache.
    void Reset();

private:
    QImage m_cache;
    QString m_name;
    bool m_selected = false;
    std::optional<QRegion> m_region;
    QRect m_box;
};

}  // namespace velora
