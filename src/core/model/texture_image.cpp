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

// Decodes the whole image, or only the part inside the clip when one is
// given (the reader then tells the whole size).
QImage Decode(QByteArray& bytes, QString* reason, const QSize* clip = nullptr,
              QSize* fullSize = nullptr) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    if (clip) {
        *fullSize = reader.size();
        if (fullSize->isValid()) reader.setClipRect(QRect(QPoint(), clip->boundedTo(*fullSize)));
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return Refuse(reason,
                      QStringLiteral("the image cannot be decoded (%1)").arg(reader.errorString()));
    }
    return image;
}

// The whole file, read at once so that it is not held open while it is
// decoded; empty, with the reason, when it cannot be a texture.
QByteArray ReadTextureBytes(const QString& path, QString* reason) {
    const auto refuse = [reason](const QString& cause) {
        Refuse(reason, cause);
        return QByteArray();
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return refuse(file.errorString());
    if (file.isSequential()) return refuse(QStringLiteral("not a regular file"));
    const qint64 size = file.size();
    if (size == 0) return refuse(QStringLiteral("the file is empty"));
    if (size > kMaxTextureFileBytes) {
        return refuse(QStringLiteral("the file is too large for a texture (%1 MB, at most %2 MB)")
                          .arg(size >> 20)
                          .arg(kMaxTextureFileBytes >> 20));
    }
    QByteArray bytes = file.read(size);
    if (bytes.size() != size) return refuse(file.errorString());
    return bytes;
}
}  // namespace

QImage LoadTextureImage(const QString& path, QString* reason) {
    QByteArray bytes = ReadTextureBytes(path, reason);
    if (bytes.isEmpty()) return {};
    if (IsMetafileName(path)) return RenderMetafileTexture(bytes, reason);
    return Decode(bytes, reason);
}

TextureCorner LoadTextureCorner(const QString& path, QSize corner) {
    QByteArray bytes = ReadTextureBytes(path, nullptr);
    if (bytes.isEmpty()) return {};
    if (IsMetafileName(path)) {
        const QImage whole = RenderMetafileTexture(bytes, nullptr);
        return {whole.copy(QRect(QPoint(), corner.boundedTo(whole.size()))), whole.size()};
    }
    QSize fullSize;
    QImage image = Decode(bytes, nullptr, &corner, &fullSize);
    if (!fullSize.isValid()) fullSize = image.size();
    return {image, fullSize};
}

}  // namespace velora
