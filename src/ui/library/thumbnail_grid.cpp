// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/thumbnail_grid.h"

#include "core/common/folder_walk.h"
#include "core/common/path_parts.h"
#include "ui/controls/file_report.h"
#include "ui/library/cell_drawing.h"

#include <QApplication>
#include <QDrag>
#include <QFile>
#include <QFileInfo>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <QToolTip>

#include <algorithm>
#include <optional>

namespace velora {

namespace {

// Cell images kept at most; beyond it the images of cells scrolled out of
// sight longest ago are dropped and read again when they come back.
constexpr qint64 kImageBudgetBytes = 64 * 1024 * 1024;

qint64 ImageBytes(const QImage& image) { return image.sizeInBytes(); }

}  // namespace

CThumbnailGrid::CThumbnailGrid(CellPictureLoader::Reader reader, QWidget* parent)
    : QAbstractScrollArea(parent), m_loader(std::move(reader)) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::Box);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(1);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            &CThumbnailGrid::OnScrollAction);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CThumbnailGrid::ScrollToRow);
    connect(&m_loader, &CellPictureLoader::pictureReady, this, &CThumbnailGrid::OnPictureReady);
    connect(&m_dropTarget, &CFileDropTarget::filesDropped, this, &CThumbnailGrid::OnFilesDropped);
    UpdateScrollRange();
}

CThumbnailGrid::~CThumbnailGrid() = default;

void CThumbnailGrid::SetCellSize(int width, int height) {
    const QSize size(std::max(1, width), std::max(1, height));
    if (size == m_cell) return;
    m_cell = size;
    // Images of the old size would not fit the new cells.
    for (ThumbnailItem& item : m_items) StoreCellImages(item, {}, {});
    UpdateScrollRange();
    ScrollToRow(verticalScrollBar()->value());
}

void CThumbnailGrid::Clear() {
    m_displayOrder.clear();
    m_focus = -1;
    m_scrollOffset = 0;
    m_selection.clear();
    m_folder.clear();
    m_mask.clear();
    KeepOnlyVisibleRequests();
    UpdateScrollRange();
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

bool CThumbnailGrid::LoadFolder(QString folder, QString mask) {
    Clear();
    m_folder = std::move(folder);
    m_mask = std::move(mask);
    const QStringList files =
        ListFolder(m_folder, WalkFlag::NoRecurse | WalkFlag::SkipFolders | WalkFlag::FullPaths,
                   m_mask)
            .files;
    // Sorted as shown, in lower case; the real path is what the cell keeps.
    std::vector<std::pair<QString, QString>> sorted;
    sorted.reserve(static_cast<size_t>(files.size()));
    for (const QString& path : files) sorted.emplace_back(path.toLower(), path);
    std::sort(sorted.begin(), sorted.end());
    m_displayOrder.reserve(sorted.size());
    for (const auto& entry : sorted) m_displayOrder.push_back(ItemIndex(entry.second));
    UpdateScrollRange();
    verticalScrollBar()->setValue(0);
    viewport()->update();
    return true;
}

void CThumbnailGrid::EnableFileDragDrop(bool enable) {
    m_fileDragDrop = enable;
    if (enable) {
        m_dropTarget.Register(this);
    } else {
        m_dropTarget.Revoke();
    }
}

QString CThumbnailGrid::GetPath(int position) const {
    if (position < 0 || position >= GetItemCount()) return {};
    return m_items[static_cast<size_t>(m_displayOrder[static_cast<size_t>(position)])].path;
}

QStringList CThumbnailGrid::GetSelectedPaths() const {
    QStringList paths;
    for (int position : m_selection) paths.append(GetPath(position));
    return paths;
}

void CThumbnailGrid::RefreshItem(int position) {
    ThumbnailItem* item = ItemAt(position);
    if (!item) return;
    item->stale = true;
    viewport()->update(CellRect(position));
}

void CThumbnailGrid::RefreshAll() {
    for (int index : m_displayOrder) m_items[static_cast<size_t>(index)].stale = true;
    viewport()->update();
}

void CThumbnailGrid::DeleteSelected() { DeleteFiles(GetSelectedPaths()); }

GridMetrics CThumbnailGrid::Metrics() const {
    return {viewport()->size(), m_cell, GetItemCount(), m_scrollOffset};
}

void CThumbnailGrid::VScroll(ScrollRequest request) {
    const GridMetrics metrics = Metrics();
    const int h = m_cell.height();
    int offset = m_scrollOffset;
    switch (request) {
        case ScrollRequest::LineUp:
            offset = std::max(0, offset - h);
            break;
        case ScrollRequest::LineDown:
            if (metrics.Columns() * (metrics.VisibleRows() + offset / h) < metrics.count) {
                offset += h;
            }
            break;
        case ScrollRequest::PageUp:
            offset = std::max(0, offset - h * metrics.VisibleRows());
            break;
        case ScrollRequest::PageDown:
            offset = std::max(
                offset, std::min(offset + h * metrics.VisibleRows(), h * metrics.MaxScrollRow()));
            break;
    }
    verticalScrollBar()->setValue(offset / h);
}

bool CThumbnailGrid::IsLoadingPictures() const {
    const GridMetrics metrics = Metrics();
    for (int i = metrics.FirstVisible(); i < metrics.EndVisible(); ++i) {
        const ThumbnailItem& item =
            m_items[static_cast<size_t>(m_displayOrder[static_cast<size_t>(i)])];
        if (item.normal.isNull() || item.stale) return true;
    }
    return false;
}

// --- painting ------------------------------------------------------------

void CThumbnailGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().color(QPalette::Base));
    const GridMetrics metrics = Metrics();
    for (int i = metrics.FirstVisible(); i < metrics.EndVisible(); ++i) {
        const QRect cell = metrics.CellRect(i);
        if (cell.intersects(event->rect())) PaintCell(painter, i, cell);
    }
    KeepOnlyVisibleRequests();
}

