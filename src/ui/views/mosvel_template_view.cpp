// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/views/mosvel_template_view.h"

#include "core/edit/edits.h"
#include "core/import/click_capture.h"
#include "core/model/drawing_model.h"
#include "core/model/region_capture.h"
#include "core/model/region_item.h"
#include "ui/controls/command_ids.h"
#include "ui/controls/notice_bar.h"
#include "ui/views/gap_settings.h"
#include "ui/views/view_document.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QUndoStack>

#include <algorithm>
#include <cmath>

namespace velora {

namespace {
constexpr double kZoomOutFactor = 0.8333333333333334;
// The joins of "Close gaps" before they are drawn.
constexpr QRgb kJoinColour = 0xFF1E88E5;
constexpr double kRingRadius = 7;
}  // namespace

CMosvelTemplateView::CMosvelTemplateView(QWidget* parent)
    : CMosvelViewBase(parent), m_penTool(*this), m_zoomTool(*this), m_printer(*this) {
    setAccessibleName(tr("Template"));
    connect(&Notice(), &NoticeBar::dismissed, this, [this] { disconnect(m_captureWatch); });
}

CMosvelTemplateView::~CMosvelTemplateView() = default;

const CommandMap<CMosvelTemplateView>& CMosvelTemplateView::Commands() {
    using V = CMosvelTemplateView;
    static const CommandMap<V> map{
        {cmd::kSelectAll, &V::OnSelectAll},
        {cmd::kDeselectAllRegions, &V::OnDeselectAllRegions},
        {cmd::kZoomIn, &V::OnZoomIn, &V::OnUpdateZoomIn},
        {cmd::kZoomOut, &V::OnZoomOut, &V::OnUpdateZoomOut},
        {cmd::kZoomOneToOne, &V::OnZoomOneToOne, &V::OnUpdateZoomOneToOne},
        {cmd::kPen, &V::OnPen, &V::OnUpdatePen},
        {cmd::kSmoothLines, &V::OnSmoothLines, &V::OnUpdateSmoothLines},
        {cmd::kCorrectionMode, &V::OnCorrectionMode, &V::OnUpdateCorrectionMode},
        {cmd::kDeleteFromCache, &V::OnDeleteFromCache, &V::OnUpdateDeleteFromCache},
        {cmd::kFilePrint, &V::OnPrint},
        {cmd::kFilePrintDirect, &V::OnPrintDirect},
        {cmd::kFilePrintPreview, &V::OnPrintPreview},
    };
    return map;
}

void CMosvelTemplateView::OnInitialUpdate() { CMosvelViewBase::OnInitialUpdate(); }

bool CMosvelTemplateView::InCorrectionMode() const {
    const CDrawingModel* model = GetModel();
    return model && model->GetCorrectionMode();
}

CViewTool* CMosvelTemplateView::ActiveTool() const {
    return InCorrectionMode() ? m_currentTool : nullptr;
}

void CMosvelTemplateView::UpdateCursor() {
    if (const CViewTool* tool = ActiveTool()) {
        viewport()->setCursor(tool->Cursor());
    } else {
        viewport()->unsetCursor();
    }
}

// --- commands ------------------------------------------------------------------

void CMosvelTemplateView::OnSelectAll() {
    if (CDrawingModel* model = GetModel()) model->SelectAllCurves();
}

void CMosvelTemplateView::OnDeselectAllRegions() {
    if (CDrawingModel* model = GetModel()) model->DeselectAllRegions();
}

void CMosvelTemplateView::OnZoomIn() {
    m_currentTool = &m_zoomTool;
    UpdateCursor();
}

void CMosvelTemplateView::OnPen() {
    m_currentTool = &m_penTool;
    UpdateCursor();
}

// Scroll positions keep the same part of the drawing at the window's top
// left. The picture itself does not change, so it is not rendered again.
void CMosvelTemplateView::OnZoomOut() {
    const float oldX = GetZoomX();
    const float oldY = GetZoomY();
    SetZoom(static_cast<float>(oldX * kZoomOutFactor), static_cast<float>(oldY * kZoomOutFactor));
    const QPoint oldScroll = ScrollPosition();
    UpdateLayout();
    horizontalScrollBar()->setValue(
        static_cast<int>(std::trunc(oldScroll.x() / (oldX / GetZoomX()))));
    verticalScrollBar()->setValue(
        static_cast<int>(std::trunc(oldScroll.y() / (oldY / GetZoomY()))));
    InvalidateAll(true);
}

void CMosvelTemplateView::OnZoomOneToOne() {
    SetZoom(1.0f, 1.0f);
    UpdateLayout();
    InvalidateAll(true);
}

// Turning smooth lines on ends correction mode; either way the zoom goes
// back to 1:1.
void CMosvelTemplateView::OnSmoothLines() {
    if (CDrawingModel* model = GetModel()) {
        GetDocument()->Edit(edits::SetSmoothLines(*model, !model->GetSmoothLines(), true));
    }
    ShowAtOneToOne();
}

// Correction mode is turned over with smooth lines off.
void CMosvelTemplateView::OnCorrectionMode() {
    if (CDrawingModel* model = GetModel()) {
        model->SetCorrectionMode(!model->GetCorrectionMode());
        model->SetSmoothLines(false);
    }
    ShowAtOneToOne();
}

void CMosvelTemplateView::ShowAtOneToOne() {
    SetZoom(1.0f, 1.0f);
    UpdateLayout();
    SetRenderPending(true);
    InvalidateAll(true);
    UpdateCursor();
}

void CMosvelTemplateView::OnDeleteFromCache() {
    if (CDrawingModel* model = GetModel()) {
        GetDocument()->Edit(edits::DeleteSelectedRegions(*model));
    }
}

void CMosvelTemplateView::OnUpdateZoomIn(CommandUpdate& update) {
    update.Enable(InCorrectionMode());
    update.SetCheck(m_currentTool == &m_zoomTool);
}

void CMosvelTemplateView::OnUpdateZoomOut(CommandUpdate& update) {
    update.Enable(InCorrectionMode() && GetZoomX() > 1.0f);
}

void CMosvelTemplateView::OnUpdateZoomOneToOne(CommandUpdate& update) {
    update.Enable(InCorrectionMode() && GetZoomX() != 1.0f);
}

void CMosvelTemplateView::OnUpdatePen(CommandUpdate& update) {
    update.Enable(InCorrectionMode());
    update.SetCheck(m_currentTool == &m_penTool);
}

void CMosvelTemplateView::OnUpdateSmoothLines(CommandUpdate& update) {
    const CDrawingModel* model = GetModel();
    update.SetCheck(model && model->GetSmoothLines());
}

void CMosvelTemplateView::OnUpdateCorrectionMode(CommandUpdate& update) {
    update.SetCheck(InCorrectionMode());
}

void CMosvelTemplateView::OnUpdateDeleteFromCache(CommandUpdate& update) {
    const CDrawingModel* model = GetModel();
    update.Enable(model && model->CountSelectedRegions() > 0);
}

// --- join preview --------------------------------------------------------------

void CMosvelTemplateView::ShowJoinPreview(std::vector<GapJoin> joins) {
    m_joinPreview = std::move(joins);
    viewport()->update();
}

// Each join's pixels in a colour no drawing uses, and a ring around it, so
// that a join of a pixel or two is found at any zoom.
void CMosvelTemplateView::PaintOverlay(QPainter& painter) {
    if (m_joinPreview.empty()) return;
    const QColor colour(kJoinColour);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(colour, 2));
    painter.setBrush(Qt::NoBrush);
    for (const GapJoin& join : m_joinPreview) {
        for (const QPoint& pixel : JoinPixels(join)) painter.fillRect(PixelInWindow(pixel), colour);
        const QPointF middle =
            (PixelInWindow(join.fromPixel).center() + PixelInWindow(join.toPixel).center()) / 2;
        const double across =
            QLineF(PixelInWindow(join.fromPixel).center(), PixelInWindow(join.toPixel).center())
                .length();
        const double radius = std::max(kRingRadius, across / 2 + kRingRadius / 2);
        painter.drawEllipse(middle, radius, radius);
    }
    painter.restore();
}

