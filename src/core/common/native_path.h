// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QString>

#include <filesystem>

namespace velora {

// A path in the byte form the system calls take, encoded as Qt encodes file
// names, so names that are not valid in the locale's encoding survive.
inline QByteArray NativeBytes(const QString& path) { return QFile::encodeName(path); }
inline std::filesystem::path NativePath(const QString& path) {
    return std::filesystem::path(NativeBytes(path).toStdString());
}

}  // namespace velora
