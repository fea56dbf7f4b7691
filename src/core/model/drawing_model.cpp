// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/drawing_model.h"

#include "core/archive/archive.h"
#include "core/common/errors.h"
#include "core/common/library_folders.h"
#include "core/common/user_interface.h"
#include "core/geometry/region_data.h"
#include "core/model/area_fills.h"
#include "core/model/curve_layer.h"
#include "core/model/model_stream.h"
#include "core/model/picture_cache.h"
#include "core/model/region_capture.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <optional>

namespace velora {

namespace {
bool ValidIndex(int index, size_t size) { return index >= 0 && static_cast<size_t>(index) < size; }

// Union of the integer bounds of every curve path, (0, 0, 0, 0) without
// curves; with a matrix, each path is transformed by it first.
Rect UnionOfCurveBounds(const std::vector<std::unique_ptr<CCurve>>& curves,
                        const Matrix* transform = nullptr) {
    if (curves.empty()) return {};
    if (transform) curves.front()->GetPath().Transform(*transform);
    Rect first = curves.front()->GetPath().WorldBoundsI();
    int left = first.x, top = first.y, right = first.Right(), bottom = first.Bottom();
    for (size_t i = 1; i < curves.size(); ++i) {
        if (transform) curves[i]->GetPath().Transform(*transform);
        const Rect box = curves[i]->GetPath().WorldBoundsI();
        left = std::min(left, box.x);
        top = std::min(top, box.y);
        right = std::max(right, box.Right());
        bottom = std::max(bottom, box.Bottom());
    }
    return {left, top, right - left, bottom - top};
}

// The names in one list and not in the other.
QStringList NamesChanged(const QStringList& before, const QStringList& after) {
    QStringList changed;
    for (const QString& name : before) {
        if (!after.contains(name)) changed.append(name);
    }
    for (const QString& name : after) {
        if (!before.contains(name)) changed.append(name);
    }
    return changed;
}

// Takes the selected items out of the list, keeping the others in order, and
// drops their names from every area.
template <class Item>
std::vector<CDrawingModel::Removed<Item>> TakeSelectedItems(
    std::vector<std::unique_ptr<Item>>& list, std::vector<CArea>& areas) {
    std::vector<CDrawingModel::Removed<Item>> removed;
    std::vector<std::unique_ptr<Item>> kept;
    kept.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i) {
        if (!list[i]->IsSelected()) {
            kept.push_back(std::move(list[i]));
            continue;
        }
        for (CArea& area : areas) area.RemoveName(list[i]->GetName());
        removed.push_back({i, std::move(list[i])});
    }
    list = std::move(kept);
    return removed;
}
}  // namespace

CDrawingModel::CDrawingModel()
    : m_curveLayer(std::make_unique<CurveLayer>()),
      m_tileImages(std::make_unique<TileImages>()),
      m_pictureCache(std::make_unique<PictureCache>()) {}
CDrawingModel::~CDrawingModel() = default;

IUserInterface& CDrawingModel::User() const {
    static NullUserInterface nobody;
    return m_user ? *m_user : nobody;
}

void CDrawingModel::Report(const ModelChange& change) const {
    if (m_observer && !change.IsEmpty()) m_observer->ModelChanged(change);
}

void CDrawingModel::Clear() {
    m_currentArea = -1;
    m_objects.clear();
    m_areas.clear();
    m_curves.clear();
    m_regions.clear();
    m_textures.clear();
    m_templateName.clear();
    Report(ModelChange::Everything());
}

void CDrawingModel::SetDocumentKind(int kind) {
    m_documentKind = kind;
    for (CDrawingObject& object : m_objects) object.SetKind(kind);
}

void CDrawingModel::AddObject(CDrawingObject object) {
    m_objects.push_back(std::move(object));
    m_objects.back().SetKind(m_documentKind);
}

void CDrawingModel::SetSize(int width, int height) {
    m_width = width;
    m_height = height;
    Report(ModelChange::WholePicture());
}

