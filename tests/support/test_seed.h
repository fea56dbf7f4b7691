// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <cstdint>
#include <random>

namespace velora::test {

// Random per run so that every run tries new cases; VELORA_TEST_SEED repeats
// a failed run.
inline uint32_t TestSeed() {
    bool given = false;
    const uint32_t seed = qEnvironmentVariable("VELORA_TEST_SEED").toUInt(&given);
    return given ? seed : std::random_device{}();
}

}  // namespace velora::test
