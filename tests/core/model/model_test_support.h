// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/drawing_model.h"

#include <QRegion>

namespace velora::test {

inline CRegionItem& AddRegion(CDrawingModel& model, const QRegion& shape, bool selected = false) {
    auto item = std::make_unique<CRegionItem>();
    item->AssignRegion(shape);
    item->SetSelected(selected);
    model.Regions().push_back(std::move(item));
    return *model.Regions().back();
}

inline CArea& AddArea(CDrawingModel& model, const QString& name, const QStringList& names) {
    CArea area;
    area.SetName(name);
    area.SetNames(names);
    model.Areas().push_back(area);
    return model.Areas().back();
}

inline QImage SolidImage(int width, int height, QRgb color) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

}  // namespace velora::test
