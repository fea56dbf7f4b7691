#include "core/model/image_record.h"

#include "core/common/errors.h"
#include "core/documents/archive.h"
#include "core/documents/protected_archive.h"
#include "core/model/user_interface.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

#include <algorithm>
#include <array>
#include <cstring>

namespace velora {

namespace {

// The formats the Windows program's image decoder knows; anything else in a
// record is not an image to us either.
constexpr std::array<const char*, 6> kDecodableFormats = {"bmp", "gif",  "jpeg",
                                                          "png", "tiff", "ico"};

// A record can declare an image far larger than its bytes (a few hundred
// bytes of JPEG may claim 60000 x 60000 pixels). Such an image is refused
// before anything is allocated for it.
constexpr qint64 kMaxImagePixels = qint64(1) << 26;

bool IsDecodableFormat(const QByteArray& format) {
    return std::any_of(kDecodableFormats.begin(), kDecodableFormats.end(),
                       [&](const char* known) { return format == known; });
}

QImage DecodeImage(std::span<const uint8_t> bytes) {
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // The Windows decoder ignores orientation tags; so do we.
    reader.setAutoTransform(false);
    if (!IsDecodableFormat(reader.format())) return {};
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > kMaxImagePixels) return {};
    QImage image;
    if (!reader.read(&image)) return {};
    return image;
}

QByteArray EncodeJpeg(const QImage& image, int quality) {
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    if (!writer.write(image)) return {};
    return encoded;
}

}  // namespace

bool HasModelSignature(std::span<const uint8_t> stream) {
    return stream.size() >= kModelSignatureSize &&
           std::memcmp(stream.data(), kModelSignature, kModelSignatureSize) == 0;
}

bool WriteImageRecord(ArchiveWriter& archive, const QImage* image, int quality) {
    QByteArray encoded;
    if (image && !image->isNull()) encoded = EncodeJpeg(*image, quality);
    archive.WriteU32(static_cast<uint32_t>(encoded.size()));
    archive.WriteBytes(encoded);
    return !encoded.isEmpty();
}

QImage ReadImageRecord(ArchiveReader& archive, IUserInterface* user) {
    const uint32_t length = archive.ReadU32();
    if (length == 0) return {};
    QImage image = DecodeImage(archive.ReadBytes(length));
    if (image.isNull() && user) {
        user->ShowMessage(QStringLiteral("Image::FromStream() error!"), MessageIcon::Error,
                          QStringLiteral("Error"));
    }
    return image;
}

void SkipImageRecord(ArchiveReader& archive) { archive.Skip(archive.ReadU32()); }

QImage ReadThumbnail(const QString& path) {
    NullUserInterface nobody;
    try {
        CProtectedArchive archive(path, CProtectedArchive::Mode::Load, nobody);
        ArchiveReader& reader = archive.Reader();
        if (!HasModelSignature(
                reader.ReadBytes(std::min(reader.Remaining(), kModelSignatureSize)))) {
            return {};
        }
        return ReadImageRecord(reader, nullptr);
    } catch (const VeloraError&) {
        return {};
    }
}

}  // namespace velora
