// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace velora {

enum class LockKey { CapsLock, NumLock, ScrollLock };

// Whether the keyboard's lock is on, as its indicator light shows it; nullopt
// where the window system does not tell.
std::optional<bool> IsLockOn(LockKey key);

}  // namespace velora
