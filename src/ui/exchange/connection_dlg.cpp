// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/exchange/connection_dlg.h"

#include "core/exchange/exchange_profiles.h"
#include "ui/controls/dialog_frame.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace velora {

namespace {
// Each profile has a page of its own, so the same keys reach the same fields
// on every page and no key stands for two fields at once.
constexpr std::array<const char*, 5> kTemplateLabels = {
    QT_TRANSLATE_NOOP("velora", "&Address:"), QT_TRANSLATE_NOOP("velora", "&Port:"),
    QT_TRANSLATE_NOOP("velora", "&Login:"), QT_TRANSLATE_NOOP("velora", "Pass&word:"),
    QT_TRANSLATE_NOOP("velora", "&Folder(from root, e.g. /templates):")};
constexpr std::array<const char*, 5> kTextureLabels = {
    kTemplateLabels[0], kTemplateLabels[1], kTemplateLabels[2], kTemplateLabels[3],
    QT_TRANSLATE_NOOP("velora", "&Folder(from root, e.g. /textures):")};
constexpr std::array<const char*, 5> kVeloraLabels = {
    kTemplateLabels[0], kTemplateLabels[1], kTemplateLabels[2], kTemplateLabels[3],
    QT_TRANSLATE_NOOP("velora", "&Folder(from root, e.g. /veloras):")};

// A label over its edit, the label naming the edit for keyboard and screen
// reader alike.
QLineEdit* AddLabelledEdit(QGridLayout* grid, int row, int column, int columnSpan,
                           const char* label, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    auto* caption = new QLabel(QCoreApplication::translate("velora", label), parent);
    caption->setBuddy(edit);
    edit->setAccessibleName(caption->text().remove('&'));
    grid->addWidget(caption, row, column, 1, columnSpan);
    grid->addWidget(edit, row + 1, column, 1, columnSpan);
    return edit;
}
// A port needs five digits, so the address beside it gets the room.
void NarrowToPort(QLineEdit* edit) {
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
}
}  // namespace

