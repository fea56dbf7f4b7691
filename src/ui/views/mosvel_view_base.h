// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QThreadPool>

class QTimer;

namespace velora {

class CDrawingModel;
class ViewNavigation;
class IViewDocument;
struct ModelChange;
class NoticeBar;

// The common base of the design and template views: an off-screen 16-bit
// picture of the document's model, copied to the window through the zoom and
// the offsets that centre a drawing smaller than the window.
//
// The picture is re-rendered only where the model told the view it changed
// (render pending plus the invalidated part), so a repaint with nothing
// changed is one copy of the visible part. The view converts between window
// points and drawing pixels; the model knows only the latter.
class CMosvelViewBase : public QAbstractScrollArea {
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
    // Zoom for looking around, from the whole drawing in the window (or 1:1,
    // when that is less) to kMostZoom; the drawing pixel under the window
    // point stays there.
    void ZoomAbout(double zoom, QPointF windowPoint);
    // The whole drawing as large as the window holds it.
    void ZoomToFit();
    // How a document opens: a drawing larger than the window shown whole,
    // one that fits at 1:1; the view keeps to that while the window or the
    // drawing (a new design's template) takes its size, until the user zooms.
    void ShowWholeOnOpen();
    double FitZoom() const;
    static constexpr double kMostZoom = 64;
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
    // The drawing pixel a click in selection mode picks: at 1:1 the point
    // and the scroll less the centring offset each truncated on their own,
    // as clicks have always picked; zoomed, the pixel under the point.
    QPoint ClickPixel(QPointF point) const;
    // Repaints what the model reports as changed; a change of everything
    // also follows a new drawing size.
    void ShowModelChange(const ModelChange& change);

    // Creates the picture at the model's size and lays out; the frame calls
    // it once the document is loaded.
    virtual void OnInitialUpdate();

    // The bar above the picture that tells the user what the work did
    // without stopping it (what an import left out, a capture whose outline
    // is open); the picture moves down while it shows.
    NoticeBar& Notice() const { return *m_notice; }

    QPoint ScrollPosition() const;
    QPointF CentringOffset() const { return {m_offsetX, m_offsetY}; }
    QSize ClientSize() const;
    void SetRenderPending(bool pending) { m_renderPending = pending; }
    // Window parts to repaint; with render pending, the drawing under them is
    // rendered again first.
    void InvalidateRegion(const QRegion& region, bool erase);
    virtual void InvalidateAll(bool erase);
    // Drawing pixels to render again and repaint.
    virtual void InvalidateDrawing(const QRegion& pixels);
    void SetScrollSizes(QSize total, QSize page, QSize line);

    // Draws the visible part of the picture into a painter on the window,
    // rendering first what is stale. Printing uses the same picture.
    void PaintWindow(QPainter& painter, const QRect& exposed);
    // Brings the picture up to date with the model, all of it or the needed
    // part (in model pixels).
    void RenderStale();
    void RenderStale(const QRect& needed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void focusInEvent(QFocusEvent* event) override;

    // Where the picture stands in the window, zoomed and scrolled.
    QRectF ImageRectInWindow() const;
    // Where a drawing pixel stands in the window.
    QRectF PixelInWindow(QPoint pixel) const;
    // What a view shows over the picture on the screen (not in print).
    virtual void PaintOverlay(QPainter&) {}

private:
    void ApplyScrollBars();
    void ZoomWhole(double zoom);
    // Below 1:1 the picture is shown averaged down (made once the zoom has
    // rested), so that thin outlines do not drop out between the pixels
    // shown.
    bool PaintReduced(QPainter& painter, const QRectF& imageRect, const QRect& exposed);
    void ReduceStaleParts();
    void MakeReduced();
    QSize ReducedSize() const;
    void PlaceNotice();
    QRect WindowToImage(const QRect& windowRect) const;

    IViewDocument* m_document = nullptr;
    NoticeBar* m_notice;
    ViewNavigation* m_navigation;
    bool m_renderPending = true;
    QImage m_image;
    // Part of the picture to re-render, in model pixels.
    QRegion m_stale;
    bool m_allStale = true;
    float m_offsetY = 0;
    float m_offsetX = 0;
    float m_zoomY = 1.0f;
    float m_zoomX = 1.0f;
    bool m_keepWhole = false;
    QImage m_reduced;
    // Parts of the picture rendered since it was averaged down.
    QRegion m_reducedStale;
    QTimer* m_reduce;
    int m_reduceTicket = 0;
    bool m_reducing = false;
    QSize m_scrollTotal{100, 100};
    QSize m_scrollPage;
    QSize m_scrollLine;
    // Last, so that it is gone, its work done, before what that work uses.
    QThreadPool m_reducer;
};

}  // namespace velora
