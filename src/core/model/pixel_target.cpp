// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/pixel_target.h"

#include "core/model/rgb565.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>

namespace velora {

namespace {
bool IsDirectFormat(QImage::Format format) {
    switch (format) {
        case QImage::Format_RGB16:
        case QImage::Format_RGB888:
        case QImage::Format_RGB32:
        case QImage::Format_ARGB32:
        case QImage::Format_ARGB32_Premultiplied:
            return true;
        default:
            return false;
    }
}

// Writes n 16-bit pixels of one value, four at a time where the row allows:
// backgrounds cover whole pictures, and a store per pixel makes their fill
// cost depend on where the compiler happens to place the loop.
void FillPixels16(uint16_t* p, int n, uint16_t pixel) {
    int i = 0;
    for (; i < n && reinterpret_cast<uintptr_t>(p + i) % 8 != 0; ++i) p[i] = pixel;
    const uint64_t four = pixel * 0x0001000100010001ull;
    for (; i + 4 <= n; i += 4) std::memcpy(p + i, &four, sizeof four);
    for (; i < n; ++i) p[i] = pixel;
}

// Writes n pixels of one colour.
void FillSpan(uchar* row, QImage::Format format, int x, int n, QRgb color) {
    const uint8_t r = qRed(color), g = qGreen(color), b = qBlue(color);
    switch (format) {
        case QImage::Format_RGB16:
            FillPixels16(reinterpret_cast<uint16_t*>(row) + x, n, To565(r, g, b));
            break;
        case QImage::Format_RGB888: {
            uchar* p = row + 3 * x;
            for (int i = 0; i < n; ++i, p += 3) {
                p[0] = r;
                p[1] = g;
                p[2] = b;
            }
            break;
        }
        default:
            std::fill_n(reinterpret_cast<QRgb*>(row) + x, n, color | 0xFF000000u);
            break;
    }
}

uint16_t Pixel565(const uchar* source) {
    uint16_t value;
    std::memcpy(&value, source, 2);
    return value;
}

// Copies n pixels from a 24-bit (RGB888) source row.
void CopySpanFrom888(uchar* row, QImage::Format format, int x, int n, const uchar* source) {
    switch (format) {
        case QImage::Format_RGB16: {
            auto* p = reinterpret_cast<uint16_t*>(row) + x;
            for (int i = 0; i < n; ++i, source += 3) p[i] = To565(source[0], source[1], source[2]);
            break;
        }
        case QImage::Format_RGB888:
            std::memcpy(row + 3 * x, source, static_cast<size_t>(n) * 3);
            break;
        default: {
            auto* p = reinterpret_cast<QRgb*>(row) + x;
            for (int i = 0; i < n; ++i, source += 3) p[i] = qRgb(source[0], source[1], source[2]);
            break;
        }
    }
}

// Copies n pixels from a 16-bit (RGB16) source row.
void CopySpanFrom565(uchar* row, QImage::Format format, int x, int n, const uchar* source) {
    switch (format) {
        case QImage::Format_RGB16:
            std::memcpy(row + 2 * x, source, static_cast<size_t>(n) * 2);
            break;
        case QImage::Format_RGB888: {
            uchar* p = row + 3 * x;
            for (int i = 0; i < n; ++i, source += 2, p += 3) {
                const QRgb rgb = RgbFrom565(Pixel565(source));
                p[0] = qRed(rgb);
                p[1] = qGreen(rgb);
                p[2] = qBlue(rgb);
            }
            break;
        }
        default: {
            auto* p = reinterpret_cast<QRgb*>(row) + x;
            for (int i = 0; i < n; ++i, source += 2) p[i] = RgbFrom565(Pixel565(source));
            break;
        }
    }
}

// value * (255 - alpha) / 255, rounded as the painter rounds.
uint8_t Darken(uint8_t value, uint8_t alpha) {
    const uint32_t t = value * (255u - alpha) + 0x80;
    return static_cast<uint8_t>((t + (t >> 8)) >> 8);
}

// Darkened 5 and 6-bit channel values for every coverage, so that darkening
// a 16-bit pixel is three lookups.
struct Darken565Tables {
    uint8_t five[256][32];
    uint8_t six[256][64];
};

const Darken565Tables& Tables565() {
    static const auto tables = [] {
        auto t = std::make_unique<Darken565Tables>();
        for (int alpha = 0; alpha < 256; ++alpha) {
            for (int v = 0; v < 32; ++v) {
                t->five[alpha][v] = Darken(Widen5(v), static_cast<uint8_t>(alpha)) >> 3;
            }
            for (int v = 0; v < 64; ++v) {
                t->six[alpha][v] = Darken(Widen6(v), static_cast<uint8_t>(alpha)) >> 2;
            }
        }
        return t;
    }();
    return *tables;
}

void DarkenPixels(uint16_t* pixels, const uint8_t* coverage, int n) {
    const Darken565Tables& tables = Tables565();
    for (int i = 0; i < n; ++i) {
        const uint8_t alpha = coverage[i];
        const uint16_t v = pixels[i];
        pixels[i] = static_cast<uint16_t>((tables.five[alpha][v >> 11] << 11) |
                                          (tables.six[alpha][(v >> 5) & 0x3F] << 5) |
                                          tables.five[alpha][v & 0x1F]);
    }
}

void DarkenPixels(QRgb* pixels, const uint8_t* coverage, int n) {
    for (int i = 0; i < n; ++i) {
        const uint8_t alpha = coverage[i];
        pixels[i] = qRgb(Darken(qRed(pixels[i]), alpha), Darken(qGreen(pixels[i]), alpha),
                         Darken(qBlue(pixels[i]), alpha));
    }
}

void DarkenBytes(uchar* bytes, const uint8_t* coverage, int n) {
    for (int i = 0; i < n; ++i, bytes += 3) {
        for (int c = 0; c < 3; ++c) bytes[c] = Darken(bytes[c], coverage[i]);
    }
}

// Eight 16-bit pixels for every mask byte: black for 0 bits, white for 1.
const std::array<std::array<uint16_t, 8>, 256>& MaskLut565() {
    static const auto lut = [] {
        std::array<std::array<uint16_t, 8>, 256> table{};
        for (int byte = 0; byte < 256; ++byte) {
            for (int bit = 0; bit < 8; ++bit) {
                table[byte][bit] = (byte & (0x80 >> bit)) ? 0xFFFF : 0x0000;
            }
        }
        return table;
    }();
    return lut;
}
}  // namespace

PixelTarget::PixelTarget(QPainter& painter) : m_painter(painter) {
    QPaintDevice* device = painter.device();
    if (!device || device->devType() != QInternal::Image || painter.hasClipping()) return;
    const QTransform transform = painter.transform();
    if (transform.type() > QTransform::TxTranslate) return;
    if (transform.dx() != static_cast<int>(transform.dx()) ||
        transform.dy() != static_cast<int>(transform.dy())) {
        return;
    }
    auto* image = static_cast<QImage*>(device);
    if (!IsDirectFormat(image->format())) return;
    m_bits = image->bits();
    m_stride = image->bytesPerLine();
    m_format = image->format();
    m_offset = QPoint(static_cast<int>(transform.dx()), static_cast<int>(transform.dy()));
    m_bounds = image->rect().translated(-m_offset);
}

void PixelTarget::FillRect(const QRect& rect, QRgb color) {
    if (IsDirect()) {
        FillRectDirect(rect, color);
    } else {
        m_painter.fillRect(rect, QColor::fromRgba(color));
    }
}

void PixelTarget::FillRegion(const QRegion& region, QRgb color) {
    for (const QRect& rect : region) FillRect(rect, color);
}

void PixelTarget::FillRectDirect(QRect rect, QRgb color) {
    rect &= m_bounds;
    if (rect.isEmpty()) return;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        FillSpan(Row(y), m_format, rect.left() + m_offset.x(), rect.width(), color);
    }
}

