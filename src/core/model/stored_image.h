// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>

namespace velora {

// An area image as a file holds it: JPEG bytes whose header has been read,
// decoded the first time its pixels are needed. A design then loads at the
// cost of reading its images' headers, and saves them back byte for byte
// instead of encoding them again, which would also lose quality at every
// save.
//
// A decode that fails (scan data damaged beyond what the decoder tolerates,
// behind a sound header) gives a null image and tells nobody: the load that
// could have told the user is over, and the area simply has no image.
//
// Decoding is safe from several threads at once: one decodes, the others
// wait for it.
class StoredImage {
public:
    // Null unless ProbeJpeg accepts the bytes, which are copied.
    static std::shared_ptr<const StoredImage> FromJpegRecord(std::span<const uint8_t> bytes);

    StoredImage(const StoredImage&) = delete;
    StoredImage& operator=(const StoredImage&) = delete;

    const QByteArray& Bytes() const { return m_bytes; }
    bool IsDecoded() const { return m_decoded.load(std::memory_order_acquire); }
    // The size the header declares, without decoding; once decoded, the
    // image's size, invalid when the decode failed.
    QSize Size() const;
    // Decodes on the first call.
    const QImage& Image() const;

    // Decodes the images not decoded yet, spread over the processor's cores.
    static void DecodeAll(std::span<const StoredImage* const> images);

private:
    StoredImage(QByteArray bytes, QSize size);
    void Keep(QImage image) const;

    QByteArray m_bytes;
    QSize m_size;
    mutable std::once_flag m_decodeOnce;
    mutable std::atomic<bool> m_decoded{false};
    mutable QImage m_image;
};

}  // namespace velora
