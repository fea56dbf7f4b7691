// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the metafile reader and the metafile texture.
// Files with the placeable key take the Windows metafile conversion, the
// rest the enhanced-metafile reader; every input is also read once more
// behind a placeable header, so that any bytes reach the conversion too.

#include "core/common/errors.h"
#include "core/metafile/metafile_reader.h"
#include "core/metafile/metafile_texture.h"
#include "core/metafile/metafile_wmf.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace {

QByteArray WithPlaceableHeader(QByteArrayView body) {
    QByteArray bytes(velora::kPlaceableHeaderSize, '\0');
    const uint32_t key = velora::kPlaceableKey;
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((key >> (8 * i)) & 0xFF);
    bytes[10] = 100;  // box 100 x 100 at 100 units per inch
    bytes[12] = 100;
    bytes[14] = 100;
    return bytes + body.toByteArray();
}

void Read(const QByteArray& bytes) {
    try {
        velora::ReadMetafileRecords(bytes);
    } catch (const velora::MetafileError& error) {
        if (error.Code() < 1 || error.Code() > 9 || error.Message().isEmpty()) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Read(bytes);
    Read(WithPlaceableHeader(bytes));
    QString reason;
    const QImage image = velora::RenderMetafileTexture(bytes, &reason);
    if (image.isNull() && reason.isEmpty()) __builtin_trap();
    return 0;
}
