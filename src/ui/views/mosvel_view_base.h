// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/model_view.h"

#include <QAbstractScrollArea>
#include <QImage>

namespace velora {

class CDrawingModel;
class IViewDocument;
class NoticeBar;

// The common base of the design and template views: an off-screen 16-bit
// picture of the document's model, copied to the window through the zoom and
// the offsets that centre a drawing smaller than the window.
//
// The picture is re-rendered only where the model told the view it changed
// (render pending plus the invalidated part), so a repaint with nothing
// changed is one copy of the visible part.
class CMosvelViewBase : public QAbstractScrollArea, public IModelView {
    Q_OBJECT
public:
    explicit CMosvelViewBase(QWidget* parent = nullptr);
    ~CMosvelViewBase() override;

    void SetDocument(IViewDocument* document) { m_document = document; }
    // The view leaves its document: the areas bar lets go of the document
    // if it showed it, and the model no longer reports to this view.
    void DetachDocument();
    IViewDocument* GetDocument() const { return m_document; }
    CDrawingModel* GetModel() const;

    float GetZoomX() const { return m_zoomX; }
    float GetZoomY() const { return m_zoomY; }
    float GetOffsetX() const { return m_offsetX; }
    float GetOffsetY() const { return m_offsetY; }
    // Both factors become 1.0 when either is below 1.0 or not a number.
    void SetZoom(float x, float y);
    void SetImageSize(int width, int height);
    const QImage& Image() const { return m_image; }
    bool IsRenderPending() const { return m_renderPending; }
    // Offsets and scroll sizes from the model size, the zoom and the client.
    void UpdateLayout();
    // Scroll sizes in view pixels as the model and the layout asked for them;
    // zero page and line parts stand for the defaults.
    QSize ScrollTotal() const { return m_scrollTotal; }
    QSize ScrollPage() const { return m_scrollPage; }
    QSize ScrollLine() const { return m_scrollLine; }
    void SetScrollPosition(QPoint position);
    // The model pixel under a point of the window, truncated toward zero.
    QPoint WindowToModel(QPointF point) const;

    // Creates the picture at the model's size and lays out; the frame calls
    // it once the document is loaded.
    virtual void OnInitialUpdate();

    // The bar above the picture that tells the user what the work did
    // without stopping it (what an import left out, a capture whose outline
    // is open); the picture moves down while it shows.
    NoticeBar& Notice() const { return *m_notice; }

    // IModelView
    bool HasWindow() const override { return true; }
    QPoint ScrollPosition() const override;
    QPointF CentringOffset() const override { return {m_offsetX, m_offsetY}; }
    QPointF Zoom() const override { return {m_zoomX, m_zoomY}; }
    QSize ClientSize() const override;
    void SetRenderPending(bool pending) override { m_renderPending = pending; }
    void InvalidateRegion(const QRegion& region, bool erase) override;
    void InvalidateAll(bool erase) override;
    void SetScrollSizes(QSize total, QSize page, QSize line) override;

    // Draws the visible part of the picture into a painter on the window,
    // rendering first what is stale. Printing uses the same picture.
    void PaintWindow(QPainter& painter, const QRect& exposed);
    // Brings the picture up to date with the model.
    void RenderStale();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void focusInEvent(QFocusEvent* event) override;

    // Where the picture stands in the window, zoomed and scrolled.
    QRectF ImageRectInWindow() const;

private:
    void ApplyScrollBars();
    void PlaceNotice();
    QRect WindowToImage(const QRect& windowRect) const;

    IViewDocument* m_document = nullptr;
    NoticeBar* m_notice;
    bool m_renderPending = true;
    QImage m_image;
    // Part of the picture to re-render, in model pixels.
    QRegion m_stale;
    bool m_allStale = true;
    float m_offsetY = 0;
    float m_offsetX = 0;
    float m_zoomY = 1.0f;
    float m_zoomX = 1.0f;
    QSize m_scrollTotal{100, 100};
    QSize m_scrollPage;
    QSize m_scrollLine;
};

}  // namespace velora
