// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/import/gap_closing.h"
#include "ui/controls/command_target.h"
#include "ui/views/mosvel_view_base.h"
#include "ui/views/view_printer.h"
#include "ui/views/view_tools.h"

#include <vector>

namespace velora {

class CRegionItem;

struct RegionsFollowed;

// What the status bar says of regions a change of the mask cut in parts;
// empty when it cut none.
QString CutRegionsText(const RegionsFollowed& followed);

// The view of a template: a click picks the region under it; in correction
// mode the mouse drives the pen or the zoom tool.
class CMosvelTemplateView : public CMosvelViewBase,
                            public MappedCommandTarget<CMosvelTemplateView> {
    Q_OBJECT
public:
    explicit CMosvelTemplateView(QWidget* parent = nullptr);
    ~CMosvelTemplateView() override;

    static const CommandMap<CMosvelTemplateView>& Commands();

    void OnInitialUpdate() override;
    // After the document has read a template from its file.
    void Relayout() { UpdateLayout(); }

    // The joins "Close gaps" would draw, shown over the template until they
    // are drawn or the dialog is left; none for no preview.
    void ShowJoinPreview(std::vector<GapJoin> joins);
    const std::vector<GapJoin>& JoinPreview() const { return m_joinPreview; }

    CViewTool* CurrentTool() const { return m_currentTool; }
    CPenTool& PenTool() { return m_penTool; }
    CZoomTool& ZoomTool() { return m_zoomTool; }
    // The tool that receives the mouse: only in correction mode.
    CViewTool* ActiveTool() const;

    // Commands
    void OnSelectAll();
    void OnDeselectAllRegions();
    void OnZoomIn();
    void OnZoomOut();
    void OnZoomOneToOne();
    void OnPen();
    void OnSmoothLines();
    void OnCorrectionMode();
    void OnDeleteFromCache();
    void OnPrint() { m_printer.Print(); }
    void OnPrintDirect() { m_printer.PrintDirect(); }
    void OnPrintPreview() { m_printer.PrintPreview(); }

    void OnUpdateZoomIn(CommandUpdate& update);
    void OnUpdateZoomOut(CommandUpdate& update);
    void OnUpdateZoomOneToOne(CommandUpdate& update);
    void OnUpdatePen(CommandUpdate& update);
    void OnUpdateSmoothLines(CommandUpdate& update);
    void OnUpdateCorrectionMode(CommandUpdate& update);
    void OnUpdateDeleteFromCache(CommandUpdate& update);

protected:
    void PaintOverlay(QPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override { mousePressEvent(event); }
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool InCorrectionMode() const;
    // A click in a space that floods the drawing is tried again with the
    // gaps around it closed, unless the user turned that off or the click
    // is plain (with Shift).
    void PickRegion(QPointF point, bool plain);
    // When the region just captured reaches the edge of the drawing, the
    // notice says so and offers to undo its capture.
    void OfferToTakeBackIfOpen(const CRegionItem& captured);
    void ShowAtOneToOne();
    void UpdateCursor();

    CPenTool m_penTool;
    CZoomTool m_zoomTool;
    CViewTool* m_currentTool = nullptr;
    std::vector<GapJoin> m_joinPreview;
    ViewPrinter m_printer;
    // Ends the offer to take back a capture once the undo stack moves on.
    QMetaObject::Connection m_captureWatch;
};

}  // namespace velora
