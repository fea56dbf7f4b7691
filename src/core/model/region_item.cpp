// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/region_item.h"

#include "core/model/name_counters.h"

namespace velora {

CRegionItem::CRegionItem() : m_name(NameCounters::NextRegionName()) {}

const QRegion& CRegionItem::GetRegion() const {
    static const QRegion empty;
    return m_region ? *m_region : empty;
}

void CRegionItem::Reset() {
    m_region.reset();
    m_box = QRect();
    m_name.clear();
    m_selected = false;
    m_cache = QImage();
}

}  // namespace velora