void CThumbnailGrid::PaintCell(QPainter& painter, int position, const QRect& cell) {
    ThumbnailItem& item = *ItemAt(position);
    item.lastUse = ++m_useTick;
    if (item.normal.isNull() || item.stale) RequestPicture(item);
    const bool selected = position == m_focus || IsSelected(position);
    if (!item.normal.isNull()) {
        painter.drawImage(cell.topLeft(), selected ? item.selected : item.normal);
    } else if (selected) {
        painter.fillRect(cell, palette().color(QPalette::Highlight));
    }
    if (position != m_focus) return;
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = cell;
    focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_HasFocus;
    focus.backgroundColor = palette().color(QPalette::Highlight);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}

void CThumbnailGrid::RequestPicture(ThumbnailItem& item) {
    if (item.requested) return;
    item.requested = true;
    m_loader.Request(item.path, m_cell);
}

// Requests for cells scrolled out of sight are dropped, so the ones on
// screen are read first; those cells ask again when they come back.
void CThumbnailGrid::KeepOnlyVisibleRequests() {
    QSet<QString> visible;
    const GridMetrics metrics = Metrics();
    for (int i = metrics.FirstVisible(); i < metrics.EndVisible(); ++i) visible.insert(GetPath(i));
    for (const QString& path : m_loader.KeepOnly(visible)) {
        const int index = m_itemIndex.value(path, -1);
        if (index >= 0) m_items[static_cast<size_t>(index)].requested = false;
    }
}

void CThumbnailGrid::OnPictureReady(const QString& path, QSize cellSize,
                                    const CellPicture& picture) {
    const int index = m_itemIndex.value(path, -1);
    if (index < 0) return;
    ThumbnailItem& item = m_items[static_cast<size_t>(index)];
    item.requested = false;
    if (cellSize != m_cell) {
        UpdateItemCells(index);
        return;
    }
    QImage normal(m_cell, QImage::Format_RGB32);
    QImage selected(m_cell, QImage::Format_RGB32);
    {
        QPainter normalPainter(&normal);
        QPainter selectedPainter(&selected);
        const CellColors colors = CellColors::FromPalette(palette());
        FillCellBackgrounds(normalPainter, selectedPainter, m_cell, colors);
        if (picture.image.isNull() || !DrawCell(normalPainter, selectedPainter, path, picture)) {
            DrawPlaceholderCell(normalPainter, selectedPainter, m_cell, colors);
        }
    }
    item.stale = false;
    StoreCellImages(item, std::move(normal), std::move(selected));
    UpdateItemCells(index);
    EvictOldImages();
}

