// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/views/picture_builder.h"

#include "core/model/render_pass.h"
#include "ui/controls/progress_window.h"

#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <exception>

namespace velora {

namespace {
// The picture's own pixels, as an image that paints into them.
QImage PixelsOf(QImage& picture) {
    return QImage(picture.bits(), picture.width(), picture.height(), picture.bytesPerLine(),
                  picture.format());
}
}  // namespace

PictureBuilder::PictureBuilder(CDrawingModel& model, QImage& picture, QWidget* owner)
    : m_pass(std::make_unique<RenderPass>(model, false, picture.rect())),
      m_rowsOf(PixelsOf(picture)),
      m_owner(owner),
      m_bandRows(int(std::clamp<qint64>(kBandBytes / std::max<qint64>(picture.bytesPerLine(), 1), 1,
                                        std::max(picture.height(), 1)))) {
    QTimer::singleShot(0, this, &PictureBuilder::Start);
}

PictureBuilder::~PictureBuilder() {
    m_stop = true;
    if (m_worker.joinable()) m_worker.join();
    delete m_progress;
}

void PictureBuilder::Start() {
    if (m_started) return;
    m_started = true;
    m_progress = new CProgressWindow(m_owner);
    m_progress->SetText(tr("Drawing the picture..."));
    m_progress->SetRange((m_rowsOf.height() + m_bandRows - 1) / m_bandRows);
    m_progress->ShowCentredOver(m_owner);
    m_worker = std::thread([this] {
        Run();
        QMetaObject::invokeMethod(
            this,
            [this] {
                delete m_progress;
                emit finished(m_whole);
            },
            Qt::QueuedConnection);
    });
}

bool PictureBuilder::Wait() {
    if (!m_started) {
        m_started = true;
        Run();
    }
    if (m_worker.joinable()) m_worker.join();
    delete m_progress;
    return m_whole;
}

void PictureBuilder::Run() {
    const int rows = m_rowsOf.height();
    try {
        for (int top = DoneRows(); top < rows && !m_stop; top += m_bandRows) {
            const int count = std::min(m_bandRows, rows - top);
            QImage band(m_rowsOf.bits() + top * m_rowsOf.bytesPerLine(), m_rowsOf.width(), count,
                        m_rowsOf.bytesPerLine(), m_rowsOf.format());
            {
                QPainter painter(&band);
                painter.translate(0, -top);
                m_pass->Paint(painter);
            }
            m_doneRows.store(top + count, std::memory_order_release);
            QMetaObject::invokeMethod(
                this,
                [this, top, count] {
                    if (m_progress) m_progress->SetPosition(top / m_bandRows + 1);
                    emit rowsBuilt(top, count);
                },
                Qt::QueuedConnection);
        }
    } catch (const std::exception&) {
        // No memory for a band: the rest is rendered where it is shown.
        m_whole = false;
    }
    if (m_stop) m_whole = false;
}

}  // namespace velora
