// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/path.h"

#include <QString>

namespace velora {

// A named closed outline of a template.
class CCurve {
public:
    CCurve() = default;
    CCurve(Path path, QString name) : m_path(std::move(path)), m_name(std::move(name)) {}
    virtual ~CCurve() = default;

    Path& GetPath() { return m_path; }
    const Path& GetPath() const { return m_path; }
    const QString& GetName() const { return m_name; }
    void SetName(const QString& name) { m_name = name; }
    bool IsSelected() const { return m_selected != 0; }
    void SetSelected(bool selected) { m_selected = selected ? 1 : 0; }

private:
    Path m_path{FillMode::Alternate};
    QString m_name;
    int m_selected = 0;
};

}  // namespace velora