void CThumbnailGrid::StoreCellImages(ThumbnailItem& item, QImage normal, QImage selected) {
    m_cachedBytes -= ImageBytes(item.normal) + ImageBytes(item.selected);
    item.normal = std::move(normal);
    item.selected = std::move(selected);
    m_cachedBytes += ImageBytes(item.normal) + ImageBytes(item.selected);
}

void CThumbnailGrid::EvictOldImages() {
    if (m_cachedBytes <= kImageBudgetBytes) return;
    const GridMetrics metrics = Metrics();
    QSet<int> visible;
    for (int i = metrics.FirstVisible(); i < metrics.EndVisible(); ++i) {
        visible.insert(m_displayOrder[static_cast<size_t>(i)]);
    }
    std::vector<int> candidates;
    for (int i = 0; i < static_cast<int>(m_items.size()); ++i) {
        if (!m_items[static_cast<size_t>(i)].normal.isNull() && !visible.contains(i)) {
            candidates.push_back(i);
        }
    }
    std::sort(candidates.begin(), candidates.end(), [this](int a, int b) {
        return m_items[static_cast<size_t>(a)].lastUse < m_items[static_cast<size_t>(b)].lastUse;
    });
    for (int index : candidates) {
        if (m_cachedBytes <= kImageBudgetBytes * 3 / 4) break;
        StoreCellImages(m_items[static_cast<size_t>(index)], {}, {});
    }
}

void CThumbnailGrid::UpdateItemCells(int itemIndex) {
    const GridMetrics metrics = Metrics();
    for (int i = metrics.FirstVisible(); i < metrics.EndVisible(); ++i) {
        if (m_displayOrder[static_cast<size_t>(i)] == itemIndex) {
            viewport()->update(metrics.CellRect(i));
        }
    }
}

void CThumbnailGrid::RepaintCells(const std::vector<int>& positions) {
    QRegion region;
    for (int position : positions) {
        if (position >= 0 && position < GetItemCount()) region += CellRect(position);
    }
    // Painted now, so the new selection shows before the owner reacts to it.
    if (!region.isEmpty()) viewport()->repaint(region);
}

// --- selection -------------------------------------------------------------

CThumbnailGrid::ThumbnailItem* CThumbnailGrid::ItemAt(int position) {
    if (position < 0 || position >= GetItemCount()) return nullptr;
    return &m_items[static_cast<size_t>(m_displayOrder[static_cast<size_t>(position)])];
}

int CThumbnailGrid::ItemIndex(const QString& path) {
    const auto found = m_itemIndex.constFind(path);
    if (found != m_itemIndex.constEnd()) return found.value();
    m_items.push_back({path, {}, {}, false, false, 0});
    const int index = static_cast<int>(m_items.size()) - 1;
    m_itemIndex.insert(path, index);
    return index;
}

bool CThumbnailGrid::IsSelected(int position) const {
    return std::binary_search(m_selection.begin(), m_selection.end(), position);
}

