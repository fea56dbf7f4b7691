// SPDX-License-Identifier: GPL-3.0-or-later
// Container bytes of any kind: the header facts and the unpacked stream,
// with no password and with one.

#include "core/archive/protected_archive.h"
#include "core/common/errors.h"
#include "core/common/user_interface.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace velora;
    const std::span<const uint8_t> file(data, size);
    NullUserInterface nobody;
    for (const QByteArray& password : {QByteArray(), QByteArray("pw")}) {
        try {
            const ContainerInfo info = CProtectedArchive::Inspect(file, password);
            const QByteArray stream = CProtectedArchive::Unpack(file, password, nobody);
            if (info.magic && static_cast<uint32_t>(stream.size()) != info.streamLength)
                __builtin_trap();
            // What was unpacked packs and unpacks to itself.
            const QByteArray again = CProtectedArchive::Pack(AsBytes(stream), password);
            if (CProtectedArchive::Unpack(AsBytes(again), password, nobody) != stream)
                __builtin_trap();
        } catch (const VeloraError&) {
        }
    }
    return 0;
}
