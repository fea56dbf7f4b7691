#include "core/model/pixel_target.h"

#include <array>
#include <cstring>

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

uint16_t To565(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<uint16_t>(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (b >> 3));
}

// Writes n pixels of one colour.
void FillSpan(uchar* row, QImage::Format format, int x, int n, QRgb color) {
    const uint8_t r = qRed(color), g = qGreen(color), b = qBlue(color);
    switch (format) {
        case QImage::Format_RGB16: {
            auto* p = reinterpret_cast<uint16_t*>(row) + x;
            std::fill_n(p, n, To565(r, g, b));
            break;
        }
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

// Copies n pixels from a 24-bit source row.
void CopySpan(uchar* row, QImage::Format format, int x, int n, const uchar* source) {
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
    m_image = image;
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
        FillSpan(m_image->scanLine(y + m_offset.y()), m_image->format(), rect.left() + m_offset.x(),
                 rect.width(), color);
    }
}

void PixelTarget::DrawMask(const MonoBitmap& mask) {
    if (!IsDirect() || m_image->format() != QImage::Format_RGB16) {
        m_painter.drawImage(0, 0, mask.ToImage());
        return;
    }
    const QRect area = QRect(0, 0, mask.Width(), mask.Height()) & m_bounds;
    if (area.isEmpty()) return;
    const auto& lut = MaskLut565();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uint8_t* bits = mask.Row(y);
        auto* row = reinterpret_cast<uint16_t*>(m_image->scanLine(y + m_offset.y())) + m_offset.x();
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
    rect &= m_bounds;
    rect &= source.rect().translated(sourceOrigin);
    if (rect.isEmpty()) return;
    const int sourceX = rect.left() - sourceOrigin.x();
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const uchar* sourceRow = source.constScanLine(y - sourceOrigin.y()) + 3 * sourceX;
        CopySpan(m_image->scanLine(y + m_offset.y()), m_image->format(), rect.left() + m_offset.x(),
                 rect.width(), sourceRow);
    }
}

}  // namespace velora