PixelTarget PixelTarget::Band(const QRect& part) const {
    PixelTarget band(*this);
    band.m_bounds &= part;
    return band;
}

void PixelTarget::DrawMask(const MonoBitmap& mask) {
    if (!IsDirect()) {
        m_painter.drawImage(0, 0, mask.ToImage());
        return;
    }
    const QRect area = QRect(0, 0, mask.Width(), mask.Height()) & m_bounds;
    if (area.isEmpty()) return;
    if (m_format != QImage::Format_RGB16) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                FillSpan(Row(y), m_format, x + m_offset.x(), 1,
                         mask.Pixel(x, y) ? 0xFFFFFFFFu : 0xFF000000u);
            }
        }
        return;
    }
    const auto& lut = MaskLut565();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uint8_t* bits = mask.Row(y);
        auto* row = reinterpret_cast<uint16_t*>(Row(y)) + m_offset.x();
        int x = area.left();
        for (; x <= area.right() && (x & 7); ++x) row[x] = lut[bits[x >> 3]][x & 7];
        for (; x + 7 <= area.right(); x += 8) std::memcpy(row + x, lut[bits[x >> 3]].data(), 16);
        for (; x <= area.right(); ++x) row[x] = lut[bits[x >> 3]][x & 7];
    }
}

void PixelTarget::CopyRegion(const QRegion& region, const QImage& source, QPoint sourceOrigin) {
    if (!IsDirect()) {
        m_painter.save();
        m_painter.setClipRegion(region, Qt::ReplaceClip);
        m_painter.drawImage(sourceOrigin, source);
        m_painter.restore();
        return;
    }
    for (const QRect& rect : region) CopyRectDirect(rect, source, sourceOrigin);
}

