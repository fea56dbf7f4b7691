// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/library_folders.h"

#include <QString>

class QSettings;

namespace velora {

// One FTP server profile: where a library is exchanged. A port of 0 lets the
// transfer use the protocol's default port.
struct ServerProfile {
    QString address;
    QString login;
    QString password;
    QString folder;
    int port = 0;
    // Explicit FTPS; off in profiles stored before it existed.
    bool useTls = false;
    // The certificates of a private server's authority; empty: the system's.
    QString caFile{};
    // Where the password rests: in the desktop's keyring rather than in the
    // settings file. Not stored itself.
    bool passwordInKeyring = false;

    bool operator==(const ServerProfile&) const = default;
};

// The three libraries that have a server profile, in the order the transfers
// walk them.
enum class ProfileKind { Templates, Textures, Veloras };

// Everything the program keeps between runs, apart from the size dialog's
// last size and the recent-file list: three server profiles, the proxy and
// the library folders. Read once at start-up, edited in place by the dialogs
// and written back at exit.
struct SettingsRecord {
    ServerProfile templates;
    ServerProfile textures;
    ServerProfile veloras;
    bool useProxy = false;
    QString proxyAddress;
    int proxyPort = 0;
    LibraryFolders folders;
    // The current folder at start-up; the default libraries live below it.
    QString baseFolder;

    ServerProfile& Profile(ProfileKind kind);
    const ServerProfile& Profile(ProfileKind kind) const;
};

// The stored name of a profile's value: "Password", "PasswordT" or
// "PasswordV" for the name "Password".
QString ProfileSettingName(const char* name, ProfileKind kind);

// Reads every value under its stored name (Address, LoginT, ProxyPort,
// TemplatesFolder, ...); missing values are empty or 0 and missing folders
// default below the base folder.
SettingsRecord ReadSettingsRecord(QSettings& settings, const QString& baseFolder);
// Writes every value back and keeps the file readable by its owner only,
// since a server password that no keyring keeps is stored in it as plain
// text. A password kept in the keyring is removed from the file.
void WriteSettingsRecord(QSettings& settings, const SettingsRecord& record);
// Makes the settings file readable and writable by its owner only.
void RestrictSettingsFile(QSettings& settings);

}  // namespace velora
