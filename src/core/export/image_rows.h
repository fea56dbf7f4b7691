// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace velora {

// The rows of an image in one byte layout (Format_RGB888 or
// Format_RGBA8888). An image already in that layout is read in place; any
// other is converted a band of rows at a time, so that saving never makes a
// second full-size copy of the picture. Bands start at multiples of the band
// height, so reading upwards costs no more than reading downwards.
class ImageRows {
public:
    ImageRows(const QImage& image, QImage::Format format);
    ImageRows(const ImageRows&) = delete;
    ImageRows& operator=(const ImageRows&) = delete;

    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    // Valid until the next call.
    const uchar* Row(int y);

private:
    const QImage& m_image;
    QImage::Format m_format;
    QImage m_band;
    int m_bandTop = -1;
};

}  // namespace velora