// --- mouse ---------------------------------------------------------------------

QString CutRegionsText(const RegionsFollowed& followed) {
    if (followed.cut.isEmpty()) return {};
    const QString parts = followed.partsLeftOut == 1
                              ? CMosvelTemplateView::tr("1 part")
                              : CMosvelTemplateView::tr("%1 parts").arg(followed.partsLeftOut);
    return CMosvelTemplateView::tr(
               "Cut in parts: %1. Each keeps its largest part; %2 left uncaptured.")
        .arg(followed.cut.join(QStringLiteral(", ")), parts);
}

void CMosvelTemplateView::PickRegion(QPointF point, bool plain) {
    CDrawingModel& model = *GetModel();
    IViewDocument& document = *GetDocument();
    const QPoint pixel = ClickPixel(point);
    const GapSettings gaps = ReadGapSettings();
    const ClickPlan plan =
        PlanClick(model, pixel, plain || !gaps.closeWhenClickFloods ? 0 : gaps.distance);
    if (plan.action == ClickPlan::Action::Nothing) return;
    if (plan.action == ClickPlan::Action::Flooded) {
        document.ShowStatus(
            tr("Nothing captured: this space reaches the edge of the drawing even with gaps of up "
               "to %1 pixels closed. Close its outline with the pen, or Shift+click to capture "
               "it as it is.")
                .arg(gaps.distance));
        return;
    }
    if (plan.outline.empty()) {
        const size_t regions = model.Regions().size();
        document.Edit(edits::ClickRegion(model, pixel));
        if (model.Regions().size() > regions) OfferToTakeBackIfOpen(*model.Regions().back());
        return;
    }
    RegionsFollowed followed;
    document.Edit(edits::CaptureWithOutline(model, pixel, plan.outline, &followed));
    const QString closed = plan.joins == 1
                               ? tr("1 gap in its outline was closed.")
                               : tr("%1 gaps in its outline were closed.").arg(plan.joins);
    document.ShowStatus(
        tr("Region captured; %1 %2").arg(closed, CutRegionsText(followed)).trimmed());
}

