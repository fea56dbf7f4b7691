// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/views/areas_bar.h"

#include "core/common/library_folders.h"
#include "core/common/path_parts.h"
#include "core/edit/edits.h"
#include "core/model/drawing_model.h"
#include "ui/library/texture_palette.h"
#include "ui/views/area_list_box.h"
#include "ui/views/mosvel_view_base.h"
#include "ui/views/view_document.h"

#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace velora {

namespace {
constexpr QSize kPaletteCell(100, 75);
// Room for two palette cells side by side.
constexpr int kSmallestWidth = 230;
}  // namespace

CAreasBar::CAreasBar(QWidget* parent)
    : QWidget(parent),
      m_groups(new QComboBox(this)),
      m_areas(new CAreaListBox(this)),
      m_palette(new CTexturePalette(this)) {
    setWindowTitle(tr("Areas"));
    setAccessibleName(tr("Areas"));
    auto* areasLabel = new QLabel(tr("&Areas:"), this);
    areasLabel->setBuddy(m_areas);
    auto* groupsLabel = new QLabel(tr("Te&xtures:"), this);
    groupsLabel->setBuddy(m_groups);
    m_areas->setAccessibleName(tr("Areas"));
    m_groups->setAccessibleName(tr("Texture groups"));
    m_palette->setAccessibleName(tr("Textures"));
    m_palette->SetCellSize(kPaletteCell.width(), kPaletteCell.height());

    auto* buttons = new QGridLayout;
    buttons->addWidget(AddButton(tr("Add all group"), &CAreasBar::AddGroup), 0, 0);
    buttons->addWidget(AddButton(tr("Remove all group"), &CAreasBar::RemoveGroup), 0, 1);
    buttons->addWidget(AddButton(tr("Add all"), &CAreasBar::AddAll), 1, 0);
    buttons->addWidget(AddButton(tr("Remove all"), &CAreasBar::RemoveAll), 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(areasLabel);
    layout->addWidget(m_areas, 1);
    layout->addWidget(groupsLabel);
    layout->addWidget(m_groups);
    layout->addWidget(m_palette, 2);
    layout->addLayout(buttons);
    // Longer button texts, as in some languages, widen the bar.
    setMinimumWidth(std::max(kSmallestWidth, layout->minimumSize().width()));

    connect(m_areas, &QListWidget::currentRowChanged, this, &CAreasBar::OnAreaSelected);
    connect(m_groups, &QComboBox::currentIndexChanged, this, &CAreasBar::LoadGroup);
    connect(m_palette, &CThumbnailGrid::selChanged, this, &CAreasBar::ApplyFocusedTexture);
    connect(m_palette, &CThumbnailGrid::reselected, this, &CAreasBar::ApplyFocusedTexture);
    connect(m_palette, &CThumbnailGrid::rightClicked, this, &CAreasBar::ToggleFocusedTexture);
    m_areas->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_areas, &QWidget::customContextMenuRequested, this, &CAreasBar::OnAreaMenu);
    RefillGroups();
}

// The list, combo and palette empty themselves as they go; that must not
// reach a document the bar no longer shows.
CAreasBar::~CAreasBar() {
    for (QObject* child : {static_cast<QObject*>(m_areas), static_cast<QObject*>(m_groups),
                           static_cast<QObject*>(m_palette)}) {
        disconnect(child, nullptr, this, nullptr);
    }
}

QPushButton* CAreasBar::AddButton(const QString& text, void (CAreasBar::*edit)()) {
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, edit);
    return button;
}

