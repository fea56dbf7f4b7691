// SPDX-License-Identifier: GPL-3.0-or-later
// For targets whose renderers draw text, which needs the fonts of a
// QGuiApplication; the offscreen platform needs no display.
#pragma once

#include <QGuiApplication>

#include <memory>

namespace velora::fuzz {

inline void StartGuiApplication() {
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static const auto app = std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace velora::fuzz

// Poppler, fontconfig and Qt's font database keep caches for the life of the
// process, which the leak checker would report after every run.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libpoppler\nleak:libfontconfig\nleak:libfreetype\nleak:libQt6Gui\n"
           "leak:libQt6Core\nleak:libQt6Svg\n";
}
