// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;
class QPalette;

namespace velora {

// The colours of a cell in its two images, from the window's palette.
struct CellColors {
    QColor window;
    QColor windowText;
    QColor highlight;
    QColor highlightText;

    static CellColors FromPalette(const QPalette& palette);
};

// The part of a cell that shows the picture: 5 pixels in from the top, left
// and right, with the caption's 20 pixels and a 5-pixel gap below it.
QRect CellPictureArea(QSize cell);

// The font of cell captions and list items: the desktop's sans-serif at 8
// points.
QFont CellCaptionFont();

// The file title centred on one line at the bottom of both images of a
// cell, cut with an ellipsis when it does not fit.
void DrawCellCaptions(QPainter& normal, QPainter& selected, QSize cell, const QString& title,
                      const CellColors& colors);

// Fills both images of a cell with their background colours.
void FillCellBackgrounds(QPainter& normal, QPainter& selected, QSize cell,
                         const CellColors& colors);

// The crossed box of a cell whose file could not be drawn.
void DrawPlaceholderCell(QPainter& normal, QPainter& selected, QSize cell,
                         const CellColors& colors);

}  // namespace velora