void CDrawingModel::SetSmoothLines(bool smooth) {
    if (m_smoothLines == smooth) return;
    m_smoothLines = smooth;
    Report(ModelChange::WholePicture());
}

void CDrawingModel::SetCorrectionMode(bool on) {
    if (m_correctionMode == on) return;
    m_correctionMode = on;
    Report(ModelChange::WholePicture());
}

void CDrawingModel::SetTemplateName(const QString& name) { m_templateName = name; }

void CDrawingModel::SetMaskBitmap(MonoBitmap mask) {
    m_mask = std::move(mask);
    Report(ModelChange::WholePicture());
}

bool CDrawingModel::SetMaskPixel(QPoint pixel, bool light) {
    return !SetMaskPixels({&pixel, 1}, light).empty();
}

std::vector<QPoint> CDrawingModel::SetMaskPixels(std::span<const QPoint> pixels, bool light) {
    std::vector<QPoint> changed;
    std::vector<QRect> rects;
    for (const QPoint& pixel : pixels) {
        if (pixel.x() < 0 || pixel.y() < 0 || pixel.x() >= m_mask.Width() ||
            pixel.y() >= m_mask.Height() || m_mask.Pixel(pixel.x(), pixel.y()) == light) {
            continue;
        }
        m_mask.SetPixel(pixel.x(), pixel.y(), light);
        changed.push_back(pixel);
        rects.emplace_back(pixel, QSize(1, 1));
    }
    if (!rects.empty()) Report(ModelChange::Pixels(RegionFromRects(rects)));
    return changed;
}

ModelContent CDrawingModel::SwapContent(ModelContent content) {
    std::swap(m_templateName, content.templateName);
    std::swap(m_areas, content.areas);
    std::swap(m_curves, content.curves);
    std::swap(m_textures, content.textures);
    std::swap(m_regions, content.regions);
    std::swap(m_width, content.width);
    std::swap(m_height, content.height);
    std::swap(m_mask, content.mask);
    m_currentArea = -1;
    m_objects.clear();
    Report(ModelChange::Everything());
    return content;
}

// --- lists -------------------------------------------------------------------

void CDrawingModel::AddCurve(std::unique_ptr<CCurve> curve) {
    m_curves.push_back(std::move(curve));
    Report(ModelChange::WholePicture());
}

void CDrawingModel::SetCurves(std::vector<std::unique_ptr<CCurve>> curves) {
    m_curves = std::move(curves);
    Report(ModelChange::WholePicture());
}

std::vector<Path> CDrawingModel::TakeObjectOutlines() {
    std::vector<Path> outlines;
    outlines.reserve(m_objects.size());
    for (CDrawingObject& object : m_objects) outlines.push_back(std::move(object.GetPath()));
    return outlines;
}

// --- regions and selection ---------------------------------------------------

void CDrawingModel::SelectAllCurves() {
    for (auto& curve : m_curves) curve->SetSelected(true);
    Report(ModelChange::WholePicture());
}

void CDrawingModel::DeselectAllRegions() {
    QRegion changed;
    for (auto& region : m_regions) {
        if (region->IsSelected()) changed += region->GetRegion();
        region->SetSelected(false);
    }
    Report(ModelChange::Pixels(changed));
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
    return selection;
}

CDrawingModel::RegionClick CDrawingModel::ToggleRegionAt(QPoint pixel) {
    for (size_t i = 0; i < m_regions.size(); ++i) {
        const CRegionItem& item = *m_regions[i];
        if (item.HasRegion() && item.GetRegion().contains(pixel)) {
            SetRegionSelected(i, !item.IsSelected());
            return {i, false};
        }
    }
    AddRegion(CaptureRegionAt(m_mask, pixel));
    return {m_regions.size() - 1, true};
}

void CDrawingModel::SetRegionSelected(size_t index, bool selected) {
    if (index >= m_regions.size()) return;
    m_regions[index]->SetSelected(selected);
    Report(ModelChange::Pixels(m_regions[index]->GetRegion()));
}

