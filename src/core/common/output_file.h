// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSaveFile>
#include <QString>

namespace velora {

// A file written atomically: bytes go to a temporary file next to the target,
// which replaces the target only on Commit, so a failed or abandoned write
// leaves no half-written file and an existing file untouched. Every file the
// program writes goes through it. Failures throw FileError worded by
// failureText, where %1 is the path and %2 the system's cause.
class OutputFile {
public:
    explicit OutputFile(const QString& path, QString failureText = QStringLiteral("%1: %2"));
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    const QString& Path() const { return m_path; }
    QIODevice& Device() { return m_file; }
    void Write(const void* data, qint64 size);
    void Commit();
    [[noreturn]] void Fail(const QString& cause) const;
    // For encoders that write through Device(): the device's own cause when
    // a write failed there, else the encoder's.
    [[noreturn]] void FailEncoding(const QString& encoderCause) const;

private:
    QString m_path;
    QString m_failureText;
    QSaveFile m_file;
};

}  // namespace velora
