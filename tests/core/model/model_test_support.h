// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/drawing_model.h"

#include <QRegion>

namespace velora::test {

// Appends a region of that shape; it keeps its own "Area%d" name unless one
// is given.
inline const CRegionItem& AddRegion(CDrawingModel& model, const QRegion& shape,
                                    bool selected = false, const QString& name = {}) {
    auto item = std::make_unique<CRegionItem>();
    item->AssignRegion(shape);
    item->SetSelected(selected);
    if (!name.isEmpty()) item->SetName(name);
    model.AddRegion(std::move(item));
    return *model.Regions().back();
}

inline const CArea& AddArea(CDrawingModel& model, const QString& name, const QStringList& names) {
    CArea area;
    area.SetName(name);
    area.SetNames(names);
    model.AddArea(area);
    return model.Areas().back();
}

inline QImage SolidImage(int width, int height, QRgb color) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

}  // namespace velora::test
