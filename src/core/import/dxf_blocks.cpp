// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/dxf_blocks.h"

#include "core/common/errors.h"
#include "core/import/dxf_pairs.h"

#include <QCoreApplication>

#include <cmath>
#include <numbers>
#include <unordered_set>

namespace velora {

namespace {

const QString kMissingBlock = QStringLiteral("INSERT of a missing block");
const QString kOwnBlock = QStringLiteral("INSERT of its own block");
const QString kSwitchedOff = QStringLiteral("on a layer switched off");

// The copies a reference makes; a spacing of zero puts all copies of its
// direction in one place, where one of them is enough.
struct Grid {
    int columns = 1;
    int rows = 1;
};

Grid GridOf(const DxfInsert& insert) {
    const auto count = [](int stored, double spacing) {
        return spacing != 0 && std::isfinite(spacing) ? std::max(stored, 1) : 1;
    };
    return {count(insert.columns, insert.columnSpacing), count(insert.rows, insert.rowSpacing)};
}

bool IsFinite(const QTransform& t) {
    for (double v : {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()}) {
        if (!std::isfinite(v)) return false;
    }
    return true;
}

}  // namespace

int& DxfLayerTable::Flag(std::string_view name) {
    AssignLowerCase(m_key, name);
    return m_flags.try_emplace(m_key, 0).first->second;
}

QTransform DxfInsertPlacement(const DxfInsert& insert, QPointF base, int column, int row) {
    const double angle = insert.rotation * std::numbers::pi / 180.0;
    const double c = std::cos(angle), s = std::sin(angle);
    const QTransform rotate(c, s, -s, c, 0, 0);
    // The copies of an array lie along the turned axes, their spacing not
    // scaled with the block.
    const QPointF offset =
        rotate.map(QPointF(column * insert.columnSpacing, row * insert.rowSpacing));
    return QTransform::fromTranslate(-base.x(), -base.y()) *
           QTransform::fromScale(insert.scaleX, insert.scaleY) * rotate *
           QTransform::fromTranslate(insert.x + offset.x(), insert.y + offset.y()) *
           ObjectToDrawingPlane(insert.normal, insert.z);
}

// A block being walked for one copy of the reference that placed it.
struct DxfPlacer::Frame {
    const DxfBlock* block;
    const DxfInsert* insert;
    Grid grid;
    int column = 0;
    int row = 0;
    size_t next = 0;
    QTransform container;  // where the reference itself is placed
    QTransform placement;  // where this copy puts the block's points
    const std::string* layer;

