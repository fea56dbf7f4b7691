// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>

#include <atomic>
#include <memory>
#include <thread>

class QWidget;

namespace velora {

class CDrawingModel;
class CProgressWindow;
class RenderPass;

// Renders a view's whole picture on a worker thread, a band of rows at a
// time from the top, so that the window stays live while a large drawing is
// drawn. A progress window over the owner counts the bands and, being modal,
// keeps the user from changing the model while the worker reads it. Rows
// above DoneRows() are final and may be shown; the others are not to be
// touched until the builder is finished.
class PictureBuilder : public QObject {
    Q_OBJECT
public:
    // Rows of about this many bytes a band.
    static constexpr qint64 kBandBytes = qint64(8) << 20;

    // Prepares the rendering at once (a paint event may ask for it); the
    // progress window and the worker start when the event loop next runs.
    // The picture must keep its pixels where they are until the builder is
    // gone.
    PictureBuilder(CDrawingModel& model, QImage& picture, QWidget* owner);
    // Stops the worker after its band and waits for it.
    ~PictureBuilder() override;

    int DoneRows() const { return m_doneRows.load(std::memory_order_acquire); }
    // Finishes the picture (on this thread when the worker has not started
    // yet); true when every row was rendered.
    bool Wait();

signals:
    // Rows [top, top + count) are final.
    void rowsBuilt(int top, int count);
    // The worker is done: every row rendered (whole) or rows from DoneRows()
    // on left unrendered after a failure.
    void finished(bool whole);

private:
    void Start();
    void Run();

    std::unique_ptr<RenderPass> m_pass;
    QImage m_rowsOf;  // the picture's pixels, shared, never detached
    QPointer<QWidget> m_owner;
    int m_bandRows;
    bool m_started = false;
    std::atomic<int> m_doneRows = 0;
    std::atomic<bool> m_whole = true;
    std::atomic<bool> m_stop = false;
    QPointer<CProgressWindow> m_progress;
    std::thread m_worker;
};

}  // namespace velora
