// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/image_record.h"

#include "core/archive/archive.h"
#include "core/common/errors.h"
#include "core/common/parallel.h"
#include "core/common/user_interface.h"
#include "core/model/image_decoder.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageWriter>

#include <algorithm>
#include <atomic>
#include <thread>

namespace velora {

namespace {

// Decoding threads of one load; more rarely pay off for a few dozen images.
constexpr unsigned kMaxDecodeThreads = 8;

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

bool WriteImageRecord(ArchiveWriter& archive, const QImage* image, int quality) {
    QByteArray encoded;
    if (image && !image->isNull()) encoded = EncodeJpeg(*image, quality);
    WriteImageRecordBytes(archive, AsBytes(encoded));
    return !encoded.isEmpty();
}

void WriteImageRecordBytes(ArchiveWriter& archive, std::span<const uint8_t> bytes) {
    archive.WriteU32(static_cast<uint32_t>(bytes.size()));
    archive.WriteBytes(bytes);
}

std::span<const uint8_t> ReadImageRecordBytes(ArchiveReader& archive) {
    return archive.ReadBytes(archive.ReadU32());
}

QImage DecodeImageRecord(std::span<const uint8_t> bytes) {
    return DecodeImage(bytes, ImageFormats::Stored);
}

std::vector<QImage> DecodeImageRecords(const std::vector<std::span<const uint8_t>>& records) {
    std::vector<QImage> images(records.size());
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i = next++; i < records.size(); i = next++)
            images[i] = DecodeImageRecord(records[i]);
    };
    const size_t cores = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxDecodeThreads);
    RunInParallel(static_cast<int>(std::min<size_t>(cores, records.size())), [&](int) { work(); });
    return images;
}

void TellImageNotDecoded(IUserInterface& user) {
    user.ShowMessage(QCoreApplication::translate("velora", "Image::FromStream() error!"),
                     MessageIcon::Error, QCoreApplication::translate("velora", "Error"));
}

QImage ReadImageRecord(ArchiveReader& archive, IUserInterface* user) {
    const std::span<const uint8_t> bytes = ReadImageRecordBytes(archive);
    if (bytes.empty()) return {};
    QImage image = DecodeImageRecord(bytes);
    if (image.isNull() && user) TellImageNotDecoded(*user);
    return image;
}

}  // namespace velora