// The notice offers to undo the capture while it is the newest step: any
// other change, undo or redo ends the offer, so the button never takes back
// something else.
void CMosvelTemplateView::OfferToTakeBackIfOpen(const CRegionItem& captured) {
    if (!ReachesMaskBorder(captured.GetRegion(), GetModel()->GetMaskBitmap())) return;
    QUndoStack& stack = GetDocument()->UndoStack();
    const int step = stack.index();
    Notice().ShowNotice(tr("The region reaches the edge of the drawing: its outline is open "
                           "somewhere, or it is the space around the drawing."),
                        tr("Take back the click"), [stack = QPointer(&stack), step] {
                            if (stack && stack->index() == step) stack->undo();
                        });
    m_captureWatch = connect(&stack, &QUndoStack::indexChanged, this, [this, step](int index) {
        if (index != step) Notice().Dismiss();
    });
}

// The second press of a double click arrives as the double click, which
// comes here too: a double click toggles the region twice.
void CMosvelTemplateView::mousePressEvent(QMouseEvent* event) {
    if (!GetDocument()) return;
    const QPointF point = event->position();
    if (event->button() == Qt::LeftButton) {
        if (!InCorrectionMode()) {
            PickRegion(point, event->modifiers().testFlag(Qt::ShiftModifier));
        } else if (m_currentTool) {
            m_currentTool->OnLButtonDown(point);
        }
    } else if (event->button() == Qt::RightButton) {
        if (CViewTool* tool = ActiveTool()) tool->OnRButtonDown(point);
    }
}

void CMosvelTemplateView::mouseMoveEvent(QMouseEvent* event) {
    if (CViewTool* tool = GetDocument() ? ActiveTool() : nullptr) {
        tool->OnMouseMove(event->position());
    }
}

void CMosvelTemplateView::mouseReleaseEvent(QMouseEvent* event) {
    CViewTool* tool = GetDocument() ? ActiveTool() : nullptr;
    if (!tool) return;
    if (event->button() == Qt::LeftButton) {
        tool->OnLButtonUp(event->position());
    } else if (event->button() == Qt::RightButton) {
        tool->OnRButtonUp(event->position());
    }
}

}  // namespace velora
