// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/controls/command_target.h"
#include "ui/views/mosvel_view_base.h"
#include "ui/views/view_printer.h"
#include "ui/views/view_tools.h"

namespace velora {

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
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override { mousePressEvent(event); }
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool InCorrectionMode() const;
    void PickRegion(QPointF point);
    void ShowAtOneToOne();
    void UpdateCursor();

    CPenTool m_penTool;
    CZoomTool m_zoomTool;
    CViewTool* m_currentTool = nullptr;
    ViewPrinter m_printer;
};

}  // namespace velora
