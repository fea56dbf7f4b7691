// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/picture_cache.h"

#include "core/model/pixel_target.h"

namespace velora {

namespace {
// A larger picture is a view's off-screen image, whose stale parts alone are
// rendered again; a copy would only double what it holds.
constexpr qint64 kLargestKeptPixels = 16'000'000;
}  // namespace

bool PictureCache::Restore(PixelTarget& target, uint64_t fingerprint) const {
    if (m_picture.isNull() || fingerprint != m_fingerprint || target.Bounds() != m_area) {
        return false;
    }
    return target.CopyIn(m_picture);
}

void PictureCache::Store(const PixelTarget& target, uint64_t fingerprint) {
    const QSize size = target.Bounds().size();
    if (qint64{size.width()} * size.height() > kLargestKeptPixels) {
        m_picture = QImage();
        return;
    }
    // Only 16-bit pictures are kept; drawing a preview in another format
    // leaves the view's picture in place.
    QImage picture = target.CopyOut();
    if (picture.isNull()) return;
    m_picture = std::move(picture);
    m_area = target.Bounds();
    m_fingerprint = fingerprint;
}

}  // namespace velora
