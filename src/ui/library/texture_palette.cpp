// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/texture_palette.h"

#include "core/common/path_parts.h"
#include "core/model/drawing_model.h"
#include "core/model/texture_image.h"
#include "ui/library/cell_drawing.h"

#include <QPainter>
#include <QPainterPath>

namespace velora {

namespace {

// Only the part a cell shows is decoded: 1024 x 1024 textures fill a
// palette of 100 x 75 cells quickly.
CellPicture ReadTextureCorner(const QString& path, QSize cellSize) {
    const QSize area = CellPictureArea(cellSize).size();
    const TextureCorner corner = LoadTextureCorner(path, area.expandedTo(QSize(1, 1)));
    return {corner.image, corner.fullSize};
}

// The margin that centres a texture smaller than the picture area; 0 for a
// larger one, which is cropped instead.
int CentringMargin(int area, int image) { return image < area ? (area - image) / 2 : 0; }

QImage MakeInListMarker() {
    QImage marker(34, 19, QImage::Format_RGB32);
    marker.fill(QColor(0, 128, 0));
    QPainter painter(&marker);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(10, 10);
    tick.lineTo(15, 15);
    tick.lineTo(24, 4);
    painter.drawPath(tick);
    return marker;
}

}  // namespace

CTexturePalette::CTexturePalette(QWidget* parent) : CThumbnailGrid(ReadTextureCorner, parent) {}

QImage CTexturePalette::LoadFocusedImage() const {
    const QString path = GetFocusedPath();
    return path.isEmpty() ? QImage() : LoadTextureImage(path, nullptr);
}

QImage CTexturePalette::InListMarker() {
    static const QImage marker = MakeInListMarker();
    return marker;
}

bool CTexturePalette::DrawCell(QPainter& normal, QPainter& selected, const QString& path,
                               const CellPicture& picture) {
    const QRect area = CellPictureArea(CellSize());
    const QPoint corner(area.x() + CentringMargin(area.width(), picture.fullSize.width()),
                        area.y() + CentringMargin(area.height(), picture.fullSize.height()));
    const bool marked = m_model && m_model->HasTexture(path);
    for (QPainter* painter : {&normal, &selected}) {
        painter->save();
        painter->setClipRect(area);
        painter->drawImage(corner, picture.image);
        painter->restore();
        if (marked) painter->drawImage(corner, InListMarker());
    }
    DrawCellCaptions(normal, selected, CellSize(), GetPathTitle(path),
                     CellColors::FromPalette(palette()));
    return true;
}

}  // namespace velora
