// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/grid_metrics.h"

#include <algorithm>

namespace velora {

namespace {
int CellHeight(const GridMetrics& metrics) { return std::max(1, metrics.cell.height()); }
}  // namespace

int GridMetrics::Columns() const { return std::max(1, client.width() / std::max(1, cell.width())); }

int GridMetrics::VisibleRows() const { return std::max(0, client.height()) / CellHeight(*this); }

int GridMetrics::TotalRows() const {
    const int columns = Columns();
    return count / columns + (count % columns != 0 ? 1 : 0);
}

int GridMetrics::MaxScrollRow() const { return std::max(0, TotalRows() - VisibleRows()); }

QRect GridMetrics::CellRect(int position) const {
    if (position < 0) return {};
    const int columns = Columns();
    const int column = position % columns;
    const int row = position / columns;
    const int top = row * cell.height() - scrollOffset;
    return {cell.width() * column, top, cell.width(), cell.height()};
}

int GridMetrics::HitTest(QPoint point) const {
    const int columns = Columns();
    return columns * (scrollOffset / CellHeight(*this)) +
           columns * (point.y() / CellHeight(*this)) + point.x() / std::max(1, cell.width());
}

int GridMetrics::FirstVisible() const { return Columns() * (scrollOffset / CellHeight(*this)); }

int GridMetrics::EndVisible() const {
    return std::min(count, FirstVisible() + Columns() * (VisibleRows() + 1));
}

}  // namespace velora
