#pragma once

#include <QImage>
#include <QRgb>

#include <vector>

namespace velora {

// An image reduced to a palette of at most maxColors opaque colours by
// libimagequant, with error-diffusion dithering. Holds one byte per pixel;
// the colours are read from the image row by row, never copied whole.
// Throws VeloraError when the quantiser fails.
class PaletteImage {
public:
    PaletteImage(const QImage& image, int maxColors);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // At most maxColors entries, alpha always 255.
    const std::vector<QRgb>& Palette() const { return m_palette; }
    // Width() palette indices.
    const uchar* Row(int y) const { return m_indices.data() + Offset(y); }

private:
    size_t Offset(int y) const { return size_t(y) * size_t(m_width); }

    int m_width;
    int m_height;
    std::vector<QRgb> m_palette;
    std::vector<uchar> m_indices;
};

}  // namespace velora
