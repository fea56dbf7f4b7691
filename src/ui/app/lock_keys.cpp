// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/lock_keys.h"

#include <QGuiApplication>

#ifdef VELORA_HAVE_X11
#include <X11/XKBlib.h>
#endif

namespace velora {

std::optional<bool> IsLockOn(LockKey key) {
#ifdef VELORA_HAVE_X11
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return std::nullopt;
    const char* name = key == LockKey::CapsLock  ? "Caps Lock"
                       : key == LockKey::NumLock ? "Num Lock"
                                                 : "Scroll Lock";
    const Atom indicator = XInternAtom(display, name, True);
    Bool on = False;
    if (indicator == None ||
        !XkbGetNamedIndicator(display, indicator, nullptr, &on, nullptr, nullptr)) {
        return std::nullopt;
    }
    return on == True;
#else
    (void)key;
    return std::nullopt;
#endif
}

}  // namespace velora
