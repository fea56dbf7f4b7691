// SPDX-License-Identifier: GPL-3.0-or-later
// Region data as stored in template files: any bytes either give a region in
// the banded form or a FormatError, within bounded time and memory.
#include "core/common/errors.h"
#include "core/geometry/region_data.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const QRegion region = velora::RegionFromRgnData({data, size});
        // What was read writes back to data that reads as the same region.
        const QByteArray written = velora::RgnDataFromRegion(region);
        const QRegion again =
            velora::RegionFromRgnData({reinterpret_cast<const uint8_t*>(written.constData()),
                                       static_cast<size_t>(written.size())});
        if (again != region || velora::RgnDataFromRegion(again) != written) std::abort();
    } catch (const velora::FormatError&) {
    }
    return 0;
}
