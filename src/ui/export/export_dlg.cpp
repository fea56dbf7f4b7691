// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export/export_dlg.h"

#include "core/common/errors.h"
#include "core/common/library_folders.h"
#include "core/common/output_file.h"
#include "core/common/path_parts.h"
#include "core/common/user_interface.h"
#include "core/export/save_plan.h"
#include "ui/controls/browse_edit.h"
#include "ui/controls/dialog_frame.h"
#include "ui/export/options_panels.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace velora {

namespace {

constexpr int kMaxSide = 100'000;

QSpinBox* SideEdit(QWidget* parent, int value) {
    auto* edit = new QSpinBox(parent);
    edit->setRange(1, kMaxSide);
    edit->setValue(value);
    return edit;
}

// The name with the new extension in place of the old one; a dot in a
// folder name is not an extension.
QString WithExtension(const QString& path, const QString& extension) {
    return GetPathDrive(path) + GetPathDir(path) + GetPathTitle(path) + extension;
}

}  // namespace

// The file can be written: its folder is there and takes a new file. The
// probe leaves nothing behind.
void CheckWritable(const QString& path) {
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        throw FileError(
            path, QCoreApplication::translate("velora", "cannot be written: there is no folder %1")
                      .arg(folder));
    }
    OutputFile probe(path);
}

