// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/texture_image.h"

#include "core/archive/archive.h"
#include "core/common/file_bytes.h"
#include "core/metafile/metafile_texture.h"
#include "core/model/image_decoder.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace velora {

namespace {
QImage Refuse(QString* reason, const QString& cause) {
    if (reason) *reason = cause;
    return {};
}

bool IsMetafileName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("emf") || suffix == QLatin1String("wmf");
}

QImage Decode(const QByteArray& bytes, QString* reason) {
    QString cause;
    QImage image = DecodeImage(AsBytes(bytes), ImageFormats::Any, &cause);
    if (image.isNull())
        return Refuse(reason,
                      QCoreApplication::translate("velora", "cannot be decoded: %1").arg(cause));
    return image;
}
}  // namespace

QImage LoadTextureImage(const QString& path, QString* reason) {
    const FileBytes file = ReadBoundedFile(path, kMaxTextureFileBytes);
    if (file.status != FileBytes::Status::Read) return Refuse(reason, file.reason);
    if (file.bytes.isEmpty())
        return Refuse(reason, QCoreApplication::translate("velora", "is empty"));
    if (IsMetafileName(path)) return RenderMetafileTexture(file.bytes, reason);
    return Decode(file.bytes, reason);
}

TextureCorner LoadTextureCorner(const QString& path, QSize corner) {
    const QImage whole = LoadTextureImage(path, nullptr);
    return {whole.copy(QRect(QPoint(), corner.boundedTo(whole.size()))), whole.size()};
}

}  // namespace velora
