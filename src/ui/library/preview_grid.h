// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/library/thumbnail_grid.h"

namespace velora {

// The grid of template and design files: each cell shows the preview stored
// at the start of its file, fitted into the cell, with the file title below
// it. Only the preview's bytes are read, not the rest of the document.
class CPreviewGrid : public CThumbnailGrid {
    Q_OBJECT
public:
    explicit CPreviewGrid(QWidget* parent = nullptr);

protected:
    bool DrawCell(QPainter& normal, QPainter& selected, const QString& path,
                  const CellPicture& picture) override;
};

}  // namespace velora
