// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Model streams built from the layout for the tests of what loading refuses:
// each part given as the bytes of its records, with its count.

#include "stream_bytes.h"

#include <QByteArray>

#include <cstdint>

namespace velora::test {

struct StreamParts {
    uint32_t areaCount = 0;
    QByteArray areas;
    uint32_t curveCount = 0;
    QByteArray curves;
    uint32_t regionCount = 0;
    QByteArray regions;
    int width = 24;
    int height = 12;
    // The mask header and bits; none by default.
    QByteArray mask = Bytes().Mask(0, 0, 0, {});
};

// Signature, no preview, the template name "hostile", the parts, no
// textures, the size and the mask.
inline QByteArray ModelStream(const StreamParts& parts) {
    Bytes stream;
    stream.Raw("MOSVELDAT").U32(0).Str("hostile");
    stream.U32(parts.areaCount).Raw(parts.areas);
    stream.U32(parts.curveCount).Raw(parts.curves);
    stream.U32(0);
    stream.U32(parts.regionCount).Raw(parts.regions);
    stream.I32(parts.width).I32(parts.height).Raw(parts.mask);
    return stream;
}

// An area of one region with the image record's bytes.
inline QByteArray AreaRecord(const QByteArray& name, const QByteArray& region,
                             const QByteArray& image) {
    return Bytes().Str(name).U32(1).Str(region).U32(static_cast<uint32_t>(image.size())).Raw(image);
}

// count curves without points or names: five bytes each.
inline QByteArray EmptyCurvesStream(uint32_t count) {
    StreamParts parts;
    parts.curveCount = count;
    parts.curves = QByteArray(qsizetype(count) * 5, '\0');
    return ModelStream(parts);
}

}  // namespace velora::test
