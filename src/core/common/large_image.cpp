// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/large_image.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

#include <sys/mman.h>

namespace velora {

namespace {
constexpr size_t kHugePageBytes = size_t(2) << 20;

void FreeBuffer(void* buffer) { std::free(buffer); }

uintptr_t HugePageAbove(uintptr_t address) {
    return (address + kHugePageBytes - 1) & ~(kHugePageBytes - 1);
}
}  // namespace

void AdviseHugePages(void* buffer, size_t bytes) {
    const uintptr_t start = HugePageAbove(reinterpret_cast<uintptr_t>(buffer));
    const uintptr_t end = (reinterpret_cast<uintptr_t>(buffer) + bytes) & ~(kHugePageBytes - 1);
    if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

QImage MakeLargeImage(QSize size, QImage::Format format) {
    if (size.width() < 1 || size.height() < 1) return {};
    // Rows padded to 32 bits, as QImage pads them.
    const qint64 rowBytes =
        (qint64(size.width()) * QImage::toPixelFormat(format).bitsPerPixel() + 31) / 32 * 4;
    const qint64 bytes = rowBytes * size.height();
    if (bytes < qint64(kHugePageBytes) || rowBytes > std::numeric_limits<int>::max()) {
        return QImage(size, format);
    }
    // Taken from malloc, which hands memory freed by an earlier picture back
    // warm, and aligned within it by hand, as the advice covers whole huge
    // pages only.
    void* block = std::malloc(size_t(bytes) + kHugePageBytes);
    if (!block) return {};
    auto* pixels = reinterpret_cast<uchar*>(HugePageAbove(reinterpret_cast<uintptr_t>(block)));
    // Advice only: where it is refused, the memory is still there in small pages.
    AdviseHugePages(pixels, size_t(bytes));
    return QImage(pixels, size.width(), size.height(), qsizetype(rowBytes), format, FreeBuffer,
                  block);
}

}  // namespace velora
