// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/settings_record.h"
#include "core/common/user_interface.h"
#include "ui/exchange/send_runner.h"

#include <QDialog>

#include <array>

class QLabel;
class QPushButton;
class QTreeWidgetItem;

namespace velora {

class CSendTree;

// "Sending to server": the three libraries as a check-box tree, and Send,
// which uploads the ticked files of each library to its own server, one
// library after the other. Two status lines follow the job under way. While
// jobs wait or run, the tree and the buttons are disabled and the window does
// not close.
class CSendDlg : public QDialog {
    Q_OBJECT
public:
    CSendDlg(const SettingsRecord& settings, IUserInterface& user, QWidget* parent = nullptr);

    CSendTree* Tree() const { return m_tree; }
    QString StatusLine(int line) const;
    bool IsSending() const { return m_runner.Pending() > 0; }

    void done(int result) override;

private:
    void OnSend();
    void SetStatusLine(int line, const QString& text);
    void EnableControls(bool enable);

    const SettingsRecord& m_settings;
    IUserInterface& m_user;
    CSendTree* m_tree;
    std::array<QTreeWidgetItem*, 3> m_libraries{};
    QLabel* m_line1;
    QLabel* m_line2;
    QPushButton* m_send;
    QPushButton* m_close;
    SendRunner m_runner;
};

}  // namespace velora
