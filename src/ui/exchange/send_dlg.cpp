// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/exchange/send_dlg.h"

#include "core/exchange/exchange_profiles.h"
#include "ui/controls/dialog_frame.h"
#include "ui/exchange/send_tree.h"
#include "ui/exchange/status_line.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velora {

namespace {
constexpr std::array<const char*, 3> kLibraryCaptions = {
    QT_TRANSLATE_NOOP("velora::CSendDlg", "Templates"),
    QT_TRANSLATE_NOOP("velora::CSendDlg", "Textures"),
    QT_TRANSLATE_NOOP("velora::CSendDlg", "Veloras")};
}  // namespace

CSendDlg::CSendDlg(const SettingsRecord& settings, IUserInterface& user, QWidget* parent)
    : QDialog(parent),
      m_settings(settings),
      m_user(user),
      m_tree(new CSendTree(settings.folders.textures, this)),
      m_line1(MakeStatusLine(tr("Status"), this)),
      m_line2(MakeStatusLine(tr("File"), this)),
      m_send(new QPushButton(tr("&Send"), this)),
      m_close(new QPushButton(tr("Cl&ose"), this)) {
    ShowCloseButtonOnly(*this);
    setWindowTitle(tr("Sending to server"));
    auto* prompt = new QLabel(tr("Please select &templates you wanna send to server:"), this);
    prompt->setBuddy(m_tree);
    m_tree->setAccessibleName(tr("Libraries"));
    for (size_t i = 0; i < kExchangeProfiles.size(); ++i) {
        m_libraries[i] = m_tree->AddLibrary(tr(kLibraryCaptions[i]),
                                            LibraryFolder(settings.folders, kExchangeProfiles[i]));
    }
    m_tree->setCurrentItem(m_libraries[0]);
    m_tree->scrollToItem(m_libraries[0]);

    // Close is the dialog's OK: the Enter key closes, as it does elsewhere.
    m_close->setDefault(true);
    connect(m_send, &QPushButton::clicked, this, &CSendDlg::OnSend);
    connect(m_close, &QPushButton::clicked, this, &CSendDlg::accept);
    connect(&m_runner, &SendRunner::began, this, [this] { EnableControls(false); });
    connect(&m_runner, &SendRunner::statusLineChanged, this, &CSendDlg::SetStatusLine);
    connect(&m_runner, &SendRunner::finished, this, [this](const QString& note) {
        SetStatusLine(1, tr("Finished!"));
        SetStatusLine(2, note);
    });
    connect(&m_runner, &SendRunner::aborted, this, [this](const QString& reason) {
        SetStatusLine(1, tr("Aborted!"));
        SetStatusLine(2, reason);
        m_user.ShowMessage(reason, MessageIcon::Warning, {});
    });
    connect(&m_runner, &SendRunner::jobEnded, this, [this] {
        if (!IsSending()) EnableControls(true);
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_send);
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_line1);
    layout->addWidget(m_line2);
    layout->addLayout(buttons);
    resize(520, 520);
}

QString CSendDlg::StatusLine(int line) const { return (line == 1 ? m_line1 : m_line2)->text(); }

void CSendDlg::SetStatusLine(int line, const QString& text) {
    if (line == 1) m_line1->setText(text);
    if (line == 2) m_line2->setText(text);
}

void CSendDlg::EnableControls(bool enable) {
    m_tree->setEnabled(enable);
    m_send->setEnabled(enable);
    m_close->setEnabled(enable);
    if (enable) m_tree->setFocus();
}

// A library with nothing ticked has no job: its server is not asked to take
// nothing.
void CSendDlg::OnSend() {
    std::vector<SendJob> jobs;
    for (size_t i = 0; i < kExchangeProfiles.size(); ++i) {
        QStringList files = m_tree->TickedFiles(m_libraries[i]);
        if (!files.isEmpty())
            jobs.push_back(MakeSendJob(m_settings, kExchangeProfiles[i], std::move(files)));
    }
    if (jobs.empty()) {
        SetStatusLine(1, tr("Finished!"));
        SetStatusLine(2, tr("No files were ticked."));
        return;
    }
    EnableControls(false);
    m_runner.Start(std::move(jobs));
}

// Covers Close, Escape and the window's close button alike.
void CSendDlg::done(int result) {
    if (!IsSending()) QDialog::done(result);
}

}  // namespace velora
