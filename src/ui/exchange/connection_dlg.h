// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/settings_record.h"
#include "core/common/user_interface.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QGroupBox;
class QLineEdit;

namespace velora {

// "Connection setup": the three server profiles and the proxy, edited in the
// settings record itself. Each profile may ask for TLS and name the CA file
// of a private server. OK takes every field into the record; so does each
// click on "Use proxy", which is why values typed before that click stay even
// when the dialog is then cancelled.
class CConnectionDlg : public QDialog {
    Q_OBJECT
public:
    CConnectionDlg(SettingsRecord& settings, IUserInterface& user, QWidget* parent = nullptr);

    void accept() override;

private:
    struct ProfileEdits {
        QLineEdit* address = nullptr;
        QLineEdit* port = nullptr;
        QLineEdit* login = nullptr;
        QLineEdit* password = nullptr;
        QLineEdit* folder = nullptr;
        QCheckBox* useTls = nullptr;
        QLineEdit* caFile = nullptr;
    };
    // Address, port, login, password and folder.
    using ProfileLabels = std::array<const char*, 5>;

    QGroupBox* MakeProfileGroup(const QString& title, const ProfileLabels& labels,
                                ProfileEdits& edits);
    QGroupBox* MakeProxyGroup();
    void LoadFromSettings();
    // Takes the fields into the record in order; stops at the first port
    // that is not a port, says so and puts the cursor there.
    bool StoreIntoSettings();
    bool StorePort(QLineEdit* edit, int& port);
    // A CA file named for TLS has to be there; false, after saying so.
    bool CheckCaFile(const ProfileEdits& edits);
    void OnUseProxyClicked();
    void EnableProxyFields();

    SettingsRecord& m_settings;
    IUserInterface& m_user;
    std::array<ProfileEdits, 3> m_profiles;
    QCheckBox* m_useProxy = nullptr;
    QLineEdit* m_proxyAddress = nullptr;
    QLineEdit* m_proxyPort = nullptr;
};

}  // namespace velora
