// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/path.h"
#include "core/import/dxf_entity.h"
#include "core/import/entity_tally.h"

#include <QPointF>
#include <QTransform>

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velora {

// Most entities that the blocks of one drawing may place, copies of arrays
// included. It is far beyond real drawings, and keeps a few lines that
// insert blocks into blocks many times over from asking for more memory
// than any machine has.
constexpr size_t kMaxDxfPlacements = 4'000'000;

// Layer names (lower case) with their switched-on flag. Asking for a layer
// that the table does not name records it as switched off.
class DxfLayerTable {
public:
    bool IsOn(std::string_view name) { return Flag(name) != 0; }
    void SetOn(std::string_view name, bool on) { Flag(name) = on ? 1 : 0; }

private:
    int& Flag(std::string_view name);

    std::unordered_map<std::string, int> m_flags;
    std::string m_key;
};

// One thing an entity or a block definition holds: an outline in the
// drawing units of its block (not yet flattened), a reference to another
// block, or something the template leaves out, with the layer it is on.
struct DxfItem {
    enum class Kind { Outline, Insert, Ignored };
    Kind kind = Kind::Outline;
    std::string layer;  // lower case
    bool hasLayer = false;
    Path outline;
    DxfInsert insert;
    QString ignored;  // what the tally counts it as (EntityTally::CountKind)
};

struct DxfBlock {
    QPointF base;
    std::vector<DxfItem> items;
};

// The block definitions of a drawing, by lower-case name.
using DxfBlockTable = std::unordered_map<std::string, DxfBlock>;

// Puts the items of the drawing where they belong: outlines flattened into
// the output, block references replaced by their blocks' items at every
// place they put them, nested to any depth. An item of a block on layer
// "0" (or on none) takes the layer of the reference that places it; what
// is placed is imported when its layer is switched on or it has none, and
// counted in the tally as left out otherwise. A
// block that reaches itself through its references is not placed again;
// that reference is counted in the tally instead, as are references to
// blocks that do not exist and the items the template leaves out.
class DxfPlacer {
public:
    DxfPlacer(const DxfBlockTable& blocks, DxfLayerTable& layers, EntityTally* ignored,
              std::vector<Path>& output, size_t maxPlacements = kMaxDxfPlacements)
        : m_blocks(blocks),
          m_layers(layers),
          m_ignored(ignored),
          m_output(output),
          m_maxPlacements(maxPlacements) {}

    // Places an item of the drawing's own entities, taking its outline.
    // Throws FormatError when the drawing's blocks place more than the
    // maximum.
    void Place(DxfItem&& item);

private:
    struct Frame;

    const std::string* LayerIfShown(const DxfItem& item, const std::string* inherited, bool inBlock,
                                    bool& shown);
    // Places the outline, or counts it as left out when its layer is off.
    void PlaceIfShown(bool shown, Path outline, const QTransform& placement);
    const DxfBlock* Find(const DxfInsert& insert) const;
    double CopiesOf(const DxfItem& reference);
    void Count(const QString& what);
    void CheckRoom(double placements) const;
    void Charge(double placements);
    void Expand(const DxfItem& insert, const QTransform& parent, const std::string* layer);

    const DxfBlockTable& m_blocks;
    DxfLayerTable& m_layers;
    EntityTally* m_ignored;
    std::vector<Path>& m_output;
    size_t m_maxPlacements;
    size_t m_placements = 0;
    // How many items each block places, its references' included.
    std::unordered_map<const DxfBlock*, double> m_itemsPlaced;
};

// Where the cell (column, row) of a block reference puts the points of its
// block, in the coordinates of the reference's own container.
QTransform DxfInsertPlacement(const DxfInsert& insert, QPointF base, int column, int row);

}  // namespace velora
