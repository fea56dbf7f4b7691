#include "core/export/output_file.h"

#include "core/common/errors.h"

namespace velora {

OutputFile::OutputFile(const QString& path) : m_path(path), m_file(path) {
    if (!m_file.open(QIODevice::WriteOnly)) Fail(m_file.errorString());
}

void OutputFile::Write(const void* data, qint64 size) {
    if (m_file.write(static_cast<const char*>(data), size) != size) Fail(m_file.errorString());
}

void OutputFile::Commit() {
    if (!m_file.commit()) Fail(m_file.errorString());
}

void OutputFile::Fail(const QString& cause) const {
    throw FileError(m_path + QStringLiteral(": ") + cause);
}

void OutputFile::FailEncoding(const QString& encoderCause) const {
    Fail(m_file.error() != QFileDevice::NoError ? m_file.errorString() : encoderCause);
}

}  // namespace velora
