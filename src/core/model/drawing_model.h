// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/matrix.h"
#include "core/geometry/mono_bitmap.h"
#include "core/geometry/path.h"
#include "core/model/area.h"
#include "core/model/const_ptr_list.h"
#include "core/model/curve.h"
#include "core/model/drawing_object.h"
#include "core/model/model_change.h"
#include "core/model/model_content.h"
#include "core/model/region_item.h"
#include "core/model/shape.h"

#include <QImage>
#include <QRegion>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class QPainter;

namespace velora {

class ArchiveReader;
class AreaFills;
class PixelTarget;
class CurveLayer;
class PictureCache;
class TileImages;
class ArchiveWriter;
class IUserInterface;

constexpr int kDesignDocument = 1;
constexpr int kTemplateDocument = 2;

// Everything a drawing consists of: curves, regions, areas, import pieces and
// objects, the texture list, the mask bitmap and the drawing size. Both kinds
// of document hold one. Its lists are read here and changed only through its
// operations, which work in drawing pixels and report what they changed to
// the observer. It knows nothing of views or dialogs: answers an operation
// needs are asked before and handed to it.
class CDrawingModel {
public:
    CDrawingModel();
    virtual ~CDrawingModel();
    CDrawingModel(const CDrawingModel&) = delete;
    CDrawingModel& operator=(const CDrawingModel&) = delete;

    // --- host ---------------------------------------------------------------
    void SetObserver(IModelObserver* observer) { m_observer = observer; }
    IModelObserver* GetObserver() const { return m_observer; }
    // Where the long work of imports and saves shows its progress and tells
    // what it left out; a model without one tells nobody.
    void SetUserInterface(IUserInterface* user) { m_user = user; }
    IUserInterface& User() const;

    // --- whole model --------------------------------------------------------
    // Empties objects, areas, curves, regions, textures and the template
    // name; keeps the import lists, the size, the mask and the kind.
    void Clear();
    void SetDocumentKind(int kind);
    int GetDocumentKind() const { return m_documentKind; }
    void AddObject(CDrawingObject object);

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    void SetSize(int width, int height);
    bool GetSmoothLines() const { return m_smoothLines; }
    void SetSmoothLines(bool smooth);
    bool GetCorrectionMode() const { return m_correctionMode; }
    void SetCorrectionMode(bool on);
    const QString& GetTemplateName() const { return m_templateName; }
    void SetTemplateName(const QString& name);
    int GetCurrentArea() const { return m_currentArea; }

    const MonoBitmap& GetMaskBitmap() const { return m_mask; }
    void SetMaskBitmap(MonoBitmap mask);
    // Makes one mask pixel light (open) or dark (outline). False when it was
    // so already or lies outside the mask.
    bool SetMaskPixel(QPoint pixel, bool light);
    // The same for many pixels at once; gives back those it changed.
    std::vector<QPoint> SetMaskPixels(std::span<const QPoint> pixels, bool light);

    // Puts the content in and gives back what stood there; the current area
    // becomes none and the objects go.
    ModelContent SwapContent(ModelContent content);

    // --- lists --------------------------------------------------------------
    const std::vector<CDrawingObject>& Objects() const { return m_objects; }
    const std::vector<CArea>& Areas() const { return m_areas; }
    ConstPtrList<CCurve> Curves() const { return ConstPtrList<CCurve>(m_curves); }
    const QStringList& Textures() const { return m_textures; }
    ConstPtrList<CRegionItem> Regions() const { return ConstPtrList<CRegionItem>(m_regions); }
    void AddCurve(std::unique_ptr<CCurve> curve);
    void SetCurves(std::vector<std::unique_ptr<CCurve>> curves);
    // Moves every object's outline out, in level order; the objects stay,
    // empty. The conversion to curves takes them so that a large drawing is
    // not held twice.
    std::vector<Path> TakeObjectOutlines();

    // The work lists of an import: transient, never stored or shown.
    std::vector<CShape>& Shapes() { return m_shapes; }
    std::vector<Path>& ImportPaths() { return m_importPaths; }
    CShape& ShapeUnderConstruction() { return m_workShape; }

    // --- regions and selection ----------------------------------------------
    void SelectAllCurves();
    void DeselectAllRegions();
    int CountSelectedRegions() const;
    // Union of the first region and every selected one.
    QRegion GetSelectionRegion() const;
    // What a click did: the region it toggled, or the one it captured.
    struct RegionClick {
        size_t index = 0;
        bool captured = false;
    };
    // A click at a drawing pixel: toggles the first region holding it, or
    // captures a new selected region from the mask there.
    RegionClick ToggleRegionAt(QPoint pixel);
    void SetRegionSelected(size_t index, bool selected);
    // Gives a region new pixels; it keeps its name, selection and area.
    void SetRegionShape(size_t index, const QRegion& shape);
    void AddRegion(std::unique_ptr<CRegionItem> region);
    void InsertRegion(size_t index, std::unique_ptr<CRegionItem> region);
    std::unique_ptr<CRegionItem> TakeRegion(size_t index);
    // A region or curve taken out with where it stood.
    template <class Item>
    struct Removed {
        size_t index = 0;
        std::unique_ptr<Item> item;
    };
    using RemovedRegion = Removed<CRegionItem>;
    using RemovedCurve = Removed<CCurve>;
    // Removes the selected regions, and their names from every area; gives
    // them back in list order.
    std::vector<RemovedRegion> DeleteSelectedRegions();

