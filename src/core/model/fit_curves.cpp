#include "core/model/drawing_model.h"

#include <algorithm>
#include <cmath>

namespace velora {

namespace {
// Union of the integer bounds of every curve path, (0, 0, 0, 0) without
// curves.
Rect UnionOfCurveBounds(const std::vector<std::unique_ptr<CCurve>>& curves) {
    if (curves.empty()) return {};
    Rect first = curves.front()->GetPath().WorldBoundsI();
    int left = first.x, top = first.y, right = first.Right(), bottom = first.Bottom();
    for (const auto& curve : curves) {
        const Rect box = curve->GetPath().WorldBoundsI();
        left = std::min(left, box.x);
        top = std::min(top, box.y);
        right = std::max(right, box.Right());
        bottom = std::max(bottom, box.Bottom());
    }
    return {left, top, right - left, bottom - top};
}
}  // namespace

void CDrawingModel::FitCurves(const Rect& target) {
    const Rect before = UnionOfCurveBounds(m_curves);
    const double sx = static_cast<double>(before.width) / target.width;
    const double sy = static_cast<double>(before.height) / target.height;
    const double factor = sx >= sy ? sx : sy;

    // A drawing without extent (a single point, or nothing) cannot be scaled
    // to a size; it is only moved.
    if (factor > 0 && std::isfinite(factor)) {
        Matrix scale;
        scale.Scale(static_cast<float>(1.0 / factor), static_cast<float>(1.0 / factor));
        for (auto& curve : m_curves) curve->GetPath().Transform(scale);
    }

    const Rect after = UnionOfCurveBounds(m_curves);
    const int dx = (target.width - after.width) / 2 + target.x - after.x;
    const int dy = target.y + (target.height - after.height) / 2 - after.y;
    Matrix move;
    move.Translate(static_cast<float>(dx), static_cast<float>(dy));
    for (auto& curve : m_curves) curve->GetPath().Transform(move);
}

bool CDrawingModel::TransformCurves(const Matrix* matrix) {
    if (!matrix) return true;
    for (auto& curve : m_curves) curve->GetPath().Transform(*matrix);
    return true;
}

}  // namespace velora
