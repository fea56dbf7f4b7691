// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/export/image_rows.h"

#include <QImage>
#include <QSize>

namespace velora {

// The rows of an image after one of the JPEG encoder's transformations
// (kTransformRotate90 .. kTransformFlipVertical, rotations clockwise; 0 for
// none), in RGB888. Flips and the half turn read the image row by row; the
// quarter turns read columns and so need the image in RGB888 as a whole,
// which costs a converted copy only for an image in another format.
class OrientedRows {
public:
    OrientedRows(const QImage& image, int transformation);

    QSize Size() const;
    // Fills row with Size().width() RGB888 pixels of output row y.
    void Read(int y, uchar* row);

private:
    bool IsQuarterTurn() const;
    void ReadColumn(int x, bool upwards, uchar* row) const;

    const QImage& m_image;
    int m_transformation;
    QImage m_rgb;  // the image in RGB888 for quarter turns
    ImageRows m_rows;
};

}  // namespace velora
