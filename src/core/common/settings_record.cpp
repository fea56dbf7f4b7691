// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/settings_record.h"

#include <QFile>
#include <QSettings>

namespace velora {

namespace {
// The stored names of a profile carry a suffix per library: none for the
// templates, "T" for the textures and "V" for the veloras.
const char* ProfileSuffix(ProfileKind kind) {
    switch (kind) {
        case ProfileKind::Templates:
            return "";
        case ProfileKind::Textures:
            return "T";
        case ProfileKind::Veloras:
            return "V";
    }
    return "";
}

constexpr ProfileKind kAllProfiles[] = {ProfileKind::Templates, ProfileKind::Textures,
                                        ProfileKind::Veloras};

QString Key(const char* name, ProfileKind kind) { return ProfileSettingName(name, kind); }

void ReadProfile(QSettings& settings, ProfileKind kind, ServerProfile& profile) {
    profile.address = settings.value(Key("Address", kind)).toString();
    profile.folder = settings.value(Key("Folder", kind)).toString();
    profile.login = settings.value(Key("Login", kind)).toString();
    profile.password = settings.value(Key("Password", kind)).toString();
    profile.port = settings.value(Key("Port", kind), 0).toInt();
    profile.useTls = settings.value(Key("UseTls", kind), 0).toInt() != 0;
    profile.caFile = settings.value(Key("CaFile", kind)).toString();
}

void WriteProfile(QSettings& settings, ProfileKind kind, const ServerProfile& profile) {
    settings.setValue(Key("Address", kind), profile.address);
    settings.setValue(Key("Folder", kind), profile.folder);
    settings.setValue(Key("Login", kind), profile.login);
    if (profile.passwordInKeyring)
        settings.remove(Key("Password", kind));
    else
        settings.setValue(Key("Password", kind), profile.password);
    settings.setValue(Key("Port", kind), profile.port);
    settings.setValue(Key("UseTls", kind), profile.useTls ? 1 : 0);
    settings.setValue(Key("CaFile", kind), profile.caFile);
}
}  // namespace

QString ProfileSettingName(const char* name, ProfileKind kind) {
    return QString::fromLatin1(name) + QString::fromLatin1(ProfileSuffix(kind));
}

ServerProfile& SettingsRecord::Profile(ProfileKind kind) {
    switch (kind) {
        case ProfileKind::Textures:
            return textures;
        case ProfileKind::Veloras:
            return veloras;
        case ProfileKind::Templates:
            break;
    }
    return templates;
}

const ServerProfile& SettingsRecord::Profile(ProfileKind kind) const {
    return const_cast<SettingsRecord*>(this)->Profile(kind);
}

SettingsRecord ReadSettingsRecord(QSettings& settings, const QString& baseFolder) {
    SettingsRecord record;
    record.baseFolder = baseFolder;
    for (ProfileKind kind : kAllProfiles) ReadProfile(settings, kind, record.Profile(kind));
    record.proxyAddress = settings.value("ProxyAddress").toString();
    record.proxyPort = settings.value("ProxyPort", 0).toInt();
    record.useProxy = settings.value("UseProxy", 0).toInt() != 0;
    record.folders = ReadLibraryFolders(settings, baseFolder);
    return record;
}

void WriteSettingsRecord(QSettings& settings, const SettingsRecord& record) {
    for (ProfileKind kind : kAllProfiles) WriteProfile(settings, kind, record.Profile(kind));
    settings.setValue("ProxyAddress", record.proxyAddress);
    settings.setValue("ProxyPort", record.proxyPort);
    settings.setValue("UseProxy", record.useProxy ? 1 : 0);
    WriteLibraryFolders(settings, record.folders);
    settings.sync();
    RestrictSettingsFile(settings);
}

void RestrictSettingsFile(QSettings& settings) {
    QFile::setPermissions(settings.fileName(), QFile::ReadOwner | QFile::WriteOwner);
}

}  // namespace velora
