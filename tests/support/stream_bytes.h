// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A writer and a reader of archive bytes written for the tests alone, from
// the layout rather than from the program's archive classes, so that the two
// check each other.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace velora::test {

class Bytes {
public:
    Bytes& U8(uint32_t v) {
        m_data.append(static_cast<char>(v & 0xFF));
        return *this;
    }
    Bytes& U16(uint32_t v) { return U8(v).U8(v >> 8); }
    Bytes& U32(uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
    Bytes& I32(int32_t v) { return U32(static_cast<uint32_t>(v)); }
    Bytes& F32(float v) {
        uint32_t bits;
        std::memcpy(&bits, &v, 4);
        return U32(bits);
    }
    Bytes& Raw(const QByteArray& bytes) {
        m_data.append(bytes);
        return *this;
    }
    Bytes& Raw(const char* text) { return Raw(QByteArray(text)); }
    // A single-byte string in its shortest length form.
    Bytes& Str(const QByteArray& text) {
        const auto n = static_cast<uint32_t>(text.size());
        if (n < 255) {
            U8(n);
        } else if (n < 0xFFFE) {
            U8(0xFF).U16(n);
        } else {
            U8(0xFF).U16(0xFFFF).U32(n);
        }
        return Raw(text);
    }
    // The Unicode-marked form with a one-byte length.
    Bytes& WideStr(const QString& text) {
        U8(0xFF).U16(0xFFFE).U8(static_cast<uint32_t>(text.size()));
        for (QChar c : text) U16(c.unicode());
        return *this;
    }
    // A BITMAP header of a one-bit bitmap and its bits.
    Bytes& Mask(int width, int height, int widthBytes, const QByteArray& bits, int planes = 1,
                int bitsPixel = 1) {
        I32(0).I32(width).I32(height).I32(widthBytes).U16(planes).U16(bitsPixel).U32(0);
        return Raw(bits);
    }
    // Region data: the 32-byte header and the rectangles (l, t, r, b).
    Bytes& RegionData(const std::vector<std::vector<int>>& rects) {
        int l = 0, t = 0, r = 0, b = 0;
        for (size_t i = 0; i < rects.size(); ++i) {
            if (i == 0 || rects[i][0] < l) l = rects[i][0];
            if (i == 0 || rects[i][1] < t) t = rects[i][1];
            if (i == 0 || rects[i][2] > r) r = rects[i][2];
            if (i == 0 || rects[i][3] > b) b = rects[i][3];
        }
        U32(32 + 16 * static_cast<uint32_t>(rects.size()));
        U32(32).U32(1).U32(static_cast<uint32_t>(rects.size()));
        U32(16 * static_cast<uint32_t>(rects.size()));
        I32(l).I32(t).I32(r).I32(b);
        for (const auto& rect : rects) I32(rect[0]).I32(rect[1]).I32(rect[2]).I32(rect[3]);
        return *this;
    }
    const QByteArray& Data() const { return m_data; }
    operator const QByteArray&() const { return m_data; }

private:
    QByteArray m_data;
};

class Parse {
public:
    explicit Parse(QByteArray data) : m_data(std::move(data)) {}
    uint32_t U8() { return static_cast<uint8_t>(Take(1)[0]); }
    uint32_t U16() { return U8() | (U8() << 8); }
    uint32_t U32() { return U16() | (U16() << 16); }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    float F32() {
        const uint32_t bits = U32();
        float v;
        std::memcpy(&v, &bits, 4);
        return v;
    }
    QByteArray Raw(qsizetype n) { return Take(n); }
    // Either string form, as text.
    QString Str() {
        uint32_t n = U8();
        bool wide = false;
        if (n == 0xFF) {
            n = U16();
            if (n == 0xFFFE) {
                wide = true;
                n = U8();
                if (n == 0xFF) n = U16();
            }
            if (n == 0xFFFF) n = U32();
        }
        if (!wide) return QString::fromLatin1(Take(n));
        QString text;
        for (uint32_t i = 0; i < n; ++i) text.append(QChar(static_cast<char16_t>(U16())));
        return text;
    }
    qsizetype Left() const { return m_data.size() - m_at; }
    qsizetype At() const { return m_at; }

private:
    QByteArray Take(qsizetype n) {
        if (n < 0 || n > Left()) throw std::out_of_range("test parse ran past the end");
        QByteArray bytes = m_data.mid(m_at, n);
        m_at += n;
        return bytes;
    }
    QByteArray m_data;
    qsizetype m_at = 0;
};

// Adler-32 as its definition gives it.
inline uint32_t ReferenceAdler32(const QByteArray& data) {
    uint32_t a = 1, b = 0;
    for (char c : data) {
        a = (a + static_cast<uint8_t>(c)) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

}  // namespace velora::test
