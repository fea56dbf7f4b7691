// SPDX-License-Identifier: GPL-3.0-or-later
// Document files as the library grids read them: only the start of the
// stream, and the preview in it. Whatever the bytes, the start must be the
// start of what a whole unpack gives.

#include "core/archive/protected_archive.h"
#include "core/common/errors.h"
#include "core/common/user_interface.h"
#include "core/model/model_file.h"

#include <QFile>
#include <QTemporaryFile>

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace velora;
    static const auto file = [] {
        auto temporary = std::make_unique<QTemporaryFile>();
        if (!temporary->open()) __builtin_trap();
        return temporary;
    }();
    file->resize(0);
    file->seek(0);
    file->write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file->flush();
    const QString path = file->fileName();

    NullUserInterface nobody;
    QByteArray whole;
    bool unpacked = false;
    try {
        whole = CProtectedArchive::Unpack({data, size}, {}, nobody);
        unpacked = true;
    } catch (const VeloraError&) {
    }
    for (size_t length : {size_t{0}, size_t{13}, size_t{4096}, size_t{1} << 20}) {
        try {
            const QByteArray start = CProtectedArchive::ReadStreamStart(path, length, nobody);
            if (unpacked && start != whole.left(static_cast<qsizetype>(length))) __builtin_trap();
        } catch (const VeloraError&) {
        }
    }
    ReadThumbnail(path);
    return 0;
}
