// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exchange/password_store.h"

#include <QCoreApplication>
#include <QFile>
#include <QMap>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace velora {
namespace {

// A keyring that answers, or one that is not there.
class FakeKeyring : public ISecretStore {
public:
    explicit FakeKeyring(bool available) : m_available(available) {}

    Answer Read(const QString& key, QString& secret) override {
        if (!m_available) return Answer::Unavailable;
        if (!secrets.contains(key)) return Answer::Missing;
        secret = secrets.value(key);
        return Answer::Found;
    }
    bool Write(const QString& key, const QString& secret) override {
        if (m_available) secrets.insert(key, secret);
        return m_available;
    }
    void Remove(const QString& key) override { secrets.remove(key); }

    QMap<QString, QString> secrets;

private:
    bool m_available;
};

class PasswordStoreTest : public ::testing::Test {
protected:
    QSettings& File() { return m_settings; }
    QString FileText() {
        m_settings.sync();
        QFile file(m_settings.fileName());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir m_dir;
    QSettings m_settings{m_dir.filePath("settings.ini"), QSettings::IniFormat};
};

// Passwords of an earlier version rest in the file; where a keyring answers
// they move there on the first start and leave the file, and every later
// start reads them back from the keyring alone.
TEST_F(PasswordStoreTest, PasswordsMoveToAKeyringThatAnswersAndStayInTheFileOtherwise) {
    for (const bool keyringAnswers : {true, false}) {
        SCOPED_TRACE(keyringAnswers ? "keyring" : "no keyring");
        File().clear();
        File().setValue("Address", "ftp.example.org");
        File().setValue("Password", "templates secret");
        File().setValue("PasswordV", "velora secret");
        FakeKeyring keyring(keyringAnswers);

        const SettingsRecord first = LoadSettingsRecord(File(), "/base", keyring);
        EXPECT_EQ(first.templates.password, "templates secret");
        EXPECT_EQ(first.veloras.password, "velora secret");
        EXPECT_TRUE(first.textures.password.isEmpty());
        EXPECT_EQ(FileText().contains("secret"), !keyringAnswers);
        EXPECT_EQ(keyring.secrets.value("PasswordV"), keyringAnswers ? "velora secret" : "");

        SettingsRecord edited = first;
        edited.textures.password = "texture secret";
        edited.veloras.password.clear();
        StoreSettingsRecord(File(), edited, keyring);
        EXPECT_EQ(FileText().contains("texture secret"), !keyringAnswers);
        EXPECT_FALSE(keyring.secrets.contains("PasswordV"));

        const SettingsRecord again = LoadSettingsRecord(File(), "/base", keyring);
        EXPECT_EQ(again.templates.password, "templates secret");
        EXPECT_EQ(again.textures.password, "texture secret");
        EXPECT_TRUE(again.veloras.password.isEmpty());
        EXPECT_EQ(again.templates.address, "ftp.example.org");
    }
}

// A password written to the file while no keyring answered is newer than
// the keyring's copy, and replaces it once the keyring is back.
TEST_F(PasswordStoreTest, APasswordInTheFileIsNewerThanTheKeyrings) {
    FakeKeyring keyring(true);
    keyring.secrets.insert("PasswordT", "old");
    File().setValue("PasswordT", "new");
    EXPECT_EQ(LoadSettingsRecord(File(), "/base", keyring).textures.password, "new");
    EXPECT_EQ(keyring.secrets.value("PasswordT"), "new");
    EXPECT_FALSE(File().contains("PasswordT"));
}

// The desktop's keyring where none answers: the calls say so at once, and
// the passwords stay in the file.
TEST(KeyringStoreTest, WithoutAKeyringNothingIsTakenAndTheCallsReturn) {
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/velora-test-bus");
    // The keyring's answers come through an event loop.
    char name[] = "exchange_tests";
    char* argv[] = {name, nullptr};
    int argc = 1;
    std::unique_ptr<QCoreApplication> application;
    if (!QCoreApplication::instance()) application = std::make_unique<QCoreApplication>(argc, argv);
    KeyringStore keyring("Velora keyring test");
    QString secret = "unchanged";
    EXPECT_EQ(keyring.Read("Password", secret), ISecretStore::Answer::Unavailable);
    EXPECT_EQ(secret, "unchanged");
    EXPECT_FALSE(keyring.Write("Password", "x"));

    QTemporaryDir dir;
    QSettings file(dir.filePath("settings.ini"), QSettings::IniFormat);
    file.setValue("PasswordT", "kept");
    EXPECT_EQ(LoadSettingsRecord(file, "/base", keyring).textures.password, "kept");
    EXPECT_EQ(file.value("PasswordT").toString(), "kept");
}

}  // namespace
}  // namespace velora