void CAreasBar::SetActiveDocument(IViewDocument* document, CDrawingModel* model,
                                  CMosvelViewBase* view, bool force) {
    if (!force && document == m_document) return;
    m_document = document;
    m_model = document ? model : nullptr;
    m_view = view;
    const QSignalBlocker quiet(m_areas);
    m_areas->SetModel(m_model);
    m_areas->Fill();
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

// The groups are the folders directly inside the textures folder; the first
// one is shown.
void CAreasBar::RefillGroups() {
    {
        const QSignalBlocker quiet(m_groups);
        m_groups->clear();
        m_palette->SetModel(m_model);
        m_palette->Clear();
        m_groups->addItems(
            QDir(CurrentLibraryFolders().textures)
                .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
    }
    if (m_groups->count() > 0) {
        m_groups->setCurrentIndex(0);
        LoadGroup();
    }
}

QString CAreasBar::GetGroupPath() const {
    return SetTrailingBackslash(CurrentLibraryFolders().textures +
                                m_groups->currentText().trimmed());
}

void CAreasBar::LoadGroup() { m_palette->LoadFolder(GetGroupPath(), QStringLiteral("*.*")); }

// Choosing an area selects its regions; the model reports the regions whose
// selection changed, for the views to repaint.
void CAreasBar::OnAreaSelected() {
    if (m_document && m_model) m_model->SelectArea(m_areas->currentRow());
}

// The clicked texture fills the chosen area of a design; the model reports
// that area's regions for the views to repaint, and the list its swatch.
void CAreasBar::ApplyFocusedTexture() {
    if (!m_document || !m_model || m_model->GetDocumentKind() == kTemplateDocument) return;
    // A right click marks a texture for the list; it chooses none.
    if (m_palette->PressingButton() == Qt::RightButton) return;
    const QImage texture = m_palette->LoadFocusedImage();
    if (texture.isNull()) return;
    // The click counts as a change even with no area chosen.
    std::unique_ptr<EditStep> step = edits::ColourArea(*m_model, GetSelectedArea(), texture);
    if (step) {
        m_document->Edit(std::move(step));
    } else {
        m_document->SetModifiedFlag(true);
    }
}

// An empty path would match every entry of the list, so a click beside the
// cells changes nothing.
void CAreasBar::ToggleFocusedTexture() {
    const QString path = m_palette->GetFocusedPath();
    if (!m_model || path.isEmpty()) return;
    const bool listed = m_model->HasTexture(path);
    EditTextures(listed ? tr("Remove texture from the list") : tr("Add texture to the list"),
                 [&path](CDrawingModel& model) {
                     if (!model.RemoveTexture(path)) model.AddTexture(path);
                 });
}

// Without a group the group path is the textures folder, which would stand
// for every texture; the group buttons then do nothing.
void CAreasBar::AddGroup() {
    if (m_groups->count() == 0) return;
    EditTextures(tr("Add all group"),
                 [path = GetGroupPath()](CDrawingModel& model) { model.AddTexture(path); });
}

void CAreasBar::RemoveGroup() {
    if (m_groups->count() == 0) return;
    EditTextures(tr("Remove all group"),
                 [path = GetGroupPath()](CDrawingModel& model) { model.RemoveTexture(path); });
}

// The empty entry stands for every texture there is.
void CAreasBar::AddAll() {
    EditTextures(tr("Add all"), [](CDrawingModel& model) { model.AddTexture(QString()); });
}

void CAreasBar::RemoveAll() {
    EditTextures(tr("Remove all"), [](CDrawingModel& model) { model.ClearTextures(); });
}

void CAreasBar::EditTextures(const QString& name,
                             const std::function<void(CDrawingModel&)>& change) {
    if (m_document && m_model) m_document->Edit(edits::EditTextures(*m_model, name, change));
}

// The menu acts on the area under the pointer, which becomes the chosen one.
void CAreasBar::OnAreaMenu(QPoint point) {
    if (!m_document) return;
    const int row = m_areas->row(m_areas->itemAt(point));
    if (row < 0) return;
    m_areas->setCurrentRow(row);
    emit areaMenuRequested(m_areas->viewport()->mapToGlobal(point));
}

void CAreasBar::ShowModelChange(const ModelChange& change) {
    if (change.areas) m_areas->Refresh();
    if (change.textures) m_palette->RefreshAll();
}

// The bar stands in a dock of the main window, docked or floating. Only the
// window's own children are looked at: a view may ask while the window is
// taking its children down.
CAreasBar* FindAreasBar(const QWidget* inside) {
    const QWidget* top = inside ? inside->window() : nullptr;
    if (!top) return nullptr;
    for (const QDockWidget* dock :
         top->findChildren<QDockWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (auto* bar = qobject_cast<CAreasBar*>(dock->widget())) return bar;
    }
    return nullptr;
}

}  // namespace velora
