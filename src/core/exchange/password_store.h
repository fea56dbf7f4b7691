// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/settings_record.h"

#include <QString>

class QSettings;

namespace velora {

// A place for secrets outside the settings file.
class ISecretStore {
public:
    enum class Answer { Found, Missing, Unavailable };

    virtual ~ISecretStore() = default;
    virtual Answer Read(const QString& key, QString& secret) = 0;
    // False when the store did not take it.
    virtual bool Write(const QString& key, const QString& secret) = 0;
    virtual void Remove(const QString& key) = 0;
};

// The desktop's keyring (the Secret Service, KWallet) through QtKeychain.
// Each call waits for the keyring's answer on the application's thread,
// through its event loop (elsewhere there is no keyring to ask); a keyring that does not answer
// within a while, or not at all, counts as none for the rest of the process, so that one slow wait
// is the most a run pays.
class KeyringStore : public ISecretStore {
public:
    // The service the secrets are filed under in the keyring.
    explicit KeyringStore(QString service);

    Answer Read(const QString& key, QString& secret) override;
    bool Write(const QString& key, const QString& secret) override;
    void Remove(const QString& key) override;

private:
    QString m_service;
    bool m_unavailable;
};

// The keyring service of this program's passwords.
QString KeyringService();

// Reads the settings; the three server passwords come from the store where
// it keeps them. A password found in the settings file (from an earlier
// version, or written while no keyring answered) is the newer one: it moves
// into the store and leaves the file.
SettingsRecord LoadSettingsRecord(QSettings& settings, const QString& baseFolder,
                                  ISecretStore& store);
// Writes the settings; each password goes to the store when it takes it,
// else to the settings file (readable by its owner only).
void StoreSettingsRecord(QSettings& settings, const SettingsRecord& record, ISecretStore& store);

}  // namespace velora
