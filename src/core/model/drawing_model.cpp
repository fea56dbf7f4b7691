// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/drawing_model.h"

#include "core/archive/archive.h"
#include "core/common/library_folders.h"
#include "core/common/model_view.h"
#include "core/common/user_interface.h"
#include "core/geometry/rounding.h"
#include "core/model/curve_layer.h"
#include "core/model/model_stream.h"
#include "core/model/name_counters.h"
#include "core/model/picture_cache.h"
#include "core/model/region_capture.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace velora {

namespace {
bool ValidIndex(int index, size_t size) { return index >= 0 && static_cast<size_t>(index) < size; }

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

CDrawingModel::CDrawingModel()
    : m_curveLayer(std::make_unique<CurveLayer>()),
      m_pictureCache(std::make_unique<PictureCache>()) {}
CDrawingModel::~CDrawingModel() = default;

IUserInterface& CDrawingModel::User() const {
    static NullUserInterface nobody;
    return m_user ? *m_user : nobody;
}

void CDrawingModel::Clear() {
    m_modified = true;
    m_currentArea = -1;
    m_objects.clear();
    m_areas.clear();
    m_curves.clear();
    m_regions.clear();
    m_textures.clear();
    m_templateName.clear();
}

void CDrawingModel::SetDocumentKind(int kind) {
    m_documentKind = kind;
    for (CDrawingObject& object : m_objects) object.SetKind(kind);
}

void CDrawingModel::AddObject(CDrawingObject object) {
    m_modified = true;
    m_objects.push_back(std::move(object));
    m_objects.back().SetKind(m_documentKind);
}

void CDrawingModel::FitView() {
    if (!m_view || !m_view->HasWindow()) return;
    m_view->SetScrollSizes(QSize(m_width, m_height), m_view->ClientSize(), QSize(10, 10));
    m_view->SetRenderPending(true);
    m_view->InvalidateAll(true);
}

void CDrawingModel::SetSize(int width, int height) {
    m_width = width;
    m_height = height;
}

void CDrawingModel::SetTemplateName(const QString& name) { m_templateName = name; }

// --- selection ---------------------------------------------------------------

void CDrawingModel::SelectAllCurves() {
    m_modified = true;
    for (auto& curve : m_curves) curve->SetSelected(true);
}

void CDrawingModel::DeselectAllRegions() {
    m_modified = true;
    for (auto& region : m_regions) region->SetSelected(false);
}

int CDrawingModel::CountSelectedRegions() const {
    return static_cast<int>(std::count_if(m_regions.begin(), m_regions.end(),
                                          [](const auto& region) { return region->IsSelected(); }));
}

QRegion CDrawingModel::GetSelectionRegion() const {
    QRegion selection;
    for (size_t i = 0; i < m_regions.size(); ++i) {
        // The first region is always part of it, selected or not.
        if (i == 0 || m_regions[i]->IsSelected()) selection += m_regions[i]->GetRegion();
    }
    if (!m_view) return selection.translated(m_originX, m_originY);
    return selection.translated(DrawingToView());
}

void CDrawingModel::ToggleRegionAt(float x, float y) {
    m_modified = true;
    const QPoint pixel = DrawingPixel(x, y);
    for (auto& item : m_regions) {
        if (item->HasRegion() && item->GetRegion().contains(pixel)) {
            item->SetSelected(!item->IsSelected());
            InvalidateDrawingRegion(item->GetRegion(), true);
            return;
        }
    }
    m_regions.push_back(CaptureRegionAt(m_mask, pixel));
    InvalidateDrawingRegion(m_regions.back()->GetRegion(), false);
}

QPoint CDrawingModel::DrawingToView() const {
    const QPoint scroll = m_view->ScrollPosition();
    const QPointF offset = m_view->CentringOffset();
    return {TruncToInt(m_originX - scroll.x() + offset.x()),
            TruncToInt(m_originY - scroll.y() + offset.y())};
}

QPoint CDrawingModel::DrawingPixel(float x, float y) const {
    QPoint scroll;
    QPointF offset;
    if (m_view) {
        scroll = m_view->ScrollPosition();
        offset = m_view->CentringOffset();
    }
    const int64_t px = int64_t{TruncToInt(x)} + TruncToInt(scroll.x() - m_originX - offset.x());
    const int64_t py = int64_t{TruncToInt(y)} + TruncToInt(scroll.y() - m_originY - offset.y());
    return {TruncToInt(static_cast<double>(px)), TruncToInt(static_cast<double>(py))};
}

void CDrawingModel::InvalidateDrawingRegion(const QRegion& drawingRegion, bool erase) {
    if (!m_view) return;
    InvalidateInView(drawingRegion.translated(DrawingToView()), erase);
}

void CDrawingModel::InvalidateInView(const QRegion& viewRegion, bool erase) {
    if (!m_view) return;
    m_view->SetRenderPending(true);
    m_view->InvalidateRegion(viewRegion, erase);
}

// --- areas -------------------------------------------------------------------

bool CDrawingModel::SelectArea(int index) {
    m_modified = true;
    if (!ValidIndex(index, m_areas.size())) return false;
    m_currentArea = index;
    const QStringList& names = m_areas[index].Names();
    const QSet<QString> wanted(names.begin(), names.end());
    for (auto& region : m_regions) region->SetSelected(wanted.contains(region->GetName()));
    return true;
}

bool CDrawingModel::SetAreaImage(int index, const QImage& image) {
    m_modified = true;
    if (!ValidIndex(index, m_areas.size()) || image.isNull()) return false;
    CArea& area = m_areas[index];
    if (area.GetImage().cacheKey() != image.cacheKey()) area.SetChanged(true);
    area.SetImage(image);
    return true;
}

QImage CDrawingModel::GetAreaImage(int index) const {
    if (!ValidIndex(index, m_areas.size())) return {};
    return m_areas[index].GetImage();
}

const QImage* CDrawingModel::FindAreaImage(const QString& regionName, bool* changed) const {
    bool lastChanged = false;
    for (const CArea& area : m_areas) {
        if (!area.HasName(regionName)) continue;
        lastChanged = area.IsChanged();
        if (area.HasImage()) {
            if (changed) *changed = lastChanged;
            return &area.GetImage();
        }
    }
    if (changed) *changed = lastChanged;
    return nullptr;
}

void CDrawingModel::CreateAreaFromSelected() {
    CArea area;
    for (const auto& region : m_regions) {
        if (!region->IsSelected()) continue;
        area.AddName(region->GetName());
        RemoveNameFromAreas(region->GetName(), -1);
    }
    if (area.NameCount() == 0) return;
    m_modified = true;
    const std::optional<QString> name = User().AskAreaName(NameCounters::NextAreaNameProposal());
    if (!name) return;
    area.SetName(*name);
    m_areas.push_back(std::move(area));
}

bool CDrawingModel::AddSelectedToArea(int index) {
    m_modified = true;
    if (!ValidIndex(index, m_areas.size())) return false;
    for (const auto& region : m_regions) {
        if (!region->IsSelected()) continue;
        if (!m_areas[index].HasName(region->GetName())) m_areas[index].AddName(region->GetName());
        RemoveNameFromAreas(region->GetName(), index);
    }
    return true;
}

void CDrawingModel::RemoveNameFromAreas(const QString& name, int exceptIndex) {
    for (size_t i = 0; i < m_areas.size(); ++i) {
        if (static_cast<int>(i) != exceptIndex) m_areas[i].RemoveName(name);
    }
}

bool CDrawingModel::RemoveSelectedFromAreas(int index) {
    m_modified = true;
    if (!ValidIndex(index, m_areas.size())) return false;
    for (const auto& region : m_regions) {
        if (region->IsSelected()) RemoveNameFromAreas(region->GetName(), -1);
    }
    return true;
}

bool CDrawingModel::DeleteArea(int index) {
    if (!ValidIndex(index, m_areas.size())) return false;
    m_modified = true;
    m_areas.erase(m_areas.begin() + index);
    // Keep the current area pointing at the same area, or at none.
    if (m_currentArea == index) {
        m_currentArea = -1;
    } else if (m_currentArea > index) {
        --m_currentArea;
    }
    return true;
}

// --- curves and regions ------------------------------------------------------

int CDrawingModel::DeleteSelectedCurves() {
    m_modified = true;
    int removed = 0;
    std::erase_if(m_curves, [&](const std::unique_ptr<CCurve>& curve) {
        if (!curve->IsSelected()) return false;
        RemoveNameFromAreas(curve->GetName(), -1);
        ++removed;
        return true;
    });
    return removed;
}

void CDrawingModel::DeleteSelectedRegions() {
    const QRegion selection = GetSelectionRegion();
    m_modified = true;
    std::erase_if(m_regions, [&](const std::unique_ptr<CRegionItem>& region) {
        if (!region->IsSelected()) return false;
        RemoveNameFromAreas(region->GetName(), -1);
        return true;
    });
    InvalidateInView(selection, true);
}

// --- levels ------------------------------------------------------------------

namespace {

// Calls move(first, last) for each run [first, last] of selected objects, in
// order; move shifts the run and returns the index to go on from.
template <typename Move>
void ForEachSelectedRun(const std::vector<CDrawingObject>& objects, Move move) {
    const size_t n = objects.size();
    for (size_t i = 0; i < n;) {
        if (!objects[i].IsSelected()) {
            ++i;
            continue;
        }
        size_t last = i;
        while (last + 1 < n && objects[last + 1].IsSelected()) ++last;
        i = move(i, last);
    }
}

}  // namespace

void CDrawingModel::LevelDown() {
    m_modified = true;
    const auto begin = m_objects.begin();
    ForEachSelectedRun(m_objects, [&](size_t first, size_t last) {
        // The unselected object before the run moves to just after it.
        if (first > 0) std::rotate(begin + first - 1, begin + first, begin + last + 1);
        return last + 1;
    });
}

void CDrawingModel::LevelUp() {
    m_modified = true;
    const auto begin = m_objects.begin();
    ForEachSelectedRun(m_objects, [&](size_t first, size_t last) {
        if (last + 1 == m_objects.size()) return last + 1;
        // The unselected object after the run moves to just before it.
        std::rotate(begin + first, begin + last + 1, begin + last + 2);
        return last + 2;
    });
}

void CDrawingModel::ToBottomLevel() {
    m_modified = true;
    std::stable_partition(m_objects.begin(), m_objects.end(),
                          [](const CDrawingObject& object) { return object.IsSelected(); });
}

void CDrawingModel::ToTopLevel() {
    m_modified = true;
    std::stable_partition(m_objects.begin(), m_objects.end(),
                          [](const CDrawingObject& object) { return !object.IsSelected(); });
}

// --- texture list ------------------------------------------------------------

QString CDrawingModel::NormalizeTexturePath(const QString& path) const {
    QString normalized = path;
    normalized.replace('\\', '/');
    const QString& folder = CurrentLibraryFolders().textures;
    if (!folder.isEmpty()) normalized.remove(folder);
    return normalized;
}

bool CDrawingModel::HasTexture(const QString& path) const {
    const QString normalized = NormalizeTexturePath(path);
    return std::any_of(m_textures.begin(), m_textures.end(), [&](const QString& entry) {
        return entry.contains(normalized) || normalized.contains(entry);
    });
}

void CDrawingModel::AddTexture(const QString& path) {
    RemoveTexture(path);
    m_textures.append(NormalizeTexturePath(path));
}

bool CDrawingModel::RemoveTexture(const QString& path) {
    const QString normalized = NormalizeTexturePath(path);
    return m_textures.removeIf([&](const QString& entry) { return entry.contains(normalized); }) >
           0;
}

void CDrawingModel::ClearTextures() { m_textures.clear(); }

// --- geometry of all curves ------------------------------------------------

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

// --- files -------------------------------------------------------------------

void CDrawingModel::Serialize(ArchiveWriter& archive) { WriteModelStream(*this, archive); }

void CDrawingModel::Serialize(ArchiveReader& archive) {
    const std::span<const uint8_t> start = archive.RemainingBytes();
    if (!HasModelSignature(start)) {
        archive.Skip(std::min(start.size(), kModelSignatureSize));
        User().ShowMessage(QStringLiteral("Wrong file format!"));
        return;
    }
    archive.Skip(kModelSignatureSize);
    ModelContent content = ReadModelContent(archive, User());

    Clear();
    m_templateName = std::move(content.templateName);
    m_areas = std::move(content.areas);
    m_curves = std::move(content.curves);
    m_textures = std::move(content.textures);
    m_regions = std::move(content.regions);
    m_width = content.width;
    m_height = content.height;
    m_mask = std::move(content.mask);
}

}  // namespace velora
