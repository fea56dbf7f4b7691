// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/settings_record.h"
#include "core/common/user_interface.h"
#include "ui/exchange/download_worker.h"

#include <QDialog>

class QCheckBox;
class QLabel;

namespace velora {

// The small window of a download from the servers: what the run does, which
// file of how many it fetches, and Cancel. The run starts when the window
// shows and walks the templates, textures and veloras profiles in turn (those
// that have a server address); the
// window closes when the run ends, after a message that counts the files
// downloaded, unchanged and failed, or at once on Cancel. Files the library
// already has in the server's version are passed over unless "Download all
// files" is ticked; the choice is remembered and counts from the next file.
class CDownloadDlg : public QDialog {
    Q_OBJECT
public:
    CDownloadDlg(const SettingsRecord& settings, IUserInterface& user, QWidget* parent = nullptr);

    QString CaptionText() const;
    QString DetailText() const;

signals:
    // The window closed, however: files may have changed in the libraries.
    void librariesChanged();

protected:
    void showEvent(QShowEvent* event) override;
    // However the window closes (the run's end, Cancel, Escape), the run
    // stops at once.
    void done(int result) override;

private:
    void RefreshDetail();
    void OnFinished(int downloaded, int unchanged, int failed, const QString& failure,
                    const QStringList& problems);
    void OnFetchAllToggled(bool fetchAll);

    const SettingsRecord& m_settings;
    IUserInterface& m_user;
    DownloadWorker m_worker;
    QLabel* m_caption;
    QLabel* m_detail;
    QCheckBox* m_fetchAll;
    QString m_currentFile;
    int m_done = 0;
    int m_total = 0;
    bool m_started = false;
    bool m_closed = false;
};

}  // namespace velora
