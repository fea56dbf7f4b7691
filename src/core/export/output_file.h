#pragma once

#include <QSaveFile>
#include <QString>

namespace velora {

// The file an encoder writes. Bytes go to a temporary file next to the target,
// which replaces the target only on Commit, so a failed or abandoned save
// leaves no half-written file and an existing file untouched. Failures throw
// FileError "path: cause".
class OutputFile {
public:
    explicit OutputFile(const QString& path);
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
    QSaveFile m_file;
};

}  // namespace velora
