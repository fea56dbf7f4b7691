// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/export/row_source.h"

#include <QSize>

#include <vector>

namespace velora {

// The rows of a picture after one of the JPEG encoder's transformations
// (kTransformRotate90 .. kTransformFlipVertical, rotations clockwise; 0 for
// none), in RGB888. Flips and the half turn read the source row by row; the
// quarter turns read it in blocks of columns, each a few megabytes, so no
// transformation holds the whole picture.
class OrientedRows {
public:
    OrientedRows(RowSource& source, int transformation);

    QSize Size() const;
    // Fills row with Size().width() RGB888 pixels of output row y. Reading
    // the rows in order is the cheap way.
    void Read(int y, uchar* row);

private:
    bool IsQuarterTurn() const;
    void ReadColumn(int x, bool upwards, uchar* row);
    void LoadBlockHolding(int x);

    RowSource& m_source;
    int m_transformation;
    // Quarter turns: all source rows of the columns from m_blockLeft.
    std::vector<uchar> m_block;
    int m_blockLeft = -1;
    int m_blockWidth = 0;
};

}  // namespace velora
