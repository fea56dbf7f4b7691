// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QMutex>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include <deque>
#include <functional>

namespace velora {

// What a grid cell shows of its file: the picture (possibly only the part
// the cell can show) and the size of the whole picture in the file. A null
// image means the file could not be read as a picture.
struct CellPicture {
    QImage image;
    QSize fullSize;
};

// Reads the pictures of grid cells on worker threads, newest request first,
// so the cells the user looks at now come before those scrolled past, and
// the window never waits for a disk or a decoder. Results come back on the
// thread that owns the loader.
class CellPictureLoader : public QObject {
    Q_OBJECT
public:
    // Reads one file's picture for a cell of the given size. Runs on worker
    // threads, several at once, so it must not touch shared state.
    using Reader = std::function<CellPicture(const QString& path, QSize cellSize)>;

    explicit CellPictureLoader(Reader reader, QObject* parent = nullptr);
    // Drops what is queued and waits for the pictures being read.
    ~CellPictureLoader() override;

    void Request(const QString& path, QSize cellSize);
    // Drops every queued request whose path is not in `wanted` and returns
    // the dropped paths.
    QStringList KeepOnly(const QSet<QString>& wanted);
    // Whether requests are queued or being read.
    bool IsBusy() const;

signals:
    void pictureReady(const QString& path, QSize cellSize, const CellPicture& picture);

private:
    struct Job {
        QString path;
        QSize cellSize;
    };
    void Work();

    Reader m_reader;
    mutable QMutex m_mutex;
    std::deque<Job> m_queue;
    int m_running = 0;
    QThreadPool m_pool;
};

}  // namespace velora

Q_DECLARE_METATYPE(velora::CellPicture)
