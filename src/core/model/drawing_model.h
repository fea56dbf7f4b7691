// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/matrix.h"
#include "core/geometry/mono_bitmap.h"
#include "core/geometry/path.h"
#include "core/model/area.h"
#include "core/model/curve.h"
#include "core/model/drawing_object.h"
#include "core/model/region_item.h"
#include "core/model/shape.h"

#include <QImage>
#include <QRegion>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
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
class IModelView;
class IUserInterface;

constexpr int kDesignDocument = 1;
constexpr int kTemplateDocument = 2;

// Everything a drawing consists of: curves, regions, areas, import pieces and
// objects, the texture list, the mask bitmap and the drawing size. Both kinds
// of document hold one. It reaches its view and the user only through the
// host interfaces and works with neither attached.
class CDrawingModel {
public:
    CDrawingModel();
    virtual ~CDrawingModel();
    CDrawingModel(const CDrawingModel&) = delete;
    CDrawingModel& operator=(const CDrawingModel&) = delete;

    // --- host ---------------------------------------------------------------
    void SetView(IModelView* view) { m_view = view; }
    IModelView* GetView() const { return m_view; }
    // The user interface that answers this model's questions; a model without
    // one gets no answers.
    void SetUserInterface(IUserInterface* user) { m_user = user; }
    IUserInterface& User() const;

    // --- whole model --------------------------------------------------------
    // Empties objects, areas, curves, regions, textures and the template
    // name; keeps the import lists, the size, the mask and the kind.
    void Clear();
    void SetDocumentKind(int kind);
    int GetDocumentKind() const { return m_documentKind; }
    void AddObject(CDrawingObject object);
    void FitView();

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    void SetSize(int width, int height);
    bool GetSmoothLines() const { return m_smoothLines; }
    void SetSmoothLines(bool smooth) { m_smoothLines = smooth; }
    bool GetCorrectionMode() const { return m_correctionMode; }
    void SetCorrectionMode(bool on) { m_correctionMode = on; }
    const QString& GetTemplateName() const { return m_templateName; }
    void SetTemplateName(const QString& name);
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified = true) { m_modified = modified; }
    int GetCurrentArea() const { return m_currentArea; }
    QPoint GetOrigin() const { return {m_originX, m_originY}; }

    const MonoBitmap& GetMaskBitmap() const { return m_mask; }
    MonoBitmap& MaskBitmap() { return m_mask; }
    void SetMaskBitmap(MonoBitmap mask) { m_mask = std::move(mask); }

    // --- lists --------------------------------------------------------------
    std::vector<CDrawingObject>& Objects() { return m_objects; }
    const std::vector<CDrawingObject>& Objects() const { return m_objects; }
    std::vector<CArea>& Areas() { return m_areas; }
    const std::vector<CArea>& Areas() const { return m_areas; }
    std::vector<std::unique_ptr<CCurve>>& Curves() { return m_curves; }
    const std::vector<std::unique_ptr<CCurve>>& Curves() const { return m_curves; }
    std::vector<CShape>& Shapes() { return m_shapes; }
    std::vector<Path>& ImportPaths() { return m_importPaths; }
    QStringList& Textures() { return m_textures; }
    const QStringList& Textures() const { return m_textures; }
    std::vector<std::unique_ptr<CRegionItem>>& Regions() { return m_regions; }
    const std::vector<std::unique_ptr<CRegionItem>>& Regions() const { return m_regions; }
    // The work shape of the metafile import.
    CShape& ShapeUnderConstruction() { return m_workShape; }

    // --- selection ----------------------------------------------------------
    void SelectAllCurves();
    void DeselectAllRegions();
    int CountSelectedRegions() const;
    // Union of the first region and every selected one, in view coordinates.
    QRegion GetSelectionRegion() const;
    // A click at view coordinates: toggles the region there or captures a
    // new one from the mask.
    void ToggleRegionAt(float x, float y);

    // --- areas --------------------------------------------------------------
    bool SelectArea(int index);
    bool SetAreaImage(int index, const QImage& image);
    // Null image for an invalid index or an area without one.
    QImage GetAreaImage(int index) const;
    // The image of the first area holding the name that has one, or nullptr;
    // changed receives the changed flag of the last area holding the name.
    const QImage* FindAreaImage(const QString& regionName, bool* changed) const;
    void CreateAreaFromSelected();
    bool AddSelectedToArea(int index);
    void RemoveNameFromAreas(const QString& name, int exceptIndex);
    bool RemoveSelectedFromAreas(int index);
    bool DeleteArea(int index);

    // --- curves and regions -------------------------------------------------
    int DeleteSelectedCurves();
    void DeleteSelectedRegions();

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
    // Reads the model stream: all or nothing. A wrong signature is told to
    // the user and leaves the model as it was; damaged data throws
    // FormatError and leaves the model as it was.
    void Serialize(ArchiveReader& archive);

private:
    QString NormalizeTexturePath(const QString& path) const;
    friend class RenderPass;
    uint64_t PictureFingerprint(const AreaFills& fills) const;
    void InvalidateInView(const QRegion& viewRegion, bool erase);
    // The same for a region in drawing coordinates.
    void InvalidateDrawingRegion(const QRegion& drawingRegion, bool erase);
    // Where the drawing's origin lies in the view (a view must be attached).
    QPoint DrawingToView() const;
    // The drawing pixel under a point of the view.
    QPoint DrawingPixel(float x, float y) const;

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
    int m_originX = 0;
    int m_originY = 0;
    MonoBitmap m_mask;
    IModelView* m_view = nullptr;
    IUserInterface* m_user = nullptr;
    bool m_modified = true;
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
