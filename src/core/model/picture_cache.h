// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include <cstdint>

namespace velora {

class PixelTarget;

// The last picture rendered into a 16-bit target, with the fingerprint of
// everything it was drawn from. A view repaints the whole model on every
// paint; while nothing it shows has changed, the repaint is one copy of the
// kept picture.
class PictureCache {
public:
    // Copies the kept picture into the target when it was drawn from the same
    // inputs over the same area; false otherwise.
    bool Restore(PixelTarget& target, uint64_t fingerprint) const;
    void Store(const PixelTarget& target, uint64_t fingerprint);

private:
    QImage m_picture;
    QRect m_area;
    uint64_t m_fingerprint = 0;
};

}  // namespace velora
