// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/area.h"

namespace velora {

const QImage& CArea::GetImage() const { return m_stored ? m_stored->Image() : m_image; }

QSize CArea::ImageSize() const {
    if (m_stored) return m_stored->Size();
    return m_image.isNull() ? QSize() : m_image.size();
}

void CArea::SetImage(QImage image) {
    if (m_stored && m_stored->IsDecoded() && !image.isNull() &&
        image.cacheKey() == m_stored->Image().cacheKey()) {
        return;
    }
    m_stored.reset();
    m_image = std::move(image);
}

void CArea::SetStoredImage(std::shared_ptr<const StoredImage> stored) {
    m_image = QImage();
    m_stored = std::move(stored);
}

const StoredImage* CArea::GetStoredImage() const {
    if (!m_stored || (m_stored->IsDecoded() && m_stored->Image().isNull())) return nullptr;
    return m_stored.get();
}

void CArea::Reset() {
    m_image = QImage();
    m_stored.reset();
    m_names.clear();
    m_name.clear();
}

}  // namespace velora
