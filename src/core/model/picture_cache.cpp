// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/picture_cache.h"

#include "core/model/pixel_target.h"

namespace velora {

bool PictureCache::Restore(PixelTarget& target, uint64_t fingerprint) const {
    if (m_picture.isNull() || fingerprint != m_fingerprint || target.Bounds() != m_area) {
        return false;
    }
    return target.CopyIn(m_picture);
}

void PictureCache::Store(const PixelTarget& target, uint64_t fingerprint) {
    // Only 16-bit pictures are kept; drawing a preview in another format
    // leaves the view's picture in place.
    QImage picture = target.CopyOut();
    if (picture.isNull()) return;
    m_picture = std::move(picture);
    m_area = target.Bounds();
    m_fingerprint = fingerprint;
}

}  // namespace velora