void PixelTarget::CopyRectDirect(QRect rect, const QImage& source, QPoint sourceOrigin) {
    if (source.format() != QImage::Format_RGB16 && source.format() != QImage::Format_RGB888) {
        return;  // tiles are made in one of these two formats
    }
    rect &= m_bounds;
    rect &= source.rect().translated(sourceOrigin);
    if (rect.isEmpty()) return;
    const bool from565 = source.format() == QImage::Format_RGB16;
    const int bytesPerPixel = from565 ? 2 : 3;
    const qsizetype sourceStride = source.bytesPerLine();
    const uchar* sourceRow = source.constBits() + (rect.top() - sourceOrigin.y()) * sourceStride +
                             bytesPerPixel * (rect.left() - sourceOrigin.x());
    for (int y = rect.top(); y <= rect.bottom(); ++y, sourceRow += sourceStride) {
        CopySpan(y, rect.left(), rect.width(), sourceRow, from565);
    }
}

void PixelTarget::CopySpan(int y, int x, int n, const uchar* source, bool from565) {
    if (from565) {
        CopySpanFrom565(Row(y), m_format, x + m_offset.x(), n, source);
    } else {
        CopySpanFrom888(Row(y), m_format, x + m_offset.x(), n, source);
    }
}

void PixelTarget::TileRegion(const QRegion& region, const QImage& tile, QPoint origin,
                             const QRect& clip) {
    if (tile.format() != QImage::Format_RGB16 && tile.format() != QImage::Format_RGB888) return;
    if (!IsDirect() || tile.isNull()) return;
    const bool from565 = tile.format() == QImage::Format_RGB16;
    const int bytesPerPixel = from565 ? 2 : 3;
    const int width = tile.width();
    const int height = tile.height();
    const auto wrap = [](int value, int size) { return (value % size + size) % size; };
    const QRect limit = m_bounds & clip;
    for (QRect rect : region) {
        rect &= limit;
        if (rect.isEmpty()) continue;
        const int firstColumn = wrap(rect.left() - origin.x(), width);
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            const uchar* source = tile.constScanLine(wrap(y - origin.y(), height));
            // The first piece starts inside the tile; the others at its left.
            int n = std::min(width - firstColumn, rect.width());
            CopySpan(y, rect.left(), n, source + firstColumn * bytesPerPixel, from565);
            for (int x = rect.left() + n; x <= rect.right(); x += n) {
                n = std::min(width, rect.right() + 1 - x);
                CopySpan(y, x, n, source, from565);
            }
        }
    }
}

void PixelTarget::DarkenSpan(int y, int x, const uint8_t* coverage, int n) {
    if (y < m_bounds.top() || y > m_bounds.bottom()) return;
    const int first = std::max(x, m_bounds.left());
    const int last = std::min(x + n - 1, m_bounds.right());
    if (first > last) return;
    coverage += first - x;
    const int count = last - first + 1;
    const int at = first + m_offset.x();
    uchar* row = Row(y);
    switch (m_format) {
        case QImage::Format_RGB16:
            DarkenPixels(reinterpret_cast<uint16_t*>(row) + at, coverage, count);
            break;
        case QImage::Format_RGB888:
            DarkenBytes(row + 3 * at, coverage, count);
            break;
        default:
            DarkenPixels(reinterpret_cast<QRgb*>(row) + at, coverage, count);
            break;
    }
}

QImage PixelTarget::CopyOut() const {
    if (!IsDirect() || m_format != QImage::Format_RGB16 || m_bounds.isEmpty()) return {};
    QImage picture(m_bounds.size(), QImage::Format_RGB16);
    if (picture.isNull()) return {};
    const size_t rowBytes = static_cast<size_t>(m_bounds.width()) * 2;
    for (int y = 0; y < m_bounds.height(); ++y) {
        std::memcpy(picture.scanLine(y),
                    Row(m_bounds.top() + y) + 2 * (m_bounds.left() + m_offset.x()), rowBytes);
    }
    return picture;
}

bool PixelTarget::CopyIn(const QImage& picture) {
    if (!IsDirect() || m_format != QImage::Format_RGB16 ||
        picture.format() != QImage::Format_RGB16 || picture.size() != m_bounds.size()) {
        return false;
    }
    const size_t rowBytes = static_cast<size_t>(m_bounds.width()) * 2;
    for (int y = 0; y < m_bounds.height(); ++y) {
        std::memcpy(Row(m_bounds.top() + y) + 2 * (m_bounds.left() + m_offset.x()),
                    picture.constScanLine(y), rowBytes);
    }
    return true;
}

}  // namespace velora
