// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/views/view_document.h"

#include "core/model/model_change.h"
#include "ui/views/areas_bar.h"
#include "ui/views/mosvel_view_base.h"

namespace velora {

void ShowModelChange(IViewDocument& document, const QList<CMosvelViewBase*>& views,
                     const ModelChange& change) {
    for (CMosvelViewBase* view : views) view->ShowModelChange(change);
    if (!change.areas && !change.textures) return;
    CAreasBar* bar = FindAreasBar(views.isEmpty() ? nullptr : views.first());
    if (bar && bar->GetActiveDocument() == &document) bar->ShowModelChange(change);
}

}  // namespace velora
