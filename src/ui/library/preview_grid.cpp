// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/preview_grid.h"

#include "core/common/path_parts.h"
#include "core/model/model_file.h"
#include "ui/library/cell_drawing.h"

#include <QPainter>

#include <algorithm>

namespace velora {

namespace {

CellPicture ReadPreview(const QString& path, QSize) {
    const QImage preview = ReadThumbnail(path);
    return {preview, preview.size()};
}

// The preview scaled to fit the picture area, larger or smaller, keeping its
// proportions, centred.
QRect FittedPreview(const QRect& area, QSize image) {
    const double scale = std::min(static_cast<double>(area.width()) / image.width(),
                                  static_cast<double>(area.height()) / image.height());
    const int width = static_cast<int>(image.width() * scale);
    const int height = static_cast<int>(image.height() * scale);
    return {area.x() + (area.width() - width) / 2, area.y() + (area.height() - height) / 2, width,
            height};
}

}  // namespace

CPreviewGrid::CPreviewGrid(QWidget* parent) : CThumbnailGrid(ReadPreview, parent) {}

bool CPreviewGrid::DrawCell(QPainter& normal, QPainter& selected, const QString& path,
                            const CellPicture& picture) {
    const QRect target = FittedPreview(CellPictureArea(CellSize()), picture.image.size());
    for (QPainter* painter : {&normal, &selected}) {
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawImage(target, picture.image);
    }
    // Names differ by their letter case alone on Linux, so they show as they are.
    DrawCellCaptions(normal, selected, CellSize(), GetPathTitle(path),
                     CellColors::FromPalette(palette()));
    return true;
}

}  // namespace velora