void CThumbnailGrid::SelectItem(int oldFocus, int target, Qt::KeyboardModifiers modifiers) {
    if (target < 0 || target >= GetItemCount()) return;
    const std::vector<int> before = m_selection;
    if (modifiers.testFlag(Qt::ShiftModifier) && m_focus != -1 && m_multiSelect) {
        // The focus cell stays where it is: it anchors the range.
        m_selection.clear();
        for (int i = std::min(target, m_focus); i <= std::max(target, m_focus); ++i) {
            m_selection.push_back(i);
        }
    } else {
        if (!(modifiers.testFlag(Qt::ControlModifier) && m_multiSelect)) m_selection.clear();
        m_selection.push_back(target);
        m_focus = target;
    }
    std::sort(m_selection.begin(), m_selection.end());
    m_selection.erase(std::unique(m_selection.begin(), m_selection.end()), m_selection.end());

    std::vector<int> changed;
    std::set_symmetric_difference(before.begin(), before.end(), m_selection.begin(),
                                  m_selection.end(), std::back_inserter(changed));
    changed.push_back(oldFocus);
    changed.push_back(target);
    RepaintCells(changed);

    const bool again = oldFocus == target;
    const NMGRIDSEL notice{{this, again ? GRIDN_RESELECTED : GRIDN_SELCHANGED}, oldFocus, target};
    if (again) {
        emit reselected(notice);
    } else {
        emit selChanged(notice);
    }
}

// --- scrolling -------------------------------------------------------------

void CThumbnailGrid::UpdateScrollRange() {
    const GridMetrics metrics = Metrics();
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, metrics.MaxScrollRow());
    bar->setPageStep(std::max(1, metrics.VisibleRows()));
}

void CThumbnailGrid::ScrollToRow(int row) {
    const int offset = row * m_cell.height();
    if (offset == m_scrollOffset) return;
    m_scrollOffset = offset;
    viewport()->update();
}

// The bar's own arithmetic is replaced by the grid's for the line and page
// requests; dragging the box and the wheel move by whole rows as they are.
void CThumbnailGrid::OnScrollAction(int action) {
    const auto request = [action]() -> std::optional<ScrollRequest> {
        switch (action) {
            case QAbstractSlider::SliderSingleStepSub:
                return ScrollRequest::LineUp;
            case QAbstractSlider::SliderSingleStepAdd:
                return ScrollRequest::LineDown;
            case QAbstractSlider::SliderPageStepSub:
                return ScrollRequest::PageUp;
            case QAbstractSlider::SliderPageStepAdd:
                return ScrollRequest::PageDown;
            default:
                return std::nullopt;
        }
    }();
    // Setting the value here also sets the position the bar goes on with.
    if (request) VScroll(*request);
}

void CThumbnailGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRange();
}

// --- mouse and keyboard ----------------------------------------------------

void CThumbnailGrid::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    const QPoint point = event->position().toPoint();
    const int target = HitTest(point);
    const bool left = event->button() == Qt::LeftButton;
    m_pressPoint = point;
    m_pressModifiers = event->modifiers();
    // Pressing a selected cell may begin a drag of the whole selection, so
    // the click waits for the release.
    m_clickDeferred = left && m_fileDragDrop && IsSelected(target);
    m_pressingButton = event->button();
    if (!m_clickDeferred) SelectItem(m_focus, target, event->modifiers());
    m_pressingButton = Qt::NoButton;
    m_pressMayDrag = left && m_fileDragDrop && IsSelected(target);
    if (event->button() == Qt::RightButton) emit rightClicked({this, NM_RCLICK});
}

void CThumbnailGrid::mouseMoveEvent(QMouseEvent* event) {
    if (!m_pressMayDrag || !(event->buttons() & Qt::LeftButton)) return;
    const QPoint moved = event->position().toPoint() - m_pressPoint;
    if (moved.manhattanLength() < QApplication::startDragDistance()) return;
    m_pressMayDrag = false;
    m_clickDeferred = false;
    StartDrag();
}

void CThumbnailGrid::mouseReleaseEvent(QMouseEvent*) {
    m_pressMayDrag = false;
    if (!m_clickDeferred) return;
    m_clickDeferred = false;
    SelectItem(m_focus, HitTest(m_pressPoint), m_pressModifiers);
}

void CThumbnailGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit doubleClicked({this, NM_DBLCLK});
}

bool CThumbnailGrid::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QAbstractScrollArea::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString path = GetPath(HitTest(help->pos()));
    if (path.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), QFileInfo(path).fileName(), viewport(),
                           CellRect(HitTest(help->pos())));
    }
    return true;
}

