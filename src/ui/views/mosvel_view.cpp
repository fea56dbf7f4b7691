// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/views/mosvel_view.h"

#include "core/model/drawing_model.h"
#include "ui/controls/command_ids.h"

namespace velora {

CMosvelView::CMosvelView(QWidget* parent) : CMosvelViewBase(parent), m_printer(*this) {
    setAccessibleName(tr("Velora"));
}

const CommandMap<CMosvelView>& CMosvelView::Commands() {
    static const CommandMap<CMosvelView> map{
        {cmd::kFilePrint, &CMosvelView::OnPrint},
        {cmd::kFilePrintDirect, &CMosvelView::OnPrintDirect},
        {cmd::kFilePrintPreview, &CMosvelView::OnPrintPreview},
    };
    return map;
}

void CMosvelView::ResetImage() {
    if (const CDrawingModel* model = GetModel()) {
        SetImageSize(model->GetWidth(), model->GetHeight());
    }
    UpdateLayout();
    SetRenderPending(true);
    InvalidateAll(true);
}

}  // namespace velora
