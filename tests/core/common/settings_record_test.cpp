// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/settings_record.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace velora {
namespace {

TEST(SettingsRecordTest, EmptySettingsGiveEmptyProfilesAndDefaultFolders) {
    QTemporaryDir dir;
    QSettings settings(dir.filePath("v.ini"), QSettings::IniFormat);
    const SettingsRecord record = ReadSettingsRecord(settings, "/work");
    EXPECT_EQ(record.templates, ServerProfile{});
    EXPECT_EQ(record.veloras.port, 0);
    EXPECT_FALSE(record.useProxy);
    EXPECT_EQ(record.folders.textures, "/work/textures/");
    EXPECT_EQ(record.baseFolder, "/work");
}

TEST(SettingsRecordTest, ProfilesUseTheirOwnSuffixedNames) {
    QTemporaryDir dir;
    QSettings settings(dir.filePath("v.ini"), QSettings::IniFormat);
    settings.setValue("Address", "ftp.a");
    settings.setValue("LoginT", "tex");
    settings.setValue("PortV", 2121);
    settings.setValue("FolderV", "/veloras");
    settings.setValue("UseProxy", 1);
    settings.setValue("ProxyPort", 3128);
    const SettingsRecord record = ReadSettingsRecord(settings, "/b");
    EXPECT_EQ(record.Profile(ProfileKind::Templates).address, "ftp.a");
    EXPECT_EQ(record.Profile(ProfileKind::Textures).login, "tex");
    EXPECT_TRUE(record.Profile(ProfileKind::Textures).address.isEmpty());
    EXPECT_EQ(record.Profile(ProfileKind::Veloras).port, 2121);
    EXPECT_EQ(record.Profile(ProfileKind::Veloras).folder, "/veloras");
    EXPECT_TRUE(record.useProxy);
    EXPECT_EQ(record.proxyPort, 3128);
}

TEST(SettingsRecordTest, WrittenRecordReadsBackAndOnlyItsOwnerCanReadTheFile) {
    QTemporaryDir dir;
    const QString file = dir.filePath("v.ini");
    SettingsRecord record;
    record.textures = {"host", "ann", "secret", "/tex", 21};
    record.proxyAddress = "proxy";
    record.useProxy = true;
    record.folders = {"/l/t/", "/l/x/", "/l/v/", "/l/e/"};
    {
        QSettings settings(file, QSettings::IniFormat);
        WriteSettingsRecord(settings, record);
    }
    QSettings again(file, QSettings::IniFormat);
    const SettingsRecord read = ReadSettingsRecord(again, "/other");
    EXPECT_EQ(read.textures, record.textures);
    EXPECT_EQ(read.proxyAddress, "proxy");
    EXPECT_TRUE(read.useProxy);
    EXPECT_EQ(read.folders.veloras, "/l/v/");
    EXPECT_EQ(again.value("PasswordT").toString(), "secret");
    EXPECT_EQ(QFile::permissions(file) & (QFile::ReadGroup | QFile::ReadOther), 0);
}

}  // namespace
}  // namespace velora
