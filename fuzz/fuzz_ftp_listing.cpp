// SPDX-License-Identifier: GPL-3.0-or-later
// A server's answer to LIST: any bytes give entries in bounded time and
// memory, and no entry that the transfers would take could lead outside the
// folder it was listed in.
#include "core/exchange/ftp_listing.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray reply(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const velora::FtpListing listing = velora::ParseFtpListing(reply);
    for (const velora::RemoteEntry& entry : listing.entries) {
        if (!velora::IsSafeRemoteName(entry.name)) std::abort();
        if (!reply.contains(entry.name)) std::abort();
    }
    for (const QByteArray& name : listing.unsafeNames) {
        if (velora::IsSafeRemoteName(name)) std::abort();
    }
    return 0;
}