void CDrawingModel::SetRegionShape(size_t index, const QRegion& shape) {
    if (index >= m_regions.size()) return;
    CRegionItem& region = *m_regions[index];
    const QRegion before = region.GetRegion();
    region.AssignRegion(shape);
    // The tile was cut for the old shape: its areas tile it anew.
    for (CArea& area : m_areas) {
        if (area.HasName(region.GetName())) area.SetChanged(true);
    }
    Report(ModelChange::Pixels(before + shape));
}

void CDrawingModel::AddRegion(std::unique_ptr<CRegionItem> region) {
    InsertRegion(m_regions.size(), std::move(region));
}

void CDrawingModel::InsertRegion(size_t index, std::unique_ptr<CRegionItem> region) {
    const QRegion pixels = region->GetRegion();
    m_regions.insert(
        m_regions.begin() + static_cast<std::ptrdiff_t>(std::min(index, m_regions.size())),
        std::move(region));
    Report(ModelChange::Pixels(pixels));
}

std::unique_ptr<CRegionItem> CDrawingModel::TakeRegion(size_t index) {
    if (index >= m_regions.size()) return nullptr;
    std::unique_ptr<CRegionItem> region = std::move(m_regions[index]);
    m_regions.erase(m_regions.begin() + static_cast<std::ptrdiff_t>(index));
    Report(ModelChange::Pixels(region->GetRegion()));
    return region;
}

std::vector<CDrawingModel::RemovedRegion> CDrawingModel::DeleteSelectedRegions() {
    const QRegion selection = GetSelectionRegion();
    std::vector<RemovedRegion> removed = TakeSelectedItems(m_regions, m_areas);
    ModelChange change = ModelChange::Pixels(selection);
    change.areas = !removed.empty();
    Report(change);
    return removed;
}

// --- areas -------------------------------------------------------------------

bool CDrawingModel::ValidArea(int index) const { return ValidIndex(index, m_areas.size()); }

QRegion CDrawingModel::RegionsNamed(const QStringList& names) const {
    if (names.isEmpty()) return {};
    const QSet<QString> wanted(names.begin(), names.end());
    QRegion pixels;
    for (const auto& region : m_regions) {
        if (wanted.contains(region->GetName())) pixels += region->GetRegion();
    }
    return pixels;
}

ModelChange CDrawingModel::AreaChange(const QStringList& names) const {
    return ModelChange::Areas(RegionsNamed(names));
}

bool CDrawingModel::SelectArea(int index) {
    if (!ValidArea(index)) return false;
    m_currentArea = index;
    const QStringList& names = m_areas[index].Names();
    const QSet<QString> wanted(names.begin(), names.end());
    QRegion changed;
    for (auto& region : m_regions) {
        const bool selected = wanted.contains(region->GetName());
        if (selected != region->IsSelected()) changed += region->GetRegion();
        region->SetSelected(selected);
    }
    Report(ModelChange::Pixels(changed));
    return true;
}

bool CDrawingModel::SetAreaImage(int index, const QImage& image) {
    if (!ValidArea(index) || image.isNull()) return false;
    CArea& area = m_areas[index];
    if (area.GetImage().cacheKey() != image.cacheKey()) area.SetChanged(true);
    area.SetImage(image);
    Report(AreaChange(area.Names()));
    return true;
}

bool CDrawingModel::SetAreaImageRef(int index, const CArea::ImageRef& image) {
    if (!ValidArea(index)) return false;
    CArea& area = m_areas[index];
    if (!(area.GetImageRef() == image)) area.SetChanged(true);
    area.SetImageRef(image);
    Report(AreaChange(area.Names()));
    return true;
}

QImage CDrawingModel::GetAreaImage(int index) const {
    if (!ValidArea(index)) return {};
    return m_areas[index].GetImage();
}

const QImage* CDrawingModel::FindAreaImage(const QString& regionName, bool* changed) const {
    const AreaFills::Fill fill = AreaFills::Walk(m_areas, regionName);
    if (changed) *changed = fill.changed;
    return fill.image;
}

