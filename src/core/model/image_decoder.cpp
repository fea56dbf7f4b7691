// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/image_decoder.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio>
#include <mutex>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

namespace velora {

namespace {

// The formats the Windows program's image decoder knows.
constexpr std::array<const char*, 6> kDecodableFormats = {"bmp", "gif",  "jpeg",
                                                          "png", "tiff", "ico"};

// Real progressive JPEGs have about ten scans; thousands of tiny scans over
// a large image only burn time.
constexpr int kMaxJpegScans = 500;

QImage Refuse(QString* reason, const QString& cause) {
    if (reason) *reason = cause;
    return {};
}

// Why an image of the size cannot come from byteCount bytes, or empty.
QString SizeRefusal(qint64 width, qint64 height, size_t byteCount) {
    const QString size =
        QCoreApplication::translate("velora", "%1 x %2 pixels").arg(width).arg(height);
    if (width <= 0 || height <= 0)
        return QCoreApplication::translate("velora", "the image has no pixels (%1)").arg(size);
    if (width > kMaxImageSide || height > kMaxImageSide) {
        return QCoreApplication::translate("velora", "the image is too large (%1; at most %2 x %2)")
            .arg(size)
            .arg(kMaxImageSide);
    }
    const qint64 pixels = width * height;
    if (pixels > kPlainImagePixels && qint64(byteCount) < pixels / kMaxPixelsPerByte) {
        return QCoreApplication::translate("velora",
                                           "the image claims %1, more than its %2 bytes can hold")
            .arg(size)
            .arg(byteCount);
    }
    return {};
}

// Qt's readers refuse images above their own allocation limit (128 MB by
// default, a 5800 x 5800 picture); ours are held to the limits above instead.
void AllowLargestImage() {
    static std::once_flag once;
    std::call_once(once, [] {
        constexpr qint64 kMegabyte = qint64(1) << 20;
        QImageReader::setAllocationLimit(
            static_cast<int>((kMaxImagePixels * 4 + kMegabyte - 1) / kMegabyte));
    });
}

// --- JPEG, straight through libjpeg -----------------------------------------
// Area images are JPEG, and decoding them is most of the time a design takes
// to load. Decoding into 24-bit (or grey) rows directly saves the conversion
// the generic reader makes, and those are what rendering tiles from.

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
    // Grey stays grey, one byte a pixel, as the generic reader keeps it.
    decoder.info.out_color_space =
        decoder.info.jpeg_color_space == JCS_GRAYSCALE ? JCS_GRAYSCALE : JCS_RGB;
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

JpegHeader ReadDecodableHeader(JpegDecoder& decoder, std::span<const uint8_t> bytes,
                               QString* reason = nullptr) {
    if (!ReadJpegHeader(decoder, bytes)) {
        Refuse(reason, QCoreApplication::translate("velora", "the JPEG header is damaged"));
        return JpegHeader::Refused;
    }
    const J_COLOR_SPACE space = decoder.info.jpeg_color_space;
    if (space != JCS_GRAYSCALE && space != JCS_YCbCr && space != JCS_RGB) {
        return JpegHeader::NeedsGenericReader;
    }
    const QString refusal =
        SizeRefusal(decoder.info.image_width, decoder.info.image_height, bytes.size());
    if (!refusal.isEmpty()) {
        Refuse(reason, refusal);
        return JpegHeader::Refused;
    }
    return JpegHeader::Ready;
}

// A decoded image, a refusal (null image), or nullopt for a JPEG that the
// generic reader handles.
std::optional<QImage> DecodeJpeg(std::span<const uint8_t> bytes, QString* reason) {
    JpegDecoder decoder;
    switch (ReadDecodableHeader(decoder, bytes, reason)) {
        case JpegHeader::Refused:
            return QImage();
        case JpegHeader::NeedsGenericReader:
            return std::nullopt;
        case JpegHeader::Ready:
            break;
    }
    QImage image(static_cast<int>(decoder.info.image_width),
                 static_cast<int>(decoder.info.image_height),
                 decoder.info.jpeg_color_space == JCS_GRAYSCALE ? QImage::Format_Grayscale8
                                                                : QImage::Format_RGB888);
    if (image.isNull()) {
        return Refuse(reason, QCoreApplication::translate(
                                  "velora", "not enough memory for an image of %1 x %2 pixels")
                                  .arg(decoder.info.image_width)
                                  .arg(decoder.info.image_height));
    }
    if (!ReadJpegRows(decoder, image.bits(), image.bytesPerLine())) {
        return Refuse(reason, QCoreApplication::translate("velora", "the JPEG data is damaged"));
    }
    return image;
}

// --- everything else ---------------------------------------------------------

bool IsDecodableFormat(const QByteArray& format) {
    return std::any_of(kDecodableFormats.begin(), kDecodableFormats.end(),
                       [&](const char* known) { return format == known; });
}

// Reads from the bytes, which must outlive the reader.
class BytesReader {
public:
    explicit BytesReader(std::span<const uint8_t> bytes)
        : m_data(QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                         static_cast<qsizetype>(bytes.size()))),
          m_buffer(&m_data) {
        AllowLargestImage();
        m_buffer.open(QIODevice::ReadOnly);
        m_reader.setDevice(&m_buffer);
        m_reader.setDecideFormatFromContent(true);
        // The Windows decoder ignores orientation tags; so do we.
        m_reader.setAutoTransform(false);
    }
    QImageReader& Reader() { return m_reader; }

private:
    QByteArray m_data;
    QBuffer m_buffer;
    QImageReader m_reader;
};

QImage DecodeWithReader(std::span<const uint8_t> bytes, ImageFormats formats, QString* reason) {
    BytesReader source(bytes);
    QImageReader& reader = source.Reader();
    if (formats == ImageFormats::Stored && !IsDecodableFormat(reader.format())) {
        return Refuse(reason, QCoreApplication::translate(
                                  "velora", "not an image format the program stores"));
    }
    // A reader that cannot tell the size before decoding is held to the
    // limits afterwards.
    const QSize declared = reader.size();
    QString refusal;
    if (declared.isValid())
        refusal = SizeRefusal(declared.width(), declared.height(), bytes.size());
    if (!refusal.isEmpty()) return Refuse(reason, refusal);
    QImage image;
    if (!reader.read(&image)) return Refuse(reason, reader.errorString());
    refusal = SizeRefusal(image.width(), image.height(), bytes.size());
    if (!refusal.isEmpty()) return Refuse(reason, refusal);
    return image;
}

}  // namespace