    // Moves on to the next copy; false after the last.
    bool NextCopy() {
        if (++column == grid.columns) {
            column = 0;
            if (++row == grid.rows) return false;
        }
        next = 0;
        placement = DxfInsertPlacement(*insert, block->base, column, row) * container;
        return true;
    }
};

const std::string* DxfPlacer::LayerIfShown(const DxfItem& item, const std::string* inherited,
                                           bool inBlock, bool& shown) {
    const std::string* layer = item.hasLayer ? &item.layer : nullptr;
    if (inBlock && (!layer || *layer == "0")) layer = inherited;
    shown = !layer || m_layers.IsOn(*layer);
    return layer;
}

void DxfPlacer::PlaceIfShown(bool shown, Path outline, const QTransform& placement) {
    if (!shown) return Count(kSwitchedOff);
    if (std::optional<Path> placed = PlaceDxfOutline(std::move(outline), placement)) {
        m_output.push_back(std::move(*placed));
    }
}

const DxfBlock* DxfPlacer::Find(const DxfInsert& insert) const {
    const auto found = m_blocks.find(insert.block);
    return found == m_blocks.end() ? nullptr : &found->second;
}

// The items a reference will place, counted ahead of the placing so that a
// drawing asking for too many is refused before any memory goes to them.
// References that lead back into a block being counted are refused when
// placed and count nothing here.
double DxfPlacer::CopiesOf(const DxfItem& reference) {
    const auto copies = [](const DxfItem& item) {
        const Grid grid = GridOf(item.insert);
        return double(grid.columns) * grid.rows;
    };
    const DxfBlock* root = Find(reference.insert);
    if (!root) return 0;
    struct Visit {
        const DxfBlock* block;
        size_t next;
        double items;
    };
    std::vector<Visit> stack{{root, 0, 0}};
    std::unordered_set<const DxfBlock*> open{root};
    for (;;) {
        Visit& visit = stack.back();
        if (visit.next == visit.block->items.size()) {
            const double items = visit.items;
            m_itemsPlaced[visit.block] = items;
            open.erase(visit.block);
            stack.pop_back();
            if (stack.empty()) return copies(reference) * items;
            Visit& parent = stack.back();
            parent.items += copies(parent.block->items[parent.next - 1]) * items;
            continue;
        }
        const DxfItem& item = visit.block->items[visit.next++];
        visit.items += 1;
        if (item.kind != DxfItem::Kind::Insert) continue;
        const DxfBlock* target = Find(item.insert);
        if (!target || open.count(target)) continue;
        if (const auto known = m_itemsPlaced.find(target); known != m_itemsPlaced.end()) {
            visit.items += copies(item) * known->second;
            continue;
        }
        open.insert(target);
        stack.push_back({target, 0, 0});
    }
}

void DxfPlacer::Count(const QString& what) {
    if (m_ignored) m_ignored->CountKind(what);
}

void DxfPlacer::CheckRoom(double placements) const {
    if (placements > double(m_maxPlacements - m_placements)) {
        throw FormatError(
            QCoreApplication::translate("velora",
                                        "its blocks place more than %L1 entities, more than a "
                                        "template can be made of")
                .arg(static_cast<qulonglong>(m_maxPlacements)));
    }
}

void DxfPlacer::Charge(double placements) {
    CheckRoom(placements);
    m_placements += static_cast<size_t>(placements);
}

void DxfPlacer::Place(DxfItem&& item) {
    bool shown = false;
    const std::string* layer = LayerIfShown(item, nullptr, false, shown);
    switch (item.kind) {
        case DxfItem::Kind::Outline:
            PlaceIfShown(shown, std::move(item.outline), QTransform());
            break;
        case DxfItem::Kind::Insert:
            // Refused before anything is placed; the placing then charges
            // what it places.
            CheckRoom(CopiesOf(item));
            Expand(item, QTransform(), layer);
            break;
        case DxfItem::Kind::Ignored:
            Count(item.ignored);
            break;
    }
}

// Walks the blocks with a stack of its own rather than by recursion, so that
// no depth of nesting can exhaust the program's stack.
void DxfPlacer::Expand(const DxfItem& reference, const QTransform& parent,
                       const std::string* layer) {
    std::vector<Frame> stack;
    std::unordered_set<const DxfBlock*> active;
    const auto enter = [&](const DxfItem& item, const QTransform& container,
                           const std::string* itemLayer) {
        const DxfBlock* block = Find(item.insert);
        if (!block) return Count(kMissingBlock);
        if (active.count(block)) return Count(kOwnBlock);
        const Grid grid = GridOf(item.insert);
        const QTransform placement = DxfInsertPlacement(item.insert, block->base, 0, 0) * container;
        if (block->items.empty() || !IsFinite(placement)) return;
        // Counted before any work: an array may ask for billions of copies.
        Charge(double(grid.columns) * grid.rows * double(block->items.size()));
        active.insert(block);
        stack.push_back({block, &item.insert, grid, 0, 0, 0, container, placement, itemLayer});
    };
    enter(reference, parent, layer);
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.next == frame.block->items.size() && !frame.NextCopy()) {
            active.erase(frame.block);
            stack.pop_back();
            continue;
        }
        const DxfItem& item = frame.block->items[frame.next++];
        bool shown = false;
        const std::string* itemLayer = LayerIfShown(item, frame.layer, true, shown);
        switch (item.kind) {
            case DxfItem::Kind::Outline:
                PlaceIfShown(shown, item.outline, frame.placement);
                break;
            case DxfItem::Kind::Insert: {
                // Entering may grow the stack and move the frame.
                const QTransform container = frame.placement;
                enter(item, container, itemLayer);
                break;
            }
            case DxfItem::Kind::Ignored:
                Count(item.ignored);
                break;
        }
    }
}

}  // namespace velora
