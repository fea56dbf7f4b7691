// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/controls/file_drop_target.h"
#include "ui/library/cell_picture_loader.h"
#include "ui/library/grid_metrics.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

class QDrag;
class QPainter;

namespace velora {

class CThumbnailGrid;
class IUserInterface;

// The notification codes of the grid.
enum GridNotification {
    NM_DBLCLK = -3,
    NM_RCLICK = -5,
    GRIDN_RESELECTED = -97,
    GRIDN_SELCHANGED = -98,
};

// Who sends a notification and what it says.
struct GridNotifyHeader {
    CThumbnailGrid* from = nullptr;
    int code = 0;
};

// A selection notification: the focus cell before, and the cell the click
// or key aimed at.
struct NMGRIDSEL {
    GridNotifyHeader header;
    int oldFocus = -1;
    int target = -1;
};

// The scroll requests the grid acts on.
enum class ScrollRequest { LineUp, LineDown, PageUp, PageDown };

// The files of one folder as a scrolling grid of equal cells. Each cell is
// drawn once into a normal and a selected image, from a picture that a
// subclass reads off the user-interface thread; painting then only copies
// images. The grid keeps a selection (single or extended with Shift and
// Ctrl), a focus cell that is always drawn selected, and takes part in file
// drag and drop: the selected files can be dragged out as a file list, and
// files dropped on the grid are copied into its folder.
class CThumbnailGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CThumbnailGrid(CellPictureLoader::Reader reader, QWidget* parent = nullptr);
    ~CThumbnailGrid() override;

    // Messages about files that could not be deleted go here; without one
    // they are not shown.
    void SetUserInterface(IUserInterface* user) { m_user = user; }

    void SetCellSize(int width, int height);
    QSize CellSize() const { return m_cell; }
    // Shows the files of the folder whose names pass the mask list, sorted by
    // their lower-case paths; the selection, focus and scroll start afresh.
    bool LoadFolder(QString folder, QString mask);
    // Shows nothing: no files, folder or mask.
    void Clear();
    void EnableFileDragDrop(bool enable);
    void SetMultiSelect(bool multiSelect) { m_multiSelect = multiSelect; }

    QString GetFolder() const { return m_folder; }
    QString GetMask() const { return m_mask; }
    int GetItemCount() const { return static_cast<int>(m_displayOrder.size()); }
    // The path of a display position; empty outside the grid.
    QString GetPath(int position) const;
    QString GetFocusedPath() const { return GetPath(m_focus); }
    int GetFocusIndex() const { return m_focus; }
    // Display positions, ascending.
    const std::vector<int>& GetSelection() const { return m_selection; }
    // In ascending display position.
    QStringList GetSelectedPaths() const;

    // Draws a cell afresh from its file at the next paint (until the new
    // picture is in, the old one stays).
    void RefreshItem(int position);
    void RefreshAll();
    // Deletes the files of every selected cell and shows the folder again;
    // what could not be deleted is reported in one message.
    virtual void DeleteSelected();

    GridMetrics Metrics() const;
    int HitTest(QPoint point) const { return Metrics().HitTest(point); }
    QRect CellRect(int position) const { return Metrics().CellRect(position); }
    int ScrollOffset() const { return m_scrollOffset; }
    void VScroll(ScrollRequest request);
    // Whether cells shown are still waiting for their pictures.
    bool IsLoadingPictures() const;
    // The button whose press is being handled, or none: a selection made by
    // a right click is no choice of a texture.
    Qt::MouseButton PressingButton() const { return m_pressingButton; }

signals:
    void selChanged(const NMGRIDSEL& notice);
    void reselected(const NMGRIDSEL& notice);
    void rightClicked(const GridNotifyHeader& notice);
    void doubleClicked(const GridNotifyHeader& notice);

protected:
    // Draws the cell of `path` from its picture into both images, which are
    // CellSize() large and filled with their background colours. False when
    // it cannot (the grid then draws its crossed placeholder).
    virtual bool DrawCell(QPainter& normal, QPainter& selected, const QString& path,
                          const CellPicture& picture) = 0;
    // Runs a drag of the selected files through the platform and returns
    // what the target did with them.
    virtual Qt::DropAction ExecDrag(QDrag& drag);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The cell under the pointer names its file in full: the caption may be
    // cut short.
    bool viewportEvent(QEvent* event) override;

private:
    struct ThumbnailItem {
        QString path;
        QImage normal;
        QImage selected;
        bool requested = false;
        bool stale = false;
        quint64 lastUse = 0;
    };

    ThumbnailItem* ItemAt(int position);
    int ItemIndex(const QString& path);
    bool IsSelected(int position) const;
    void SelectItem(int oldFocus, int target, Qt::KeyboardModifiers modifiers);
    void RepaintCells(const std::vector<int>& positions);
    void UpdateItemCells(int itemIndex);
    void ScrollIntoView(int position);
    void UpdateScrollRange();
    void ScrollToRow(int row);
    void OnScrollAction(int action);
    void RequestPicture(ThumbnailItem& item);
    void KeepOnlyVisibleRequests();
    void OnPictureReady(const QString& path, QSize cellSize, const CellPicture& picture);
    void StoreCellImages(ThumbnailItem& item, QImage normal, QImage selected);
    void EvictOldImages();
    void PaintCell(QPainter& painter, int position, const QRect& cell);
    void StartDrag();
    void OnFilesDropped(DroppedFiles& files);
    void DeleteFiles(const QStringList& paths);
    void ForgetItems(const QStringList& paths);

    std::vector<ThumbnailItem> m_items;
    QHash<QString, int> m_itemIndex;
    std::vector<int> m_displayOrder;
    std::vector<int> m_selection;
    bool m_dragging = false;
    QString m_mask;
    bool m_fileDragDrop = false;
    bool m_multiSelect = false;
    CFileDropTarget m_dropTarget;
    QString m_folder;
    QSize m_cell{50, 50};
    int m_focus = -1;
    int m_scrollOffset = 0;

    IUserInterface* m_user = nullptr;
    CellPictureLoader m_loader;
    qint64 m_cachedBytes = 0;
    quint64 m_useTick = 0;
    // A press on a selected cell may start a drag of the selection; the
    // click itself is applied on release if no drag came of it.
    bool m_pressMayDrag = false;
    bool m_clickDeferred = false;
    QPoint m_pressPoint;
    Qt::KeyboardModifiers m_pressModifiers;
    Qt::MouseButton m_pressingButton = Qt::NoButton;
};

}  // namespace velora

Q_DECLARE_METATYPE(velora::NMGRIDSEL)
Q_DECLARE_METATYPE(velora::GridNotifyHeader)
