// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/output_file.h"

#include "core/common/errors.h"

namespace velora {

OutputFile::OutputFile(const QString& path, QString failureText)
    : m_path(path), m_failureText(std::move(failureText)), m_file(path) {
    // Never fall back to writing the target in place: that would destroy the
    // old file when the write fails half way.
    m_file.setDirectWriteFallback(false);
    if (!m_file.open(QIODevice::WriteOnly)) Fail(m_file.errorString());
}

void OutputFile::Write(const void* data, qint64 size) {
    if (m_file.write(static_cast<const char*>(data), size) != size) Fail(m_file.errorString());
}

void OutputFile::Commit() {
    if (!m_file.commit()) Fail(m_file.errorString());
}

void OutputFile::Fail(const QString& cause) const {
    throw FileError(m_failureText.arg(m_path, cause));
}

void OutputFile::FailEncoding(const QString& encoderCause) const {
    Fail(m_file.error() != QFileDevice::NoError ? m_file.errorString() : encoderCause);
}

}  // namespace velora
