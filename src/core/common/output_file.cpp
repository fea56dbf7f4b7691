// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/output_file.h"

#include "core/common/errors.h"

#include <QCoreApplication>

namespace velora {

// A full disk or a file size limit first shows as a write that takes only
// part of its bytes, which the file engine passes on without a cause; kept
// in a buffer, such a write even let a commit replace the target with a
// cut-off file. Writing unbuffered and offering the rest again makes the
// write that fails the first of its call, which records the system's reason
// and keeps the save from committing.
qint64 OutputFile::WholeWriteFile::writeData(const char* data, qint64 size) {
    qint64 done = 0;
    while (done < size) {
        const qint64 written = QSaveFile::writeData(data + done, size - done);
        if (written <= 0) return -1;
        done += written;
    }
    return done;
}

OutputFile::OutputFile(const QString& path) : m_path(path), m_file(path) {
    // Never fall back to writing the target in place: that would destroy the
    // old file when the write fails half way.
    m_file.setDirectWriteFallback(false);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        Fail(QCoreApplication::translate("velora", "cannot be written: %1")
                 .arg(m_file.errorString()));
    }
}

void OutputFile::Write(const void* data, qint64 size) {
    if (m_file.write(static_cast<const char*>(data), size) != size) FailWriting();
}

void OutputFile::Commit() {
    if (!m_file.commit()) FailWriting();
}

void OutputFile::SetModified(const QDateTime& time) {
    m_file.flush();
    if (!m_file.setFileTime(time, QFileDevice::FileModificationTime)) FailWriting();
}

void OutputFile::Fail(const QString& reason) const { throw FileError(m_path, reason); }

void OutputFile::FailWriting() const {
    Fail(QCoreApplication::translate("velora", "cannot be written: %1").arg(m_file.errorString()));
}

void OutputFile::FailEncoding(const QString& encoderCause) const {
    if (m_file.error() != QFileDevice::NoError) FailWriting();
    Fail(encoderCause);
}

}  // namespace velora
