// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/path.h"

#include <QRegion>
#include <QString>

#include <optional>

namespace velora {

// A closed object chained from import pieces. Its position in the model's
// object list is its level.
class CDrawingObject {
public:
    CDrawingObject() = default;
    virtual ~CDrawingObject() = default;
    CDrawingObject(const CDrawingObject&) = default;
    CDrawingObject& operator=(const CDrawingObject&) = default;
    CDrawingObject(CDrawingObject&&) = default;
    CDrawingObject& operator=(CDrawingObject&&) = default;

    Path& GetPath() { return m_path; }
    const Path& GetPath() const { return m_path; }
    bool IsEmpty() const { return m_path.IsEmpty(); }
    const QString& GetName() const { return m_name; }
    void SetName(const QString& name) { m_name = name; }
    int GetKind() const { return m_kind; }
    void SetKind(int kind) { m_kind = kind; }
    bool IsSelected() const { return m_selected; }
    void SetSelected(bool selected) { m_selected = selected; }

    // The region is rebuilt from the path on demand: RebuildRegion drops the
    // old one, GetRegion fills the path (alternate rule) when first asked.
    void RebuildRegion() { m_region.reset(); }
    const QRegion& GetRegion() const;

private:
    Path m_path{FillMode::Alternate};
    mutable std::optional<QRegion> m_region;
    int m_kind = 0;
    bool m_selected = false;
    QString m_name;
};

}  // namespace velora