void CThumbnailGrid::keyPressEvent(QKeyEvent* event) {
    const int columns = Metrics().Columns();
    int focus = m_focus;
    switch (event->key()) {
        case Qt::Key_Left:
            focus -= 1;
            break;
        case Qt::Key_Right:
            focus += 1;
            break;
        case Qt::Key_Up:
            focus -= columns;
            break;
        case Qt::Key_Down:
            focus += columns;
            break;
        case Qt::Key_PageUp:
            VScroll(ScrollRequest::PageUp);
            return;
        case Qt::Key_PageDown:
            VScroll(ScrollRequest::PageDown);
            return;
        default:
            event->ignore();
            return;
    }
    if (focus < 0 || focus >= GetItemCount() || focus == m_focus) return;
    SelectItem(m_focus, focus, event->modifiers());
    ScrollIntoView(focus);
}

// Scrolls by lines until the cell is wholly inside the client area; a cell
// taller than the client area ends up at its top.
void CThumbnailGrid::ScrollIntoView(int position) {
    for (;;) {
        const QRect cell = CellRect(position);
        const int before = m_scrollOffset;
        if (cell.top() < 0) {
            VScroll(ScrollRequest::LineUp);
        } else if (cell.top() + cell.height() > viewport()->height() && cell.top() > 0) {
            VScroll(ScrollRequest::LineDown);
        } else {
            return;
        }
        if (m_scrollOffset == before) return;
    }
}

// --- drag and drop ---------------------------------------------------------

void CThumbnailGrid::StartDrag() {
    QPointer<FileDragData> data = new FileDragData(GetSelectedPaths());
    QPointer<QDrag> drag = new QDrag(this);
    drag->setMimeData(data);
    if (const ThumbnailItem* item = ItemAt(m_focus); item && !item->selected.isNull()) {
        drag->setPixmap(QPixmap::fromImage(item->selected));
        drag->setHotSpot(m_pressPoint - CellRect(m_focus).topLeft());
    }
    m_dragging = true;
    const Qt::DropAction action = ExecDrag(*drag);
    m_dragging = false;
    const QStringList delivered = data ? data->Delivered() : QStringList();
    if (action != Qt::MoveAction) return;
    if (!delivered.isEmpty()) {
        DeleteFiles(delivered);
    } else if (drag && !drag->target()) {
        // Another program took the files and moved them itself.
        LoadFolder(m_folder, m_mask);
    }
}

Qt::DropAction CThumbnailGrid::ExecDrag(QDrag& drag) {
    return drag.exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

void CThumbnailGrid::OnFilesDropped(DroppedFiles& files) {
    if (m_dragging || m_folder.isEmpty()) return;
    const QStringList failures = DeliverDroppedFiles(files, m_folder);
    if (!files.paths.isEmpty()) LoadFolder(m_folder, m_mask);
    ReportFileFailures(m_user, tr("These files could not be copied:"), failures);
}

void CThumbnailGrid::DeleteFiles(const QStringList& paths) {
    QStringList deleted;
    QStringList failures;
    for (auto it = paths.crbegin(); it != paths.crend(); ++it) {
        QFile file(*it);
        if (file.remove()) {
            deleted.append(*it);
        } else {
            failures.append(FileFailureLine(*it, file.errorString()));
        }
    }
    ForgetItems(deleted);
    LoadFolder(m_folder, m_mask);
    ReportFileFailures(m_user, tr("These files could not be deleted:"), failures);
}

void CThumbnailGrid::ForgetItems(const QStringList& paths) {
    if (paths.isEmpty()) return;
    const QSet<QString> gone(paths.begin(), paths.end());
    m_displayOrder.clear();
    std::vector<ThumbnailItem> kept;
    for (ThumbnailItem& item : m_items) {
        if (gone.contains(item.path)) {
            StoreCellImages(item, {}, {});
        } else {
            kept.push_back(std::move(item));
        }
    }
    m_items = std::move(kept);
    m_itemIndex.clear();
    for (int i = 0; i < static_cast<int>(m_items.size()); ++i) {
        m_itemIndex.insert(m_items[static_cast<size_t>(i)].path, i);
    }
}

}  // namespace velora
