// SPDX-License-Identifier: GPL-3.0-or-later
// For targets whose renderers paint into the recording paint device. They
// may draw text, which needs the fonts of a QGuiApplication; the offscreen
// platform needs no display.
#pragma once

#include "core/import/recording_paint_device.h"

#include <QGuiApplication>

#include <cmath>
#include <memory>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static const auto app = std::make_unique<QGuiApplication>(argc, argv);
    return 0;
}

// Poppler, fontconfig and Qt's font database keep caches for the life of the
// process, which the leak checker would report after every run.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libpoppler\nleak:libfontconfig\nleak:libfreetype\nleak:libQt6Gui\n"
           "leak:libQt6Core\nleak:libQt6Svg\n";
}

namespace velora::fuzz {

// No more points than the recording keeps, and every point finite.
inline bool FiguresAreSound(const RecordedFigures& figures) {
    if (figures.points > RecordingPaintDevice::kMaxPoints) return false;
    for (const Path& path : figures.paths) {
        for (PointF p : path.Points()) {
            if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
        }
    }
    return true;
}

}  // namespace velora::fuzz
