// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/archive/archive.h"
#include "core/model/drawing_model.h"

#include <QBuffer>
#include <QImageWriter>
#include <QStringList>

namespace velora::test {

inline QByteArray SaveStream(CDrawingModel& model) {
    ArchiveWriter writer;
    model.Serialize(writer);
    return writer.Data();
}

inline void LoadStream(CDrawingModel& model, const QByteArray& stream) {
    ArchiveReader reader(stream);
    model.Serialize(reader);
}

inline QImage Solid(int width, int height, QRgb color) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

inline QByteArray Encode(const QImage& image, const char* format = "jpeg") {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(100);
    writer.write(image);
    return bytes;
}

// Everything a stream stores, as text, to tell whether a model changed.
inline QString Describe(const CDrawingModel& model) {
    QStringList parts;
    parts << model.GetTemplateName()
          << QStringLiteral("%1x%2").arg(model.GetWidth()).arg(model.GetHeight());
    for (const CArea& area : model.Areas()) {
        const QImage& image = area.GetImage();
        parts << QStringLiteral("area %1 [%2] %3x%4 %5")
                     .arg(area.GetName(), area.Names().join(','))
                     .arg(image.width())
                     .arg(image.height())
                     .arg(image.isNull() ? 0 : qHashBits(image.constBits(), image.sizeInBytes()));
    }
    for (const auto& curve : model.Curves()) {
        QString points;
        const Path& path = curve->GetPath();
        for (int i = 0; i < path.PointCount(); ++i) {
            points += QStringLiteral("(%1,%2,%3)")
                          .arg(path.Points()[i].x)
                          .arg(path.Points()[i].y)
                          .arg(path.Types()[i]);
        }
        parts << QStringLiteral("curve %1 %2").arg(curve->GetName(), points);
    }
    parts << QStringLiteral("textures %1").arg(model.Textures().join('|'));
    for (const auto& region : model.Regions()) {
        QString rects;
        for (const QRect& r : region->GetRegion()) {
            rects += QStringLiteral("[%1,%2,%3,%4]")
                         .arg(r.x())
                         .arg(r.y())
                         .arg(r.width())
                         .arg(r.height());
        }
        parts << QStringLiteral("region %1 %2 %3")
                     .arg(region->GetName(), rects)
                     .arg(region->HasRegion());
    }
    const MonoBitmap& mask = model.GetMaskBitmap();
    parts << QStringLiteral("mask %1x%2 %3")
                 .arg(mask.Width())
                 .arg(mask.Height())
                 .arg(qHashBits(mask.Bits().data(), mask.Bits().size()));
    return parts.join('\n');
}

}  // namespace velora::test
