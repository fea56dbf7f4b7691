// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exchange/exchange_profiles.h"

#include <QCoreApplication>

namespace velora {

QString ProfileName(ProfileKind kind) {
    switch (kind) {
        case ProfileKind::Textures:
            return QStringLiteral("textures");
        case ProfileKind::Veloras:
            return QStringLiteral("veloras");
        case ProfileKind::Templates:
            break;
    }
    return QStringLiteral("templates");
}

std::optional<ProfileKind> ProfileFromName(const QString& name) {
    for (ProfileKind kind : kExchangeProfiles) {
        if (ProfileName(kind) == name) return kind;
    }
    return std::nullopt;
}

QString LibraryFolder(const LibraryFolders& folders, ProfileKind kind) {
    switch (kind) {
        case ProfileKind::Textures:
            return folders.textures;
        case ProfileKind::Veloras:
            return folders.veloras;
        case ProfileKind::Templates:
            break;
    }
    return folders.templates;
}

std::vector<ProfileKind> ProfilesWithServer(const SettingsRecord& record) {
    std::vector<ProfileKind> kinds;
    for (ProfileKind kind : kExchangeProfiles) {
        if (!record.Profile(kind).address.trimmed().isEmpty()) kinds.push_back(kind);
    }
    return kinds;
}

FtpServer ServerOf(const SettingsRecord& record, ProfileKind kind) {
    const ServerProfile& profile = record.Profile(kind);
    FtpServer server{profile.address, profile.port,   profile.login, profile.password,
                     std::nullopt,    profile.useTls, profile.caFile};
    if (record.useProxy) server.proxy = FtpProxy{record.proxyAddress, record.proxyPort};
    return server;
}

void ConnectOrExplain(FtpConnection& connection, const QString& address) {
    try {
        connection.Connect();
    } catch (const FtpError& error) {
        throw FtpError(
            QCoreApplication::translate("velora", "Can't establish connection!") + '\n' + address,
            error.Reason(), true);
    }
}

}  // namespace velora
