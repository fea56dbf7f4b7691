// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/views/mosvel_view_base.h"

#include "core/geometry/rounding.h"
#include "core/model/drawing_model.h"
#include "ui/controls/notice_bar.h"
#include "ui/views/areas_bar.h"
#include "ui/views/view_document.h"
#include "ui/views/view_navigation.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace velora {

namespace {
constexpr QRgb kMarginColour = 0xFFFFFFFF;
// The averaged picture below 1:1 is made once the zoom has rested this long.
constexpr int kReduceAfterMilliseconds = 120;

int Trunc(double value) { return static_cast<int>(std::trunc(value)); }
}  // namespace

CMosvelViewBase::CMosvelViewBase(QWidget* parent)
    : QAbstractScrollArea(parent),
      m_notice(new NoticeBar(this)),
      m_navigation(new ViewNavigation(*this)),
      m_reduce(new QTimer(this)) {
    m_reducer.setMaxThreadCount(1);
    m_reduce->setSingleShot(true);
    m_reduce->setInterval(kReduceAfterMilliseconds);
    connect(m_reduce, &QTimer::timeout, this, &CMosvelViewBase::MakeReduced);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    // Everything under the picture is painted by the copy, so Qt need not
    // clear the window first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    horizontalScrollBar()->setAccessibleName(tr("Horizontal scroll bar"));
    verticalScrollBar()->setAccessibleName(tr("Vertical scroll bar"));
    SetScrollSizes(QSize(100, 100), {}, {});
    m_notice->installEventFilter(this);
}

// The notice takes the top of the view: the picture's window starts below
// it while it shows, and gets the room back when it goes. Its wrapped text
// takes the lines the view's width needs, no more.
void CMosvelViewBase::PlaceNotice() {
    const int wrapped = m_notice->heightForWidth(width());
    const int height = m_notice->isHidden() ? 0
                       : wrapped > 0        ? wrapped
                                            : m_notice->sizeHint().height();
    m_notice->setGeometry(0, 0, width(), height);
    setViewportMargins(0, height, 0, 0);
}

