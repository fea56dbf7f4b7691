// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/path.h"

#include <QByteArrayView>
#include <QString>

#include <string_view>
#include <utility>
#include <vector>

namespace velora {

// The entity types of a drawing that the reader passes over, each with how
// often it came, in the order first met, so the user can be told what the
// template leaves out. Parts of other entities (VERTEX, SEQEND, ATTRIB) are
// not counted on their own. Past kMaxTypes different types, the rest are
// counted together as "other".
class EntityTally {
public:
    static constexpr size_t kMaxTypes = 32;

    void Count(std::string_view type);
    const std::vector<std::pair<QString, int>>& Counts() const { return m_counts; }

private:
    std::vector<std::pair<QString, int>> m_counts;
};

// Reads the LINE, ARC, CIRCLE, LWPOLYLINE and SPLINE entities of an ASCII
// DXF text into flattened paths at 100 times the DXF units, one per entity
// that is visible, on a layer that is switched on, and has an outline.
//
// The reader never fails: unknown groups and entities are skipped (and
// counted in ignored when it is given), numbers that do not parse read as 0,
// and a text that ends early keeps what it held.
std::vector<Path> ReadDxfPaths(QByteArrayView text, EntityTally* ignored = nullptr);

}  // namespace velora
