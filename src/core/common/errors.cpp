// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/errors.h"

#include <QCoreApplication>

#include <new>

namespace velora {

namespace {
QString Joined(const QString& file, const QString& reason) {
    if (file.isEmpty()) return reason;
    return reason.isEmpty() ? file : file + QStringLiteral(": ") + reason;
}
}  // namespace

VeloraError::VeloraError(QString file, QString reason)
    : m_file(std::move(file)),
      m_reason(std::move(reason)),
      m_message(Joined(m_file, m_reason)),
      m_utf8(m_message.toStdString()) {}

QString FailureText(const std::exception& error, const QString& file) {
    if (const auto* own = dynamic_cast<const VeloraError*>(&error)) {
        return own->File().isEmpty() ? Joined(file, own->Reason()) : own->Message();
    }
    if (dynamic_cast<const std::bad_alloc*>(&error)) {
        return Joined(file, QCoreApplication::translate("velora", "not enough memory"));
    }
    const QString text = QString::fromLocal8Bit(error.what());
    return Joined(
        file, text.isEmpty() ? QCoreApplication::translate("velora", "failed unexpectedly") : text);
}

}  // namespace velora
