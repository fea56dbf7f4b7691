// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QSaveFile>
#include <QString>

namespace velora {

// A file written atomically: bytes go to a temporary file next to the target,
// which replaces the target only on Commit, so a failed or abandoned write
// leaves no half-written file and an existing file untouched. Every file the
// program writes goes through it. Failures throw FileError naming the file,
// with the system's reason where there is one ("cannot be written: No space
// left on device").
class OutputFile {
public:
    explicit OutputFile(const QString& path);
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    const QString& Path() const { return m_path; }
    QIODevice& Device() { return m_file; }
    void Write(const void* data, qint64 size);
    void Commit();
    // The time of change the file gets once committed, such as the one its
    // source had.
    void SetModified(const QDateTime& time);
    [[noreturn]] void Fail(const QString& reason) const;
    // For encoders that write through Device(): the device's own cause when
    // a write failed there, else the encoder's.
    [[noreturn]] void FailEncoding(const QString& encoderCause) const;

private:
    // Writes every byte straight to the system, or fails with its reason.
    class WholeWriteFile : public QSaveFile {
    public:
        using QSaveFile::QSaveFile;

    protected:
        qint64 writeData(const char* data, qint64 size) override;
    };

    [[noreturn]] void FailWriting() const;

    QString m_path;
    WholeWriteFile m_file;
};

}  // namespace velora
