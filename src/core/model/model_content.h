// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/mono_bitmap.h"
#include "core/model/area.h"
#include "core/model/curve.h"
#include "core/model/region_item.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace velora {

// What a template or design file holds: everything of a model that is
// stored. A stream is read into one completely before a model is touched.
struct ModelContent {
    QString templateName;
    std::vector<CArea> areas;
    std::vector<std::unique_ptr<CCurve>> curves;
    QStringList textures;
    std::vector<std::unique_ptr<CRegionItem>> regions;
    int width = 0;
    int height = 0;
    MonoBitmap mask;
};

}  // namespace velora