    // --- areas --------------------------------------------------------------
    bool SelectArea(int index);
    bool SetAreaImage(int index, const QImage& image);
    // Gives the area an image as another area held it (loaded or not).
    bool SetAreaImageRef(int index, const CArea::ImageRef& image);
    // Null image for an invalid index or an area without one.
    QImage GetAreaImage(int index) const;
    // The image of the first area holding the name that has one, or nullptr;
    // changed receives the changed flag of the last area holding the name.
    const QImage* FindAreaImage(const QString& regionName, bool* changed) const;
    // Makes an area of that name from the selected regions' names, taking
    // each name from the area that held it. False, changing nothing, when
    // no region is selected.
    bool CreateAreaFromSelected(const QString& name);
    bool AddSelectedToArea(int index);
    void RemoveNameFromAreas(const QString& name, int exceptIndex);
    bool RemoveSelectedFromAreas(int index);
    bool DeleteArea(int index);
    void AddArea(CArea area);
    void InsertArea(int index, CArea area);
    // The area taken out, or none for an invalid index.
    std::optional<CArea> TakeArea(int index);
    bool RenameArea(int index, const QString& name);
    bool SetAreaNames(int index, QStringList names);

    // --- curves -------------------------------------------------------------
    // Removes the selected curves, and their names from every area; gives
    // back how many.
    int DeleteSelectedCurves();
    // The same, giving the curves back in list order with where they stood.
    std::vector<RemovedCurve> TakeSelectedCurves();
    void InsertCurve(size_t index, std::unique_ptr<CCurve> curve);
    std::unique_ptr<CCurve> TakeCurve(size_t index);

    // --- levels -------------------------------------------------------------
    void LevelDown();
    void LevelUp();
    void ToBottomLevel();
    void ToTopLevel();

    // --- texture list (paths relative to the textures folder) ---------------
    bool HasTexture(const QString& path) const;
    void AddTexture(const QString& path);
    bool RemoveTexture(const QString& path);
    void ClearTextures();
    void SetTextures(QStringList textures);

    // --- geometry of all curves ---------------------------------------------
    void FitCurves(const Rect& target);
    bool TransformCurves(const Matrix* matrix);

    // --- rendering ----------------------------------------------------------
    // Draws the whole model; screen mode when exportMode is false.
    void Render(QPainter& painter, bool exportMode);
    void DrawCurves(QPainter& painter, float penWidth, bool antialias) const;
    // The smooth outlines as last stroked, which rendering reuses while the
    // curves and the area stay; whoever strokes them anyway may keep them
    // here.
    CurveLayer& SmoothOutlines() { return *m_curveLayer; }

    // --- files --------------------------------------------------------------
    // Writes the model stream.
    void Serialize(ArchiveWriter& archive);
    // Reads the model stream: all or nothing. A stream without the model's
    // signature throws WrongFormatError, damaged data FormatError; the model
    // then stays as it was.
    void Serialize(ArchiveReader& archive);

private:
    void Report(const ModelChange& change) const;
    // The regions carrying any of the names.
    QRegion RegionsNamed(const QStringList& names) const;
    // What changing an area's members or image shows.
    ModelChange AreaChange(const QStringList& names) const;
    bool ValidArea(int index) const;
    QString NormalizeTexturePath(const QString& path) const;
    friend class RenderPass;
    uint64_t PictureFingerprint(const AreaFills& fills) const;

    std::vector<CDrawingObject> m_objects;
    std::vector<CArea> m_areas;
    std::vector<std::unique_ptr<CCurve>> m_curves;
    std::vector<CShape> m_shapes;
    std::vector<Path> m_importPaths;
    QStringList m_textures;
    std::vector<std::unique_ptr<CRegionItem>> m_regions;
    bool m_correctionMode = false;
    bool m_smoothLines = true;
    int m_height = 0;
    int m_width = 0;
    MonoBitmap m_mask;
    IModelObserver* m_observer = nullptr;
    IUserInterface* m_user = nullptr;
    int m_currentArea = -1;
    QString m_templateName;
    int m_documentKind = 0;
    CShape m_workShape;
    // The smooth outlines as last stroked, reused while the curves stay.
    std::unique_ptr<CurveLayer> m_curveLayer;
    // The area images regions show, converted for drawing.
    std::unique_ptr<TileImages> m_tileImages;
    // The last 16-bit picture, repainted by a copy while nothing changed.
    std::unique_ptr<PictureCache> m_pictureCache;
};

}  // namespace velora
