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
#include <atomic>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <optional>
#include <thread>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

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

// Decoding threads of one load; more rarely pay off for a few dozen images.
constexpr unsigned kMaxDecodeThreads = 8;

// Real progressive JPEGs have about ten scans; thousands of tiny scans over
// a large image only burn time.
constexpr int kMaxJpegScans = 500;

// Also within the allocation limit that the program sets for all image
// reading, when there is one.
bool FitsPixelLimit(qint64 width, qint64 height) {
    if (width <= 0 || height <= 0 || width * height > kMaxImagePixels) return false;
    const qint64 limitMegabytes = QImageReader::allocationLimit();
    return limitMegabytes <= 0 || width * height * 4 <= limitMegabytes * 1024 * 1024;
}

// --- JPEG, straight through libjpeg -----------------------------------------
// Area images are JPEG, and decoding them is most of the time a design takes
// to load. Decoding into 24-bit rows directly saves the conversion the
// generic reader makes, and the 24-bit image is what rendering tiles from.

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void JumpOnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

// Warnings (such as data that ends early, which decodes as grey) are no
// reason to give up; they are not printed either.
void IgnoreMessage(j_common_ptr, int) {}

void LimitScans(j_common_ptr info) {
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxJpegScans) {
        JumpOnError(info);
    }
}

// The libjpeg calls below jump back to their setjmp on errors, so they live
// in functions that hold nothing with a destructor.
struct JpegDecoder {
    jpeg_decompress_struct info{};
    JpegErrors errors{};
    jpeg_progress_mgr progress{};
    bool created = false;

    JpegDecoder() = default;
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;
    ~JpegDecoder() {
        if (created) jpeg_destroy_decompress(&info);
    }
};

