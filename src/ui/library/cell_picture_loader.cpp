// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/cell_picture_loader.h"

#include <QMutexLocker>

#include <algorithm>

namespace velora {

CellPictureLoader::CellPictureLoader(Reader reader, QObject* parent)
    : QObject(parent), m_reader(std::move(reader)) {
    m_pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

CellPictureLoader::~CellPictureLoader() {
    {
        QMutexLocker lock(&m_mutex);
        m_queue.clear();
    }
    m_pool.waitForDone();
}

void CellPictureLoader::Request(const QString& path, QSize cellSize) {
    QMutexLocker lock(&m_mutex);
    m_queue.push_front({path, cellSize});
    if (m_running < m_pool.maxThreadCount()) {
        ++m_running;
        m_pool.start([this] { Work(); });
    }
}

QStringList CellPictureLoader::KeepOnly(const QSet<QString>& wanted) {
    QStringList dropped;
    QMutexLocker lock(&m_mutex);
    std::erase_if(m_queue, [&](const Job& job) {
        if (wanted.contains(job.path)) return false;
        dropped.append(job.path);
        return true;
    });
    return dropped;
}

bool CellPictureLoader::IsBusy() const {
    QMutexLocker lock(&m_mutex);
    return m_running > 0 || !m_queue.empty();
}

// Each worker takes jobs until the queue is empty; the results travel to
// the loader's thread as queued calls, which Qt drops if the loader is gone.
void CellPictureLoader::Work() {
    for (;;) {
        Job job;
        {
            QMutexLocker lock(&m_mutex);
            if (m_queue.empty()) {
                --m_running;
                return;
            }
            job = std::move(m_queue.front());
            m_queue.pop_front();
        }
        const CellPicture picture = m_reader(job.path, job.cellSize);
        QMetaObject::invokeMethod(
            this, [this, job, picture] { emit pictureReady(job.path, job.cellSize, picture); },
            Qt::QueuedConnection);
    }
}

}  // namespace velora
