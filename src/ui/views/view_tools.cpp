// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/views/view_tools.h"

#include "core/edit/edits.h"
#include "core/geometry/pixel_lines.h"
#include "core/model/drawing_model.h"
#include "ui/controls/svg_images.h"
#include "ui/views/mosvel_template_view.h"
#include "ui/views/view_document.h"

#include <QRubberBand>

#include <algorithm>
#include <cmath>

namespace velora {

// --- CViewTool -------------------------------------------------------------------

CViewTool::CViewTool(CMosvelTemplateView& owner, QCursor cursor)
    : m_owner(owner), m_cursor(std::move(cursor)) {}

CViewTool::~CViewTool() = default;

// The view keeps the mouse between press and release (Qt grabs it for the
// pressed widget), so moves outside the window still arrive.
void CViewTool::OnRButtonUp(QPointF) { m_rightHeld = false; }

void CViewTool::OnRButtonDown(QPointF point) {
    m_rightHeld = true;
    m_anchor = point;
}

void CViewTool::OnMouseMove(QPointF) {}

void CViewTool::OnLButtonUp(QPointF) { m_leftHeld = false; }

void CViewTool::OnLButtonDown(QPointF point) {
    m_leftHeld = true;
    m_anchor = point;
}

// --- CPenTool --------------------------------------------------------------------

CPenTool::CPenTool(CMosvelTemplateView& owner)
    : CViewTool(owner, SvgCursor(QStringLiteral(":/cursors/pen.svg"), QPoint(2, 29))) {}

CPenTool::~CPenTool() = default;

void CPenTool::OnLButtonDown(QPointF point) {
    CViewTool::OnLButtonDown(point);
    BeginStroke(false);
    PaintPixel(point);
}

void CPenTool::OnRButtonDown(QPointF point) {
    CViewTool::OnRButtonDown(point);
    BeginStroke(true);
    PaintPixel(point);
}

void CPenTool::OnMouseMove(QPointF point) {
    if (m_leftHeld || m_rightHeld) PaintPixel(point);
}

void CPenTool::OnLButtonUp(QPointF point) {
    CViewTool::OnLButtonUp(point);
    EndStroke();
}

void CPenTool::OnRButtonUp(QPointF point) {
    CViewTool::OnRButtonUp(point);
    EndStroke();
}

// Black (0) draws an outline, white (1) opens it. A press of the other
// button while one is held ends the first stroke and starts the next.
void CPenTool::BeginStroke(bool light) {
    EndStroke();
    if (CDrawingModel* model = m_owner.GetModel()) {
        m_stroke = std::make_unique<PenStroke>(*model, light);
    }
}

void CPenTool::PaintPixel(QPointF point) {
    if (!m_stroke) return;
    const QPoint pixel = m_owner.WindowToModel(point);
    if (m_last) {
        m_stroke->Paint(FourConnectedLine(*m_last, pixel));
    } else {
        m_stroke->Paint(pixel);
    }
    m_last = pixel;
}

void CPenTool::EndStroke() {
    if (!m_stroke) return;
    RegionsFollowed followed;
    std::unique_ptr<EditStep> step = m_stroke->Finish(&followed);
    m_stroke.reset();
    m_last.reset();
    IViewDocument* document = m_owner.GetDocument();
    if (!document) return;
    document->Edit(std::move(step));
    if (!followed.cut.isEmpty()) document->ShowStatus(CutRegionsText(followed));
}

// --- CZoomTool -------------------------------------------------------------------

CZoomTool::CZoomTool(CMosvelTemplateView& owner)
    : CViewTool(owner, SvgCursor(QStringLiteral(":/cursors/zoom.svg"), QPoint(12, 12))) {}

CZoomTool::~CZoomTool() = default;

QRubberBand* CZoomTool::Band() {
    if (!m_band) m_band = new QRubberBand(QRubberBand::Rectangle, m_owner.viewport());
    return m_band;
}

void CZoomTool::OnMouseMove(QPointF point) {
    if (!m_leftHeld) return;
    Band()->setGeometry(QRectF(m_anchor, point).normalized().toRect().adjusted(0, 0, 1, 1));
    Band()->show();
    m_previous = point;
    m_bandDrawn = true;
}

void CZoomTool::OnLButtonUp(QPointF point) {
    const QSize client = m_owner.ClientSize();
    CViewTool::OnLButtonUp(point);
    if (m_band) m_band->hide();
    m_bandDrawn = false;

    const double left = std::min(m_anchor.x(), point.x());
    const double top = std::min(m_anchor.y(), point.y());
    const double width = std::abs(std::trunc(m_anchor.x() - point.x()));
    const double height = std::abs(std::trunc(m_anchor.y() - point.y()));
    // A click without a drag has no extent to zoom to: the zoom stays.
    if (width < 1 || height < 1) return;

    const double zoomX = m_owner.GetZoomX();
    const double zoomY = m_owner.GetZoomY();
    const QPoint scroll = m_owner.ScrollPosition();
    const double leftM = (scroll.x() - m_owner.GetOffsetX()) / zoomX + left / zoomX;
    const double topM = (scroll.y() - m_owner.GetOffsetY()) / zoomY + top / zoomY;
    const double widthM = width / zoomX;
    const double heightM = height / zoomY;
    const auto zoom =
        static_cast<float>(std::min(client.width() / widthM, client.height() / heightM));
    m_owner.SetZoom(zoom, zoom);
    m_owner.UpdateLayout();
    const double newX = m_owner.GetZoomX();
    const double newY = m_owner.GetZoomY();
    m_owner.SetScrollPosition(QPoint(
        static_cast<int>(std::trunc(newX * leftM - (client.width() - newX * widthM) * 0.5)),
        static_cast<int>(std::trunc(newY * topM - (client.height() - newY * heightM) * 0.5))));
    m_owner.InvalidateAll(true);
}

}  // namespace velora
