#include "core/model/area.h"

namespace velora {

void CArea::Reset() {
    m_image = QImage();
    m_names.clear();
    m_name.clear();
}

}  // namespace velora
