#include "ui/views/areas_bar.h"

#include "core/model/drawing_model.h"
#include "ui/views/mosvel_view_base.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace velora {

namespace {
// The bar's size in pixels; it keeps it wherever it is placed.
constexpr QSize kBarSize(230, 540);
constexpr int kItemHeight = 25;
}  // namespace

CAreasBar::CAreasBar(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_areas(new QListWidget(this)) {
    setWindowTitle(tr("Areas"));
    setAccessibleName(tr("Areas"));
    setModal(false);
    auto* label = new QLabel(tr("&Areas:"), this);
    label->setBuddy(m_areas);
    m_areas->setAccessibleName(tr("Areas"));
    m_areas->setUniformItemSizes(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_areas, 1);
    resize(kBarSize);
    connect(m_areas, &QListWidget::currentRowChanged, this, &CAreasBar::OnAreaSelected);
}

void CAreasBar::SetActiveDocument(IViewDocument* document, CDrawingModel* model,
                                  CMosvelViewBase* view, bool force) {
    if (!force && document == m_document) return;
    m_document = document;
    m_model = model;
    m_view = view;
    const QSignalBlocker quiet(m_areas);
    m_areas->clear();
    if (m_document && m_model) {
        for (const CArea& area : m_model->Areas()) {
            auto* item = new QListWidgetItem(area.GetName(), m_areas);
            item->setSizeHint(QSize(0, kItemHeight));
        }
    }
    RefillGroups();
}

int CAreasBar::GetSelectedArea() const { return m_areas->currentRow(); }

void CAreasBar::DeleteCurrentItem() {
    const int row = m_areas->currentRow();
    if (row < 0) return;
    const QSignalBlocker quiet(m_areas);
    delete m_areas->takeItem(row);
    m_areas->setCurrentRow(-1);
}

// The bar lists the areas only; texture groups and their palette are not
// part of it yet, so there is nothing to reload.
void CAreasBar::RefillGroups() {}

// Choosing an area selects its regions in the view.
void CAreasBar::OnAreaSelected() {
    if (!m_document || !m_model) return;
    const int index = m_areas->currentRow();
    if (!m_view) {
        m_model->SelectArea(index);
        return;
    }
    const QRegion before = m_model->GetSelectionRegion();
    m_model->SelectArea(index);
    const QRegion after = m_model->GetSelectionRegion();
    m_view->SetRenderPending(true);
    m_view->InvalidateRegion(before, true);
    m_view->InvalidateRegion(after, true);
}

CAreasBar* FindAreasBar(const QWidget* inside) {
    if (!inside) return nullptr;
    const QWidget* top = inside->window();
    return top ? top->findChild<CAreasBar*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

}  // namespace velora