CConnectionDlg::CConnectionDlg(SettingsRecord& settings, IUserInterface& user, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_user(user) {
    ShowCloseButtonOnly(*this);
    setWindowTitle(tr("Connection setup"));
    auto* pages = new QTabWidget(this);
    pages->addTab(MakeProfileGroup(tr("Templates"), kTemplateLabels, m_profiles[0]),
                  tr("&Templates"));
    pages->addTab(MakeProfileGroup(tr("Textures"), kTextureLabels, m_profiles[1]), tr("Te&xtures"));
    pages->addTab(MakeProfileGroup(tr("Veloras"), kVeloraLabels, m_profiles[2]), tr("V&eloras"));
    pages->addTab(MakeProxyGroup(), tr("Proxy &server setup"));

    auto* ok = new QPushButton(tr("OK"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CConnectionDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CConnectionDlg::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addStretch();
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addLayout(buttons);

    LoadFromSettings();
    EnableProxyFields();
}

QGroupBox* CConnectionDlg::MakeProfileGroup(const QString& title, const ProfileLabels& labels,
                                            ProfileEdits& edits) {
    auto* group = new QGroupBox(title, this);
    auto* grid = new QGridLayout(group);
    edits.address = AddLabelledEdit(grid, 0, 0, 3, labels[0], group);
    edits.port = AddLabelledEdit(grid, 0, 3, 1, labels[1], group);
    edits.login = AddLabelledEdit(grid, 2, 0, 2, labels[2], group);
    edits.password = AddLabelledEdit(grid, 2, 2, 2, labels[3], group);
    edits.folder = AddLabelledEdit(grid, 4, 0, 4, labels[4], group);
    edits.password->setEchoMode(QLineEdit::Password);
    NarrowToPort(edits.port);
    edits.useTls = new QCheckBox(tr("&Use TLS (encrypted connection)"), group);
    grid->addWidget(edits.useTls, 6, 0, 1, 4);
    edits.caFile = AddLabelledEdit(
        grid, 7, 0, 4, QT_TRANSLATE_NOOP("velora", "&CA file (private server, optional):"), group);
    edits.caFile->setEnabled(false);
    connect(edits.useTls, &QCheckBox::toggled, edits.caFile, &QLineEdit::setEnabled);
    return group;
}

QGroupBox* CConnectionDlg::MakeProxyGroup() {
    auto* group = new QGroupBox(tr("Proxy server setup"), this);
    auto* grid = new QGridLayout(group);
    m_useProxy = new QCheckBox(tr("&Use proxy"), group);
    grid->addWidget(m_useProxy, 0, 0, 1, 4);
    m_proxyAddress = AddLabelledEdit(grid, 1, 0, 3, QT_TRANSLATE_NOOP("velora", "Ser&ver:"), group);
    m_proxyPort = AddLabelledEdit(grid, 1, 3, 1, QT_TRANSLATE_NOOP("velora", "P&ort:"), group);
    NarrowToPort(m_proxyPort);
    grid->setRowStretch(3, 1);
    connect(m_useProxy, &QCheckBox::clicked, this, &CConnectionDlg::OnUseProxyClicked);
    return group;
}

void CConnectionDlg::LoadFromSettings() {
    for (size_t i = 0; i < kExchangeProfiles.size(); ++i) {
        const ServerProfile& profile = m_settings.Profile(kExchangeProfiles[i]);
        ProfileEdits& edits = m_profiles[i];
        edits.address->setText(profile.address);
        edits.port->setText(QString::number(profile.port));
        edits.login->setText(profile.login);
        edits.password->setText(profile.password);
        edits.folder->setText(profile.folder);
        edits.useTls->setChecked(profile.useTls);
        edits.caFile->setText(profile.caFile);
    }
    m_useProxy->setChecked(m_settings.useProxy);
    m_proxyAddress->setText(m_settings.proxyAddress);
    m_proxyPort->setText(QString::number(m_settings.proxyPort));
}

bool CConnectionDlg::StoreIntoSettings() {
    for (size_t i = 0; i < kExchangeProfiles.size(); ++i) {
        ServerProfile& profile = m_settings.Profile(kExchangeProfiles[i]);
        const ProfileEdits& edits = m_profiles[i];
        profile.address = edits.address->text();
        if (!StorePort(edits.port, profile.port)) return false;
        profile.login = edits.login->text();
        profile.password = edits.password->text();
        profile.folder = edits.folder->text();
        profile.useTls = edits.useTls->isChecked();
        profile.caFile = edits.caFile->text().trimmed();
    }
    m_settings.useProxy = m_useProxy->isChecked();
    m_settings.proxyAddress = m_proxyAddress->text();
    return StorePort(m_proxyPort, m_settings.proxyPort);
}

bool CConnectionDlg::StorePort(QLineEdit* edit, int& port) {
    bool isNumber = false;
    const int value = edit->text().trimmed().toInt(&isNumber);
    if (isNumber && value >= 0 && value <= 65535) {
        port = value;
        return true;
    }
    m_user.ShowMessage(isNumber ? tr("Please enter an integer between 0 and 65535.")
                                : tr("Please enter an integer."),
                       MessageIcon::Warning, {});
    edit->setFocus();
    edit->selectAll();
    return false;
}

bool CConnectionDlg::CheckCaFile(const ProfileEdits& edits) {
    const QString path = edits.caFile->text().trimmed();
    if (!edits.useTls->isChecked() || path.isEmpty() || QFileInfo(path).isFile()) return true;
    m_user.ShowMessage(tr("The CA file \"%1\" does not exist.").arg(path), MessageIcon::Warning,
                       {});
    edits.caFile->setFocus();
    edits.caFile->selectAll();
    return false;
}

void CConnectionDlg::accept() {
    for (const ProfileEdits& edits : m_profiles) {
        if (!CheckCaFile(edits)) return;
    }
    if (StoreIntoSettings()) QDialog::accept();
}

void CConnectionDlg::OnUseProxyClicked() {
    StoreIntoSettings();
    EnableProxyFields();
}

// Follows the box rather than the record: after a refused port the record
// still holds the former choice, but the user sees the box.
void CConnectionDlg::EnableProxyFields() {
    const bool useProxy = m_useProxy->isChecked();
    m_proxyAddress->setEnabled(useProxy);
    m_proxyPort->setEnabled(useProxy);
}

}  // namespace velora
