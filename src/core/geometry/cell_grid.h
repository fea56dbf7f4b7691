// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/grouping.h"

#include <QPointF>
#include <QRect>
#include <QSize>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace velora {

// Grids of square cells for finding what lies near a point.

// Square cells over an area, at least as wide as asked, and few enough that
// even the largest drawing needs no more than about four million.
class CellLayout {
public:
    CellLayout(QSize area, double narrowest)
        : m_cell(std::max({narrowest, 8.0, std::max(area.width(), area.height()) / 2048.0})),
          m_columns(std::max(1, static_cast<int>(std::ceil(area.width() / m_cell)))),
          m_rows(std::max(1, static_cast<int>(std::ceil(area.height() / m_cell)))) {}

    double CellSize() const { return m_cell; }
    size_t CellCount() const { return static_cast<size_t>(m_columns) * m_rows; }

    // Cells within reach of a point, clamped to the grid: what lies outside
    // the area lands in a border cell, and so does a search that reaches it.
    QRect CellsAround(QPointF p, double reach) const {
        return CellsOf(p - QPointF(reach, reach), p + QPointF(reach, reach));
    }
    QRect CellsOf(QPointF a, QPointF b) const {
        return QRect(QPoint(Column(std::min(a.x(), b.x())), Row(std::min(a.y(), b.y()))),
                     QPoint(Column(std::max(a.x(), b.x())), Row(std::max(a.y(), b.y()))));
    }
    template <typename Visit>
    void ForEach(const QRect& cells, Visit visit) const {
        for (int row = cells.top(); row <= cells.bottom(); ++row) {
            for (int column = cells.left(); column <= cells.right(); ++column) {
                visit(static_cast<size_t>(row) * m_columns + column);
            }
        }
    }

private:
    int Column(double x) const {
        return std::clamp(static_cast<int>(std::floor(x / m_cell)), 0, m_columns - 1);
    }
    int Row(double y) const {
        return std::clamp(static_cast<int>(std::floor(y / m_cell)), 0, m_rows - 1);
    }

    double m_cell;
    int m_columns;
    int m_rows;
};

// Items by the cells they touch, built once and then searched.
class CellGrid {
public:
    CellGrid(QSize area, double reach) : m_layout(area, reach), m_wanted(m_layout.CellCount(), 0) {}

    const CellLayout& Layout() const { return m_layout; }

    // Only wanted cells take items: those a search will look at.
    void Want(const QRect& cells) {
        m_layout.ForEach(cells, [&](size_t cell) { m_wanted[cell] = 1; });
    }
    void Add(const QRect& cells, int item) {
        m_layout.ForEach(cells, [&](size_t cell) {
            if (m_wanted[cell]) m_entries.push_back({cell, item});
        });
    }
    // Sorts the entries into cells; no Add after it.
    void Seal() {
        m_cells = GroupByKey(std::span<const Entry>(m_entries), m_layout.CellCount(),
                             [](const Entry& entry) { return entry.cell; });
        m_entries = {};
    }
    template <typename Visit>
    void ForEachItem(const QRect& cells, Visit visit) const {
        m_layout.ForEach(cells, [&](size_t cell) {
            for (size_t i = m_cells.begin[cell]; i < m_cells.begin[cell + 1]; ++i)
                visit(m_cells.items[i].item);
        });
    }

private:
    struct Entry {
        size_t cell;
        int item;
    };

    CellLayout m_layout;
    std::vector<uint8_t> m_wanted;
    std::vector<Entry> m_entries;
    Grouped<Entry> m_cells;
};

// Marks items already seen by one search, without clearing between searches.
class SeenItems {
public:
    explicit SeenItems(size_t count) : m_stamp(count, 0) {}
    void NextSearch() { ++m_search; }
    bool FirstVisit(int item) {
        if (m_stamp[item] == m_search) return false;
        m_stamp[item] = m_search;
        return true;
    }

private:
    std::vector<uint32_t> m_stamp;
    uint32_t m_search = 0;
};

}  // namespace velora