bool ReadJpegHeader(JpegDecoder& decoder, std::span<const uint8_t> bytes) {
    decoder.info.err = jpeg_std_error(&decoder.errors.manager);
    decoder.errors.manager.error_exit = JumpOnError;
    decoder.errors.manager.emit_message = IgnoreMessage;
    if (setjmp(decoder.errors.jump)) return false;
    jpeg_create_decompress(&decoder.info);
    decoder.created = true;
    decoder.progress.progress_monitor = LimitScans;
    decoder.info.progress = &decoder.progress;
    jpeg_mem_src(&decoder.info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    return jpeg_read_header(&decoder.info, TRUE) == JPEG_HEADER_OK;
}

bool ReadJpegRows(JpegDecoder& decoder, uchar* bits, qsizetype bytesPerLine) {
    if (setjmp(decoder.errors.jump)) return false;
    decoder.info.out_color_space = JCS_RGB;
    decoder.info.dct_method = JDCT_ISLOW;
    jpeg_start_decompress(&decoder.info);
    while (decoder.info.output_scanline < decoder.info.output_height) {
        JSAMPROW row = bits + static_cast<qsizetype>(decoder.info.output_scanline) * bytesPerLine;
        jpeg_read_scanlines(&decoder.info, &row, 1);
    }
    return true;
}

bool IsJpeg(std::span<const uint8_t> bytes) {
    return bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

enum class JpegHeader {
    Refused,             // not a JPEG header, or a size refused
    NeedsGenericReader,  // a colour space libjpeg does not turn into RGB
    Ready,               // decodable into RGB rows
};

JpegHeader ReadDecodableHeader(JpegDecoder& decoder, std::span<const uint8_t> bytes) {
    if (!ReadJpegHeader(decoder, bytes)) return JpegHeader::Refused;
    const J_COLOR_SPACE space = decoder.info.jpeg_color_space;
    if (space != JCS_GRAYSCALE && space != JCS_YCbCr && space != JCS_RGB) {
        return JpegHeader::NeedsGenericReader;
    }
    if (!FitsPixelLimit(decoder.info.image_width, decoder.info.image_height)) {
        return JpegHeader::Refused;
    }
    return JpegHeader::Ready;
}

// A decoded image, a refusal (null image), or nullopt for a JPEG that the
// generic reader handles.
std::optional<QImage> DecodeJpeg(std::span<const uint8_t> bytes) {
    JpegDecoder decoder;
    switch (ReadDecodableHeader(decoder, bytes)) {
        case JpegHeader::Refused:
            return QImage();
        case JpegHeader::NeedsGenericReader:
            return std::nullopt;
        case JpegHeader::Ready:
            break;
    }
    QImage image(static_cast<int>(decoder.info.image_width),
                 static_cast<int>(decoder.info.image_height), QImage::Format_RGB888);
    if (image.isNull() || !ReadJpegRows(decoder, image.bits(), image.bytesPerLine()))
        return QImage();
    return image;
}

// --- everything else ---------------------------------------------------------

bool IsDecodableFormat(const QByteArray& format) {
    return std::any_of(kDecodableFormats.begin(), kDecodableFormats.end(),
                       [&](const char* known) { return format == known; });
}

QImage DecodeWithReader(std::span<const uint8_t> bytes) {
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // The Windows decoder ignores orientation tags; so do we.
    reader.setAutoTransform(false);
    if (!IsDecodableFormat(reader.format())) return {};
    const QSize size = reader.size();
    if (!FitsPixelLimit(size.width(), size.height())) return {};
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
    if (bytes.empty()) return {};
    if (IsJpeg(bytes)) {
        if (std::optional<QImage> image = DecodeJpeg(bytes)) return *image;
    }
    return DecodeWithReader(bytes);
}

std::optional<QSize> ProbeJpegRecord(std::span<const uint8_t> bytes) {
    if (!IsJpeg(bytes)) return std::nullopt;
    JpegDecoder decoder;
    if (ReadDecodableHeader(decoder, bytes) != JpegHeader::Ready) return std::nullopt;
    return QSize(static_cast<int>(decoder.info.image_width),
                 static_cast<int>(decoder.info.image_height));
}

std::vector<QImage> DecodeImageRecords(const std::vector<std::span<const uint8_t>>& records) {
    std::vector<QImage> images(records.size());
    std::atomic<size_t> next{0};
    auto work = [&] {
        for (size_t i = next++; i < records.size(); i = next++)
            images[i] = DecodeImageRecord(records[i]);
    };
    const size_t cores = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxDecodeThreads);
    const size_t helpers = std::min<size_t>(cores, records.size());
    std::vector<std::jthread> threads;
    for (size_t i = 1; i < helpers; ++i) threads.emplace_back(work);
    work();
    return images;
}

void TellImageNotDecoded(IUserInterface& user) {
    user.ShowMessage(QStringLiteral("Image::FromStream() error!"), MessageIcon::Error,
                     QStringLiteral("Error"));
}

QImage ReadImageRecord(ArchiveReader& archive, IUserInterface* user) {
    const std::span<const uint8_t> bytes = ReadImageRecordBytes(archive);
    if (bytes.empty()) return {};
    QImage image = DecodeImageRecord(bytes);
    if (image.isNull() && user) TellImageNotDecoded(*user);
    return image;
}

QImage ReadThumbnail(const QString& path) {
    // Most stored previews are a few kilobytes; the first read takes in this
    // much so that one pass through the file's start is usually all it takes.
    constexpr size_t kLikelyPreviewEnd = 64 * 1024;
    constexpr size_t kRecordStart = kModelSignatureSize + sizeof(uint32_t);
    // A preview is at most 100 x 100 pixels; a record claiming more than this
    // is not one, whatever the rest of the file holds.
    constexpr uint32_t kMaxPreviewRecord = 16 * 1024 * 1024;
    NullUserInterface nobody;
    try {
        QByteArray start = CProtectedArchive::ReadStreamStart(path, kLikelyPreviewEnd, nobody);
        if (!HasModelSignature(AsBytes(start))) return {};
        ArchiveReader header(start);
        header.Skip(kModelSignatureSize);
        const uint32_t recordLength = header.ReadU32();
        if (recordLength > kMaxPreviewRecord) return {};
        const size_t recordEnd = kRecordStart + recordLength;
        if (recordEnd > static_cast<size_t>(start.size()) &&
            static_cast<size_t>(start.size()) == kLikelyPreviewEnd) {
            start = CProtectedArchive::ReadStreamStart(path, recordEnd, nobody);
        }
        ArchiveReader reader(start);
        reader.Skip(kModelSignatureSize);
        return ReadImageRecord(reader, nullptr);
    } catch (const VeloraError&) {
        return {};
    }
}

}  // namespace velora