bool CDrawingModel::CreateAreaFromSelected(const QString& name) {
    CArea area;
    for (const auto& region : m_regions) {
        if (!region->IsSelected()) continue;
        area.AddName(region->GetName());
        for (CArea& other : m_areas) other.RemoveName(region->GetName());
    }
    if (area.NameCount() == 0) return false;
    area.SetName(name);
    AddArea(std::move(area));
    return true;
}

bool CDrawingModel::AddSelectedToArea(int index) {
    if (!ValidArea(index)) return false;
    QStringList moved;
    for (const auto& region : m_regions) {
        if (!region->IsSelected()) continue;
        const QString& name = region->GetName();
        if (!m_areas[index].HasName(name)) m_areas[index].AddName(name);
        for (size_t i = 0; i < m_areas.size(); ++i) {
            if (static_cast<int>(i) != index) m_areas[i].RemoveName(name);
        }
        moved.append(name);
    }
    Report(AreaChange(moved));
    return true;
}

void CDrawingModel::RemoveNameFromAreas(const QString& name, int exceptIndex) {
    for (size_t i = 0; i < m_areas.size(); ++i) {
        if (static_cast<int>(i) != exceptIndex) m_areas[i].RemoveName(name);
    }
    Report(AreaChange({name}));
}

bool CDrawingModel::RemoveSelectedFromAreas(int index) {
    if (!ValidArea(index)) return false;
    QStringList removed;
    for (const auto& region : m_regions) {
        if (!region->IsSelected()) continue;
        for (CArea& area : m_areas) area.RemoveName(region->GetName());
        removed.append(region->GetName());
    }
    Report(AreaChange(removed));
    return true;
}

bool CDrawingModel::DeleteArea(int index) { return TakeArea(index).has_value(); }

void CDrawingModel::AddArea(CArea area) {
    InsertArea(static_cast<int>(m_areas.size()), std::move(area));
}

void CDrawingModel::InsertArea(int index, CArea area) {
    index = std::clamp(index, 0, static_cast<int>(m_areas.size()));
    const QStringList names = area.Names();
    m_areas.insert(m_areas.begin() + index, std::move(area));
    // The current area stays the same area.
    if (m_currentArea >= index) ++m_currentArea;
    Report(AreaChange(names));
}

std::optional<CArea> CDrawingModel::TakeArea(int index) {
    if (!ValidArea(index)) return std::nullopt;
    CArea area = std::move(m_areas[index]);
    m_areas.erase(m_areas.begin() + index);
    // Keep the current area pointing at the same area, or at none.
    if (m_currentArea == index) {
        m_currentArea = -1;
    } else if (m_currentArea > index) {
        --m_currentArea;
    }
    Report(AreaChange(area.Names()));
    return area;
}

bool CDrawingModel::RenameArea(int index, const QString& name) {
    if (!ValidArea(index)) return false;
    m_areas[index].SetName(name);
    Report(ModelChange::Areas());
    return true;
}

bool CDrawingModel::SetAreaNames(int index, QStringList names) {
    if (!ValidArea(index)) return false;
    const QStringList changed = NamesChanged(m_areas[index].Names(), names);
    m_areas[index].SetNames(std::move(names));
    Report(AreaChange(changed));
    return true;
}

// --- curves ------------------------------------------------------------------

int CDrawingModel::DeleteSelectedCurves() { return static_cast<int>(TakeSelectedCurves().size()); }

std::vector<CDrawingModel::RemovedCurve> CDrawingModel::TakeSelectedCurves() {
    std::vector<RemovedCurve> removed = TakeSelectedItems(m_curves, m_areas);
    if (!removed.empty()) Report(ModelChange::Everything());
    return removed;
}

void CDrawingModel::InsertCurve(size_t index, std::unique_ptr<CCurve> curve) {
    m_curves.insert(
        m_curves.begin() + static_cast<std::ptrdiff_t>(std::min(index, m_curves.size())),
        std::move(curve));
    Report(ModelChange::WholePicture());
}

