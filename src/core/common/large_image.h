// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>

#include <cstddef>

namespace velora {

// An uninitialised image for pictures of many megabytes that are written
// once, whole: its memory is asked of the system in huge pages where the
// system offers them on request, so filling it takes a few hundred page
// faults instead of thousands. Small images, and systems without huge pages,
// get an ordinary QImage. Null when the memory cannot be had.
QImage MakeLargeImage(QSize size, QImage::Format format);

// Asks for the whole huge pages inside a buffer not yet written (a fresh
// buffer of many megabytes, which the allocator maps on its own) to come as
// huge pages, so filling it takes few page faults. Advice only.
void AdviseHugePages(void* buffer, size_t bytes);

}  // namespace velora
