// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/large_image.h"

#include <cstdlib>
#include <limits>

#include <sys/mman.h>

namespace velora {

namespace {
constexpr size_t kHugePageBytes = size_t(2) << 20;

void FreeBuffer(void* buffer) { std::free(buffer); }
}  // namespace

QImage MakeLargeImage(QSize size, QImage::Format format) {
    if (size.width() < 1 || size.height() < 1) return {};
    // Rows padded to 32 bits, as QImage pads them.
    const qint64 rowBytes =
        (qint64(size.width()) * QImage::toPixelFormat(format).bitsPerPixel() + 31) / 32 * 4;
    const qint64 bytes = rowBytes * size.height();
    if (bytes < qint64(kHugePageBytes) || rowBytes > std::numeric_limits<int>::max()) {
        return QImage(size, format);
    }
    const size_t rounded = (size_t(bytes) + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
    void* buffer = std::aligned_alloc(kHugePageBytes, rounded);
    if (!buffer) return {};
    // Advice only: where it is refused, the memory is still there in small pages.
    madvise(buffer, rounded, MADV_HUGEPAGE);
    return QImage(static_cast<uchar*>(buffer), size.width(), size.height(), qsizetype(rowBytes),
                  format, FreeBuffer, buffer);
}

}  // namespace velora
