// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/import_checks.h"

#include "core/import/entity_tally.h"
#include "core/model/drawing_model.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace velora {

namespace {

bool IsClosed(const Path& path) {
    if (path.IsEmpty()) return false;
    if (path.Types().back() & PathPointType::CloseSubpath) return true;
    const PointF first = *path.FirstPoint(), last = *path.LastPoint();
    return std::hypot(double(first.x) - last.x, double(first.y) - last.y) < 0.5;
}

}  // namespace

QString NothingToImportReason(const EntityTally& leftOut) {
    QString reason = QCoreApplication::translate("velora", "has no shapes to make a template of");
    if (!leftOut.IsEmpty())
        reason += QCoreApplication::translate("velora", " (left out: %1)").arg(leftOut.Text());
    return reason;
}

bool HasClosedCurve(const CDrawingModel& model) {
    return std::any_of(model.Curves().begin(), model.Curves().end(),
                       [](const auto& curve) { return IsClosed(curve->GetPath()); });
}

}  // namespace velora