bool CMosvelViewBase::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_notice && (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        PlaceNotice();
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

CMosvelViewBase::~CMosvelViewBase() {
    // The widget's own destructor still sends the view its focus out, which
    // the navigation must not see: by then this part of the view is gone.
    delete m_navigation;
    if (m_document) m_document->RemoveView(this);
}

void CMosvelViewBase::DetachDocument() {
    if (!m_document) return;
    if (CAreasBar* bar = FindAreasBar(this); bar && bar->GetActiveDocument() == m_document) {
        bar->SetActiveDocument(nullptr, nullptr, nullptr, false);
    }
    m_document = nullptr;
}

CDrawingModel* CMosvelViewBase::GetModel() const {
    return m_document ? &m_document->Model() : nullptr;
}

void CMosvelViewBase::SetZoom(float x, float y) {
    // A NaN fails both comparisons, so it also lands on the floor.
    if (!(x >= 1.0f) || !(y >= 1.0f)) x = y = 1.0f;
    m_keepWhole = false;
    m_zoomX = x;
    m_zoomY = y;
}

double CMosvelViewBase::FitZoom() const {
    const CDrawingModel* model = GetModel();
    if (!model || model->GetWidth() <= 0 || model->GetHeight() <= 0) return 1.0;
    // The window without scroll bars, which the whole drawing does not need.
    const QSize room = maximumViewportSize();
    return std::clamp(std::min(double(room.width()) / model->GetWidth(),
                               double(room.height()) / model->GetHeight()),
                      1.0 / kMostZoom, kMostZoom);
}

void CMosvelViewBase::ZoomAbout(double zoom, QPointF windowPoint) {
    if (!GetModel() || !std::isfinite(zoom)) return;
    m_keepWhole = false;
    zoom = std::clamp(zoom, std::min(1.0, FitZoom()), kMostZoom);
    const QPoint scroll = ScrollPosition();
    const QPointF drawing((windowPoint.x() + scroll.x() - m_offsetX) / m_zoomX,
                          (windowPoint.y() + scroll.y() - m_offsetY) / m_zoomY);
    m_zoomX = m_zoomY = static_cast<float>(zoom);
    UpdateLayout();
    SetScrollPosition(
        QPoint(static_cast<int>(std::lround(drawing.x() * m_zoomX + m_offsetX - windowPoint.x())),
               static_cast<int>(std::lround(drawing.y() * m_zoomY + m_offsetY - windowPoint.y()))));
    InvalidateAll(true);
}

void CMosvelViewBase::ZoomToFit() { ZoomWhole(FitZoom()); }

void CMosvelViewBase::ShowWholeOnOpen() {
    ZoomWhole(std::min(1.0, FitZoom()));
    m_keepWhole = true;
}

void CMosvelViewBase::ZoomWhole(double zoom) {
    ZoomAbout(zoom, QRectF(viewport()->rect()).center());
    SetScrollPosition(QPoint(0, 0));
}

void CMosvelViewBase::SetImageSize(int width, int height) {
    m_image = QImage();
    if (width > 0 && height > 0) {
        m_image = QImage(width, height, QImage::Format_RGB16);
        // A picture that cannot be had leaves the view painting white only.
    }
    m_renderPending = true;
    m_allStale = true;
    m_stale = QRegion();
}

void CMosvelViewBase::UpdateLayout() {
    const CDrawingModel* model = GetModel();
    if (!model) {
        SetScrollSizes(QSize(1, 1), QSize(1, 1), QSize(1, 1));
        return;
    }
    const QSize client = ClientSize();
    m_offsetX = m_offsetY = 0;
    const long double sw = static_cast<long double>(model->GetWidth()) * m_zoomX;
    const long double sh = static_cast<long double>(model->GetHeight()) * m_zoomY;
    if (sw < client.width()) m_offsetX = static_cast<float>((client.width() - sw) * 0.5);
    if (sh < client.height()) m_offsetY = static_cast<float>((client.height() - sh) * 0.5);
    QSize page = client;
    QSize line(Trunc(m_zoomX * 10), Trunc(m_zoomY * 10));
    if (Trunc(static_cast<double>(sw)) < client.width()) {
        page.setWidth(0);
        line.setWidth(0);
    }
    if (Trunc(static_cast<double>(sh)) < client.height()) {
        page.setHeight(0);
        line.setHeight(0);
    }
    SetScrollSizes(QSize(Trunc(static_cast<double>(sw)), Trunc(static_cast<double>(sh))), page,
                   line);
}

void CMosvelViewBase::SetScrollSizes(QSize total, QSize page, QSize line) {
    m_scrollTotal = total;
    m_scrollPage = page;
    m_scrollLine = line;
    ApplyScrollBars();
}

// Zero page and line parts take the usual defaults: a tenth of the total per
// page and a tenth of the page per line.
void CMosvelViewBase::ApplyScrollBars() {
    const QSize client = viewport()->size();
    const int pageX = m_scrollPage.width() > 0 ? m_scrollPage.width() : m_scrollTotal.width() / 10;
    const int pageY =
        m_scrollPage.height() > 0 ? m_scrollPage.height() : m_scrollTotal.height() / 10;
    const int lineX = m_scrollLine.width() > 0 ? m_scrollLine.width() : pageX / 10;
    const int lineY = m_scrollLine.height() > 0 ? m_scrollLine.height() : pageY / 10;
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setRange(0, std::max(0, m_scrollTotal.width() - client.width()));
    v->setRange(0, std::max(0, m_scrollTotal.height() - client.height()));
    h->setPageStep(std::max(1, pageX));
    v->setPageStep(std::max(1, pageY));
    h->setSingleStep(std::max(1, lineX));
    v->setSingleStep(std::max(1, lineY));
}

void CMosvelViewBase::SetScrollPosition(QPoint position) {
    horizontalScrollBar()->setValue(position.x());
    verticalScrollBar()->setValue(position.y());
}

QPoint CMosvelViewBase::ScrollPosition() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

QSize CMosvelViewBase::ClientSize() const { return viewport()->size(); }

QPoint CMosvelViewBase::WindowToModel(QPointF point) const {
    const QPoint scroll = ScrollPosition();
    return {Trunc((point.x() + scroll.x() - m_offsetX) / m_zoomX),
            Trunc((point.y() + scroll.y() - m_offsetY) / m_zoomY)};
}

QPoint CMosvelViewBase::ClickPixel(QPointF point) const {
    if (m_zoomX != 1.0f || m_zoomY != 1.0f) return WindowToModel(point);
    const QPoint scroll = ScrollPosition();
    const int64_t x = int64_t{TruncToInt(static_cast<float>(point.x()))} +
                      TruncToInt(scroll.x() - static_cast<double>(m_offsetX));
    const int64_t y = int64_t{TruncToInt(static_cast<float>(point.y()))} +
                      TruncToInt(scroll.y() - static_cast<double>(m_offsetY));
    return {TruncToInt(static_cast<double>(x)), TruncToInt(static_cast<double>(y))};
}

void CMosvelViewBase::ShowModelChange(const ModelChange& change) {
    if (change.whole) {
        const CDrawingModel* model = GetModel();
        if (model && QSize(model->GetWidth(), model->GetHeight()) != m_image.size()) {
            SetImageSize(model->GetWidth(), model->GetHeight());
            UpdateLayout();
            if (m_keepWhole) ShowWholeOnOpen();
        }
        SetRenderPending(true);
        InvalidateAll(true);
    } else if (!change.pixels.isEmpty()) {
        InvalidateDrawing(change.pixels);
    }
}

void CMosvelViewBase::OnInitialUpdate() {
    if (const CDrawingModel* model = GetModel()) {
        SetImageSize(model->GetWidth(), model->GetHeight());
    }
    UpdateLayout();
    InvalidateAll(true);
}

QRect CMosvelViewBase::WindowToImage(const QRect& windowRect) const {
    const QPoint scroll = ScrollPosition();
    const double left = (windowRect.left() + scroll.x() - m_offsetX) / m_zoomX;
    const double top = (windowRect.top() + scroll.y() - m_offsetY) / m_zoomY;
    const double right = (windowRect.right() + 1 + scroll.x() - m_offsetX) / m_zoomX;
    const double bottom = (windowRect.bottom() + 1 + scroll.y() - m_offsetY) / m_zoomY;
    // One pixel more on every side covers the rounding of the offsets.
    return QRect(
        QPoint(static_cast<int>(std::floor(left)) - 1, static_cast<int>(std::floor(top)) - 1),
        QPoint(static_cast<int>(std::ceil(right)), static_cast<int>(std::ceil(bottom))));
}

void CMosvelViewBase::InvalidateRegion(const QRegion& region, bool) {
    if (m_renderPending) {
        for (const QRect& rect : region) m_stale += WindowToImage(rect);
    }
    viewport()->update(region);
}

void CMosvelViewBase::InvalidateDrawing(const QRegion& pixels) {
    m_renderPending = true;
    m_stale += pixels;
    const QRectF image = ImageRectInWindow();
    const QRect box = pixels.boundingRect();
    const QRectF window(image.left() + box.left() * static_cast<double>(m_zoomX),
                        image.top() + box.top() * static_cast<double>(m_zoomY),
                        box.width() * static_cast<double>(m_zoomX),
                        box.height() * static_cast<double>(m_zoomY));
    viewport()->update(window.toAlignedRect().adjusted(-1, -1, 1, 1));
}

void CMosvelViewBase::InvalidateAll(bool) {
    if (m_renderPending) m_allStale = true;
    viewport()->update();
}

void CMosvelViewBase::RenderStale() { RenderStale(m_image.rect()); }

// Only the stale pixels inside the needed part are rendered; the rest stay
// stale until they are shown.
void CMosvelViewBase::RenderStale(const QRect& needed) {
    CDrawingModel* model = GetModel();
    if (!m_renderPending || !model || m_image.isNull()) return;
    const QRect whole = m_image.rect();
    if (m_allStale || m_stale.isEmpty()) m_stale = QRegion(whole);
    m_allStale = false;
    const QRect part = m_stale.intersected(needed & whole).boundingRect();
    m_stale -= part;
    m_renderPending = !m_stale.isEmpty();
    if (part.isEmpty()) return;
    m_reducedStale += part;
    if (part == whole) {
        QPainter painter(&m_image);
        model->Render(painter, false);
        return;
    }
    // The stale part as an image of its own on the same pixels: rendering
    // then touches only those.
    uchar* first =
        m_image.bits() + part.top() * m_image.bytesPerLine() + part.left() * (m_image.depth() / 8);
    QImage window(first, part.width(), part.height(), m_image.bytesPerLine(), m_image.format());
    QPainter painter(&window);
    painter.translate(-part.left(), -part.top());
    model->Render(painter, false);
}

QRectF CMosvelViewBase::ImageRectInWindow() const {
    const QPoint scroll = ScrollPosition();
    return QRectF(Trunc(m_offsetX) - scroll.x(), Trunc(m_offsetY) - scroll.y(),
                  m_image.width() * static_cast<double>(m_zoomX),
                  m_image.height() * static_cast<double>(m_zoomY));
}

void CMosvelViewBase::PaintWindow(QPainter& painter, const QRect& exposed) {
    RenderStale(WindowToImage(exposed));
    const QRectF imageRect = ImageRectInWindow();
    // Only the margin around the picture is erased, so the picture never
    // flickers.
    const QRegion margin = QRegion(exposed) - QRegion(imageRect.toAlignedRect());
    for (const QRect& rect : margin) painter.fillRect(rect, QColor::fromRgb(kMarginColour));
    if (m_image.isNull()) return;
    const QRectF visible = QRectF(exposed) & imageRect;
    if (visible.isEmpty()) return;
    // The model pixels behind the exposed part, whole pixels only.
    const QRectF source((visible.left() - imageRect.left()) / m_zoomX,
                        (visible.top() - imageRect.top()) / m_zoomY, visible.width() / m_zoomX,
                        visible.height() / m_zoomY);
    const QRect pixels = source.toAlignedRect() & m_image.rect();
    const QRectF target(imageRect.left() + pixels.left() * static_cast<double>(m_zoomX),
                        imageRect.top() + pixels.top() * static_cast<double>(m_zoomY),
                        pixels.width() * static_cast<double>(m_zoomX),
                        pixels.height() * static_cast<double>(m_zoomY));
    if (target.size() == QSizeF(pixels.size())) {
        // At 1:1 the exposed part is one plain copy.
        painter.drawImage(target.topLeft().toPoint(), m_image, pixels);
        return;
    }
    if (m_zoomX < 1.0f && PaintReduced(painter, imageRect, exposed)) return;
    painter.save();
    painter.setClipRect(exposed);
    // Nearest-neighbour copies keep every drawing pixel sharp at any zoom.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, m_image, pixels);
    painter.restore();
}

bool CMosvelViewBase::PaintReduced(QPainter& painter, const QRectF& imageRect,
                                   const QRect& exposed) {
    if (m_reduced.isNull() || m_reduced.size() != ReducedSize()) {
        if (!m_reducing) m_reduce->start();
        return false;
    }
    ReduceStaleParts();
    painter.save();
    painter.setClipRect(exposed);
    painter.drawImage(imageRect.topLeft(), m_reduced);
    painter.restore();
    return true;
}

// Parts of the picture rendered again are averaged down again on their
// own, a pixel more around them so that their edges blend as before.
void CMosvelViewBase::ReduceStaleParts() {
    const double zoom = m_zoomX;
    for (const QRect& part : std::exchange(m_reducedStale, QRegion())) {
        const QRect reduced =
            QRect(QPoint(static_cast<int>(std::floor(part.left() * zoom)) - 1,
                         static_cast<int>(std::floor(part.top() * zoom)) - 1),
                  QPoint(static_cast<int>(std::ceil((part.right() + 1) * zoom)),
                         static_cast<int>(std::ceil((part.bottom() + 1) * zoom)))) &
            m_reduced.rect();
        const QRect source = QRectF(reduced.left() / zoom, reduced.top() / zoom,
                                    reduced.width() / zoom, reduced.height() / zoom)
                                 .toAlignedRect() &
                             m_image.rect();
        if (reduced.isEmpty() || source.isEmpty()) continue;
        QPainter painter(&m_reduced);
        painter.drawImage(reduced.topLeft(),
                          m_image.copy(source).scaled(reduced.size(), Qt::IgnoreAspectRatio,
                                                      Qt::SmoothTransformation));
    }
}

QSize CMosvelViewBase::ReducedSize() const {
    return {static_cast<int>(std::lround(m_image.width() * double(m_zoomX))),
            static_cast<int>(std::lround(m_image.height() * double(m_zoomY)))};
}

// Averaging a large picture down takes longer than a frame, so a worker does
// it on a copy; what is rendered meanwhile is averaged again when it comes.
void CMosvelViewBase::MakeReduced() {
    if (m_zoomX >= 1.0f || m_image.isNull()) return;
    RenderStale();
    const QSize size = ReducedSize();
    const QImage picture = m_image;
    const int ticket = ++m_reduceTicket;
    m_reducing = true;
    m_reducedStale = QRegion();
    m_reducer.start([this, picture, size, ticket] {
        QImage reduced = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QMetaObject::invokeMethod(
            this,
            [this, reduced = std::move(reduced), ticket] {
                if (ticket != m_reduceTicket) return;
                m_reducing = false;
                if (reduced.size() == ReducedSize()) m_reduced = reduced;
                viewport()->update();
            },
            Qt::QueuedConnection);
    });
}

void CMosvelViewBase::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    PaintWindow(painter, event->rect());
    PaintOverlay(painter);
}

QRectF CMosvelViewBase::PixelInWindow(QPoint pixel) const {
    const QRectF image = ImageRectInWindow();
    return QRectF(image.left() + pixel.x() * double(m_zoomX),
                  image.top() + pixel.y() * double(m_zoomY), m_zoomX, m_zoomY);
}

void CMosvelViewBase::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (!m_notice->isHidden()) PlaceNotice();
    UpdateLayout();
    if (m_keepWhole) ShowWholeOnOpen();
}

void CMosvelViewBase::scrollContentsBy(int, int) { viewport()->update(); }

// The areas bar follows the view that has the keyboard focus.
void CMosvelViewBase::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    if (CAreasBar* bar = FindAreasBar(this))
        bar->SetActiveDocument(m_document, GetModel(), this, false);
}

}  // namespace velora
