// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/exchange/download_dlg.h"

#include "core/common/library_folders.h"
#include "core/exchange/exchange_profiles.h"
#include "ui/controls/dialog_frame.h"
#include "ui/exchange/status_line.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace velora {

namespace {
// Remembered between runs: whoever wants every file fetched usually wants it
// again next time, and a run of unchanged files ends before the box can be
// reached.
const QString kFetchAllSetting = QStringLiteral("DownloadAll");
}  // namespace

CDownloadDlg::CDownloadDlg(const SettingsRecord& settings, IUserInterface& user, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint),
      m_settings(settings),
      m_user(user),
      m_caption(MakeStatusLine(tr("Status"), this)),
      m_detail(MakeStatusLine(tr("File"), this)),
      m_fetchAll(new QCheckBox(tr("Download &all files, also unchanged ones"), this)) {
    ShowCloseButtonOnly(*this);
    setWindowTitle(tr("Download"));
    m_caption->setText(tr("Connecting..."));
    auto* cancel = new QPushButton(tr("Cancel"), this);
    connect(cancel, &QPushButton::clicked, this, &CDownloadDlg::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_caption);
    layout->addWidget(m_detail);
    layout->addWidget(m_fetchAll);
    layout->addLayout(buttons);
    const bool fetchAll =
        QSettings(SettingsOrganization(), SettingsApplication()).value(kFetchAllSetting).toBool();
    m_fetchAll->setChecked(fetchAll);
    m_worker.SetFetchAll(fetchAll);
    connect(m_fetchAll, &QCheckBox::toggled, this, &CDownloadDlg::OnFetchAllToggled);
    setMinimumWidth(380);

    connect(&m_worker, &DownloadWorker::captionChanged, m_caption, &QLabel::setText);
    connect(&m_worker, &DownloadWorker::totalChanged, this, [this](int total) {
        m_total = total;
        RefreshDetail();
    });
    connect(&m_worker, &DownloadWorker::doneChanged, this, [this](int done) {
        m_done = done;
        RefreshDetail();
    });
    connect(&m_worker, &DownloadWorker::currentFileChanged, this, [this](const QString& url) {
        m_currentFile = url;
        RefreshDetail();
    });
    connect(&m_worker, &DownloadWorker::finished, this, &CDownloadDlg::OnFinished);
    RefreshDetail();
}

QString CDownloadDlg::CaptionText() const { return m_caption->text(); }

QString CDownloadDlg::DetailText() const { return m_detail->text(); }

void CDownloadDlg::RefreshDetail() {
    m_detail->setText(tr("File(%1 of %2): %3").arg(m_done).arg(m_total).arg(m_currentFile));
}

void CDownloadDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_started) return;
    m_started = true;
    const std::vector<ProfileKind> kinds = ProfilesWithServer(m_settings);
    if (kinds.empty()) {
        // Closed once the window has shown, so that the message has it as
        // owner and the caller's exec() has begun.
        QMetaObject::invokeMethod(
            this,
            [this] {
                OnFinished(0, 0, 0,
                           tr("No server is set up. Enter the servers in File / Connection "
                              "setup..."),
                           {});
            },
            Qt::QueuedConnection);
        return;
    }
    m_worker.Start(m_settings, kinds);
}

void CDownloadDlg::OnFetchAllToggled(bool fetchAll) {
    m_worker.SetFetchAll(fetchAll);
    QSettings settings(SettingsOrganization(), SettingsApplication());
    settings.setValue(kFetchAllSetting, fetchAll);
}

void CDownloadDlg::OnFinished(int downloaded, int unchanged, int failed, const QString& failure,
                              const QStringList& problems) {
    if (m_closed) return;
    QStringList message;
    if (!failure.isEmpty()) message << failure;
    if (!problems.isEmpty())
        message << tr("These files were not downloaded:") + '\n' + problems.join('\n');
    const bool wentWrong = !message.isEmpty();
    if (failure.isEmpty() || downloaded + unchanged > 0) {
        message << tr("%1 downloaded, %2 unchanged, %3 failed.")
                       .arg(downloaded)
                       .arg(unchanged)
                       .arg(failed);
    }
    m_user.ShowMessage(message.join("\n\n"),
                       wentWrong ? MessageIcon::Warning : MessageIcon::Information, {});
    accept();
}

void CDownloadDlg::done(int result) {
    if (m_closed) return;
    m_closed = true;
    m_worker.Stop();
    QDialog::done(result);
    emit librariesChanged();
}

}  // namespace velora
