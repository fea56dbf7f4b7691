// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/library/thumbnail_grid.h"

#include <QImage>

namespace velora {

class CDrawingModel;

// The grid of texture files: each cell shows the texture at its own pixel
// size, centred when smaller than the picture area and cropped to its
// top-left part when larger, with the file title below it. Bound to a
// drawing model, it marks every texture that the model's texture list
// holds; markers change when cells are refreshed.
class CTexturePalette : public CThumbnailGrid {
    Q_OBJECT
public:
    explicit CTexturePalette(QWidget* parent = nullptr);

    void SetModel(const CDrawingModel* model) { m_model = model; }
    const CDrawingModel* GetModel() const { return m_model; }
    // The focus cell's texture, whole; null when no cell has the focus or
    // the file cannot be read.
    QImage LoadFocusedImage() const;

    // The marker put on the textures of the model's list.
    static QImage InListMarker();

protected:
    bool DrawCell(QPainter& normal, QPainter& selected, const QString& path,
                  const CellPicture& picture) override;

private:
    const CDrawingModel* m_model = nullptr;
};

}  // namespace velora
