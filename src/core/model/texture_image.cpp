#include "core/model/texture_image.h"

#include "core/import/metafile_texture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

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

QImage Decode(QByteArray& bytes, QString* reason) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull()) {
        return Refuse(reason,
                      QStringLiteral("the image cannot be decoded (%1)").arg(reader.errorString()));
    }
    return image;
}
}  // namespace

QImage LoadTextureImage(const QString& path, QString* reason) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return Refuse(reason, file.errorString());
    if (file.isSequential()) return Refuse(reason, QStringLiteral("not a regular file"));
    const qint64 size = file.size();
    if (size == 0) return Refuse(reason, QStringLiteral("the file is empty"));
    if (size > kMaxTextureFileBytes) {
        return Refuse(reason, QStringLiteral("the file is too large for a texture (%1 MB, at "
                                             "most %2 MB)")
                                  .arg(size >> 20)
                                  .arg(kMaxTextureFileBytes >> 20));
    }
    QByteArray bytes = file.read(size);
    if (bytes.size() != size) return Refuse(reason, file.errorString());
    file.close();
    if (IsMetafileName(path)) return RenderMetafileTexture(bytes, reason);
    return Decode(bytes, reason);
}

}  // namespace velora