std::unique_ptr<CCurve> CDrawingModel::TakeCurve(size_t index) {
    if (index >= m_curves.size()) return nullptr;
    std::unique_ptr<CCurve> curve = std::move(m_curves[index]);
    m_curves.erase(m_curves.begin() + static_cast<std::ptrdiff_t>(index));
    Report(ModelChange::WholePicture());
    return curve;
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
    const auto begin = m_objects.begin();
    ForEachSelectedRun(m_objects, [&](size_t first, size_t last) {
        // The unselected object before the run moves to just after it.
        if (first > 0) std::rotate(begin + first - 1, begin + first, begin + last + 1);
        return last + 1;
    });
}

void CDrawingModel::LevelUp() {
    const auto begin = m_objects.begin();
    ForEachSelectedRun(m_objects, [&](size_t first, size_t last) {
        if (last + 1 == m_objects.size()) return last + 1;
        // The unselected object after the run moves to just before it.
        std::rotate(begin + first, begin + last + 1, begin + last + 2);
        return last + 2;
    });
}

void CDrawingModel::ToBottomLevel() {
    std::stable_partition(m_objects.begin(), m_objects.end(),
                          [](const CDrawingObject& object) { return object.IsSelected(); });
}

void CDrawingModel::ToTopLevel() {
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
    const QString normalized = NormalizeTexturePath(path);
    m_textures.removeIf([&](const QString& entry) { return entry.contains(normalized); });
    m_textures.append(normalized);
    Report(ModelChange::TextureList());
}

bool CDrawingModel::RemoveTexture(const QString& path) {
    const QString normalized = NormalizeTexturePath(path);
    const bool removed =
        m_textures.removeIf([&](const QString& entry) { return entry.contains(normalized); }) > 0;
    if (removed) Report(ModelChange::TextureList());
    return removed;
}

void CDrawingModel::ClearTextures() { SetTextures({}); }

void CDrawingModel::SetTextures(QStringList textures) {
    m_textures = std::move(textures);
    Report(ModelChange::TextureList());
}

// --- geometry of all curves ------------------------------------------------

void CDrawingModel::FitCurves(const Rect& target) {
    const Rect before = UnionOfCurveBounds(m_curves);
    const double sx = static_cast<double>(before.width) / target.width;
    const double sy = static_cast<double>(before.height) / target.height;
    const double factor = sx >= sy ? sx : sy;

    // A drawing without extent (a single point, or nothing) cannot be scaled
    // to a size; it is only moved. Each curve's bounds are taken right after
    // it is scaled, while its points are at hand.
    std::optional<Matrix> scale;
    if (factor > 0 && std::isfinite(factor)) {
        scale.emplace();
        scale->Scale(static_cast<float>(1.0 / factor), static_cast<float>(1.0 / factor));
    }
    const Rect after = UnionOfCurveBounds(m_curves, scale ? &*scale : nullptr);
    const int dx = (target.width - after.width) / 2 + target.x - after.x;
    const int dy = target.y + (target.height - after.height) / 2 - after.y;
    Matrix move;
    move.Translate(static_cast<float>(dx), static_cast<float>(dy));
    for (auto& curve : m_curves) curve->GetPath().Transform(move);
    Report(ModelChange::WholePicture());
}

bool CDrawingModel::TransformCurves(const Matrix* matrix) {
    if (!matrix) return true;
    for (auto& curve : m_curves) curve->GetPath().Transform(*matrix);
    Report(ModelChange::WholePicture());
    return true;
}

// --- files -------------------------------------------------------------------

void CDrawingModel::Serialize(ArchiveWriter& archive) { WriteModelStream(*this, archive); }

void CDrawingModel::Serialize(ArchiveReader& archive) {
    if (!HasModelSignature(archive.RemainingBytes())) throw WrongFormatError();
    archive.Skip(kModelSignatureSize);
    SwapContent(ReadModelContent(archive, User()));
}

}  // namespace velora
