// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/settings_record.h"
#include "core/exchange/ftp_connection.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace velora {

// The libraries in the order every transfer walks them.
inline constexpr std::array<ProfileKind, 3> kExchangeProfiles = {
    ProfileKind::Templates, ProfileKind::Textures, ProfileKind::Veloras};

// "templates", "textures" or "veloras".
QString ProfileName(ProfileKind kind);
std::optional<ProfileKind> ProfileFromName(const QString& name);

// The local library a profile exchanges.
QString LibraryFolder(const LibraryFolders& folders, ProfileKind kind);

// The profiles that have a server address, in transfer order: the others
// are not set up, and a transfer for them could only fail.
std::vector<ProfileKind> ProfilesWithServer(const SettingsRecord& record);

// The server of a profile, through the stored proxy when "Use proxy" is set.
FtpServer ServerOf(const SettingsRecord& record, ProfileKind kind);

// Logs the connection in; a failure says so first, then names the server
// and libcurl's reason on a second line.
void ConnectOrExplain(FtpConnection& connection, const QString& address);

}  // namespace velora
