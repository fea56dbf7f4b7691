// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exchange/password_store.h"

#include "core/common/library_folders.h"
#include "core/exchange/exchange_profiles.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSettings>
#include <QThread>
#include <QTimer>

#include <qt6keychain/keychain.h>

#include <memory>

namespace velora {

namespace {
// Long enough for the user to unlock the keyring when it asks.
constexpr int kKeyringWaitMs = 30000;

// Runs the job and waits for its end; false when it did not end in time. A
// job that is still running then deletes itself once it ends.
bool RunToEnd(std::unique_ptr<QKeychain::Job>& job) {
    QEventLoop loop;
    QObject::connect(job.get(), &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(kKeyringWaitMs, &loop, &QEventLoop::quit);
    bool ended = false;
    QObject::connect(job.get(), &QKeychain::Job::finished, &loop, [&ended] { ended = true; });
    job->setAutoDelete(false);
    job->start();
    if (!ended) loop.exec();
    if (!ended) {
        job->disconnect(&loop);
        job->setAutoDelete(true);
        job.release();
    }
    return ended;
}
}  // namespace

// The keyring answers through the event loop of the application's thread;
// without them there is no keyring to ask.
KeyringStore::KeyringStore(QString service)
    : m_service(std::move(service)),
      m_unavailable(!QCoreApplication::instance() ||
                    QThread::currentThread() != QCoreApplication::instance()->thread()) {}

ISecretStore::Answer KeyringStore::Read(const QString& key, QString& secret) {
    if (m_unavailable) return Answer::Unavailable;
    auto* read = new QKeychain::ReadPasswordJob(m_service);
    std::unique_ptr<QKeychain::Job> job(read);
    read->setKey(key);
    if (!RunToEnd(job) ||
        (read->error() != QKeychain::NoError && read->error() != QKeychain::EntryNotFound)) {
        m_unavailable = true;
        return Answer::Unavailable;
    }
    if (read->error() == QKeychain::EntryNotFound) return Answer::Missing;
    secret = read->textData();
    return Answer::Found;
}

bool KeyringStore::Write(const QString& key, const QString& secret) {
    if (m_unavailable) return false;
    auto* write = new QKeychain::WritePasswordJob(m_service);
    std::unique_ptr<QKeychain::Job> job(write);
    write->setKey(key);
    write->setTextData(secret);
    m_unavailable = !RunToEnd(job) || write->error() != QKeychain::NoError;
    return !m_unavailable;
}

void KeyringStore::Remove(const QString& key) {
    if (m_unavailable) return;
    std::unique_ptr<QKeychain::Job> job(new QKeychain::DeletePasswordJob(m_service));
    job->setKey(key);
    if (!RunToEnd(job)) m_unavailable = true;
}

QString KeyringService() { return SettingsOrganization() + ' ' + SettingsApplication(); }

SettingsRecord LoadSettingsRecord(QSettings& settings, const QString& baseFolder,
                                  ISecretStore& store) {
    SettingsRecord record = ReadSettingsRecord(settings, baseFolder);
    bool moved = false;
    for (ProfileKind kind : kExchangeProfiles) {
        ServerProfile& profile = record.Profile(kind);
        const QString key = ProfileSettingName("Password", kind);
        if (!profile.password.isEmpty()) {
            profile.passwordInKeyring = store.Write(key, profile.password);
            if (profile.passwordInKeyring) {
                settings.remove(key);
                moved = true;
            }
        } else {
            profile.passwordInKeyring =
                store.Read(key, profile.password) == ISecretStore::Answer::Found;
        }
    }
    if (moved) settings.sync();
    return record;
}

void StoreSettingsRecord(QSettings& settings, const SettingsRecord& record, ISecretStore& store) {
    SettingsRecord stored = record;
    for (ProfileKind kind : kExchangeProfiles) {
        ServerProfile& profile = stored.Profile(kind);
        const QString key = ProfileSettingName("Password", kind);
        if (profile.password.isEmpty()) {
            store.Remove(key);
            profile.passwordInKeyring = false;
        } else {
            profile.passwordInKeyring = store.Write(key, profile.password);
        }
    }
    WriteSettingsRecord(settings, stored);
}

}  // namespace velora