QImage DecodeImage(std::span<const uint8_t> bytes, ImageFormats formats, QString* reason) {
    if (bytes.empty())
        return Refuse(reason, QCoreApplication::translate("velora", "no image data"));
    if (IsJpeg(bytes)) {
        if (std::optional<QImage> image = DecodeJpeg(bytes, reason)) return *image;
    }
    return DecodeWithReader(bytes, formats, reason);
}

QSize ProbeImageSize(std::span<const uint8_t> bytes, ImageFormats formats) {
    if (std::optional<QSize> jpeg = ProbeJpeg(bytes)) return *jpeg;
    if (bytes.empty()) return {};
    BytesReader source(bytes);
    QImageReader& reader = source.Reader();
    if (formats == ImageFormats::Stored && !IsDecodableFormat(reader.format())) return {};
    const QSize size = reader.size();
    if (!size.isValid() || !SizeRefusal(size.width(), size.height(), bytes.size()).isEmpty()) {
        return {};
    }
    return size;
}

std::optional<QSize> ProbeJpeg(std::span<const uint8_t> bytes) {
    if (!IsJpeg(bytes)) return std::nullopt;
    JpegDecoder decoder;
    if (ReadDecodableHeader(decoder, bytes) != JpegHeader::Ready) return std::nullopt;
    return QSize(static_cast<int>(decoder.info.image_width),
                 static_cast<int>(decoder.info.image_height));
}

}  // namespace velora
