// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/stored_image.h"

#include "core/archive/archive.h"
#include "core/model/image_decoder.h"
#include "core/model/image_record.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace velora {

StoredImage::StoredImage(QByteArray bytes, QSize size) : m_bytes(std::move(bytes)), m_size(size) {}

std::shared_ptr<const StoredImage> StoredImage::FromJpegRecord(std::span<const uint8_t> bytes) {
    const std::optional<QSize> size = ProbeJpeg(bytes);
    if (!size) return nullptr;
    QByteArray copy(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
    return std::shared_ptr<const StoredImage>(new StoredImage(std::move(copy), *size));
}

QSize StoredImage::Size() const {
    if (!IsDecoded()) return m_size;
    return m_image.isNull() ? QSize() : m_image.size();
}

const QImage& StoredImage::Image() const {
    std::call_once(m_decodeOnce, [this] { Keep(DecodeImageRecord(AsBytes(m_bytes))); });
    return m_image;
}

// Only ever called once, under m_decodeOnce.
void StoredImage::Keep(QImage image) const {
    m_image = std::move(image);
    m_decoded.store(true, std::memory_order_release);
}

void StoredImage::DecodeAll(std::span<const StoredImage* const> images) {
    std::vector<const StoredImage*> pending;
    for (const StoredImage* image : images) {
        if (image && !image->IsDecoded()) pending.push_back(image);
    }
    // Copies of an area share their image; it is decoded once.
    std::sort(pending.begin(), pending.end());
    pending.erase(std::unique(pending.begin(), pending.end()), pending.end());
    // Nothing to decode is the common case on every repaint; asking how
    // many threads to use costs a call into the system.
    if (pending.empty()) return;
    std::vector<std::span<const uint8_t>> records;
    records.reserve(pending.size());
    for (const StoredImage* image : pending) records.push_back(AsBytes(image->m_bytes));
    std::vector<QImage> decoded = DecodeImageRecords(records);
    for (size_t i = 0; i < pending.size(); ++i) {
        // A caller that decoded it meanwhile on another thread has won.
        std::call_once(pending[i]->m_decodeOnce, [&] { pending[i]->Keep(std::move(decoded[i])); });
    }
}

}  // namespace velora