CExportDlg::CExportDlg(QSize designSize, const QString& designName, const ExportChoices& choices,
                       IUserInterface& user, QWidget* parent)
    : QDialog(parent),
      m_user(user),
      m_designSize(designSize),
      m_aspectRatio(designSize.height() > 0
                        ? static_cast<double>(designSize.width()) / designSize.height()
                        : 1.0),
      m_fileName(new CFileBrowseEdit(this)),
      m_format(new QComboBox(this)),
      m_panelFrame(new QGroupBox(tr("Options"), this)),
      m_tiffPanel(new CTiffOptionsPanel(m_panelFrame)),
      m_jpegPanel(new CJpegOptionsPanel(m_panelFrame)),
      m_height(SideEdit(this, std::max(1, designSize.height()))),
      m_width(SideEdit(this, std::max(1, designSize.width()))),
      m_maintainAspect(new QCheckBox(tr("&Maintain aspect ratio"), this)) {
    ShowCloseButtonOnly(*this);
    setWindowTitle(tr("Export"));
    m_fileName->SetDialogMode(false, BrowseFlag::PathMustExist);
    m_fileName->setText(CurrentLibraryFolders().exportFolder +
                        (designName.isEmpty() ? QStringLiteral("export") : designName));
    m_fileName->Edit()->setAccessibleName(tr("File name"));
    m_maintainAspect->setChecked(true);
    m_tiffPanel->hide();
    m_jpegPanel->hide();
    auto* panels = new QVBoxLayout(m_panelFrame);
    panels->addWidget(m_tiffPanel);
    panels->addWidget(m_jpegPanel);
    panels->addStretch();
    m_panelFrame->setMinimumHeight(m_jpegPanel->sizeHint().height() + 30);

    auto* widthLabel = new QLabel(tr("&Width:"), this);
    auto* heightLabel = new QLabel(tr("&Height:"), this);
    auto* fileLabel = new QLabel(tr("&File name:"), this);
    auto* formatLabel = new QLabel(tr("F&ormat:"), this);
    widthLabel->setBuddy(m_width);
    heightLabel->setBuddy(m_height);
    fileLabel->setBuddy(m_fileName->Edit());
    formatLabel->setBuddy(m_format);
    auto* size = new QHBoxLayout;
    size->addWidget(widthLabel);
    size->addWidget(m_width);
    size->addWidget(heightLabel);
    size->addWidget(m_height);
    size->addWidget(m_maintainAspect);
    size->addStretch();
    auto* ok = new QPushButton(tr("OK"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* form = new QFormLayout;
    form->addRow(fileLabel, m_fileName);
    form->addRow(formatLabel, m_format);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(size);
    layout->addLayout(form);
    layout->addWidget(m_panelFrame);
    layout->addLayout(buttons);
    setMinimumWidth(520);

    connect(ok, &QPushButton::clicked, this, &CExportDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CExportDlg::reject);
    connect(m_width, &QSpinBox::valueChanged, this, &CExportDlg::OnWidthChanged);
    connect(m_height, &QSpinBox::valueChanged, this, &CExportDlg::OnHeightChanged);
    connect(m_maintainAspect, &QCheckBox::toggled, this, &CExportDlg::OnWidthChanged);
    FillFormats();
    connect(m_format, &QComboBox::currentIndexChanged, this, &CExportDlg::OnFormatChanged);
    m_format->setCurrentIndex(0);
    OnFormatChanged();
    Apply(choices);
}

void CExportDlg::Apply(const ExportChoices& choices) {
    m_maintainAspect->setChecked(choices.maintainAspectRatio);
    m_jpegPanel->SetQuality(choices.jpegQuality);
    m_tiffPanel->Choose(choices.tiffCompression, choices.tiffColorDepth);
    const int format = m_format->findData(choices.format);
    if (format >= 0) m_format->setCurrentIndex(format);
}

ExportChoices CExportDlg::Choices() const {
    ExportChoices choices;
    choices.format = m_format->currentData().toInt();
    choices.maintainAspectRatio = m_maintainAspect->isChecked();
    choices.jpegQuality = m_jpegPanel->Quality();
    choices.tiffCompression = m_tiffPanel->Compression();
    choices.tiffColorDepth = m_tiffPanel->ColorDepth();
    return choices;
}

void CExportDlg::FillFormats() {
    std::vector<const ExportFormat*> listed;
    for (const ExportFormat& format : ExportFormats()) {
        if (*format.comboText) listed.push_back(&format);
    }
    std::sort(listed.begin(), listed.end(), [](const ExportFormat* a, const ExportFormat* b) {
        return QString::localeAwareCompare(a->comboText, b->comboText) < 0;
    });
    for (const ExportFormat* format : listed) m_format->addItem(format->comboText, format->code);
}

COptionsPanel* CExportDlg::PanelOf(int formatCode) const {
    switch (FindExportFormat(formatCode)->panel) {
        case OptionsPanel::Jpeg:
            return m_jpegPanel;
        case OptionsPanel::Tiff:
            return m_tiffPanel;
        case OptionsPanel::None:
            break;
    }
    return nullptr;
}

void CExportDlg::OnFormatChanged() {
    const int code = m_format->currentData().toInt();
    const ExportFormat* format = FindExportFormat(code);
    m_fileName->setText(WithExtension(m_fileName->text(), format->extension));
    GetEncoderClsid(format->mimeType, &m_encoder);
    COptionsPanel* panel = PanelOf(code);
    if (m_currentPanel && m_currentPanel != panel) m_currentPanel->hide();
    if (panel) panel->show();
    m_currentPanel = panel;
    m_panelFrame->setEnabled(panel != nullptr);
}

void CExportDlg::OnWidthChanged() {
    if (m_coupling || !m_maintainAspect->isChecked()) return;
    m_coupling = true;
    m_height->setValue(static_cast<int>(m_width->value() / m_aspectRatio));
    m_coupling = false;
}

void CExportDlg::OnHeightChanged() {
    if (m_coupling || !m_maintainAspect->isChecked()) return;
    m_coupling = true;
    m_width->setValue(static_cast<int>(m_height->value() * m_aspectRatio));
    m_coupling = false;
}

ExportRequest CExportDlg::Request() const {
    ExportRequest request;
    request.width = m_width->value();
    request.height = m_height->value();
    request.fileName = m_fileName->text().trimmed();
    request.encoderId = m_encoder;
    if (m_currentPanel) request.parameters = m_currentPanel->BuildParameters();
    return request;
}

// Choices that cannot be written are said now, while they can be changed.
void CExportDlg::accept() {
    const ExportRequest request = Request();
    try {
        if (request.fileName.isEmpty()) throw VeloraError(tr("Please type a file name."));
        const QSize size(request.width, request.height);
        CheckExportSize(size, m_designSize);
        PlanSave(request.encoderId, request.parameters ? &*request.parameters : nullptr, size,
                 false);
        CheckWritable(ExportPath(request.fileName));
    } catch (const VeloraError& error) {
        m_user.ShowMessage(error.Message(), MessageIcon::Warning);
        m_fileName->Edit()->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace velora
