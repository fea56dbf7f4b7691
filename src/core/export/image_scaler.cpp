// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/image_scaler.h"

#include "core/common/errors.h"
#include "core/model/rgb565.h"

#include <QCoreApplication>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace velora {

namespace {
// Target pixel i covers source [i * s, (i + 1) * s), s = source / target >= 1.
void AddAreaTaps(AxisFilter& filter, int i, int sourceLength, int targetLength) {
    const double begin = double(i) * sourceLength / targetLength;
    const double end = double(i + 1) * sourceLength / targetLength;
    const double length = end - begin;
    const int j0 = int(std::floor(begin));
    const int j1 = std::min(int(std::ceil(end)), sourceLength);
    filter.first.push_back(j0);
    for (int j = j0; j < j1; ++j) {
        const double covered = std::min(end, j + 1.0) - std::max(begin, double(j));
        filter.weights.push_back(float(std::max(covered, 0.0) / length));
    }
}

// Pixel centres map as (i + 0.5) * s - 0.5; outside the outer centres the
// edge pixel repeats.
void AddLinearTaps(AxisFilter& filter, int i, int sourceLength, int targetLength) {
    const double centre = (i + 0.5) * sourceLength / targetLength - 0.5;
    if (centre <= 0 || centre >= sourceLength - 1) {
        filter.first.push_back(centre <= 0 ? 0 : sourceLength - 1);
        filter.weights.push_back(1.0f);
        return;
    }
    const int j0 = int(std::floor(centre));
    const float fraction = float(centre - j0);
    filter.first.push_back(j0);
    filter.weights.push_back(1.0f - fraction);
    filter.weights.push_back(fraction);
}

// Writes n pixels of a 5-6-5 row with the channels at the given byte
// offsets, widening each channel; a fourth byte is opaque alpha. Pixels go
// in blocks: first widened into whole words, a loop the compiler turns into
// vector instructions, then packed two to an 8-byte store. The last store of
// a block runs two bytes into the next pixel, so a block is only taken while
// a pixel follows it, and that pixel overwrites them.
template <int Red, int Blue, int Bytes>
void Expand565(const quint16* pixels, int n, uchar* out) {
    static_assert(std::endian::native == std::endian::little, "words are stored byte by byte");
    constexpr int kPixelsPerBlock = 64;
    constexpr uint32_t kAlpha = Bytes == 4 ? 0xFF000000u : 0;
    uint32_t words[kPixelsPerBlock];
    int x = 0;
    for (; x + kPixelsPerBlock < n; x += kPixelsPerBlock) {
        for (int i = 0; i < kPixelsPerBlock; ++i) {
            const uint32_t p = pixels[x + i];
            words[i] = uint32_t(Widen5(p >> 11)) << (8 * Red) |
                       uint32_t(Widen6((p >> 5) & 0x3F)) << 8 |
                       uint32_t(Widen5(p & 0x1F)) << (8 * Blue) | kAlpha;
        }
        if constexpr (Bytes == 4) {
            std::memcpy(out, words, sizeof words);
            out += sizeof words;
        } else {
            for (int i = 0; i < kPixelsPerBlock; i += 2, out += 6) {
                const uint64_t pair = uint64_t(words[i]) | uint64_t(words[i + 1]) << 24;
                std::memcpy(out, &pair, sizeof pair);
            }
        }
    }
    for (; x < n; ++x, out += Bytes) {
        const unsigned p = pixels[x];
        out[Red] = Widen5(p >> 11);
        out[1] = Widen6((p >> 5) & 0x3F);
        out[Blue] = Widen5(p & 0x1F);
        if constexpr (Bytes == 4) out[3] = 255;
    }
}

void Expand565(const uchar* row, int n, RowLayout layout, uchar* out) {
    const auto* pixels = reinterpret_cast<const quint16*>(row);
    switch (layout) {
        case RowLayout::Rgb888:
            Expand565<0, 2, 3>(pixels, n, out);
            break;
        case RowLayout::Bgr888:
            Expand565<2, 0, 3>(pixels, n, out);
            break;
        case RowLayout::Rgba8888:
            Expand565<0, 2, 4>(pixels, n, out);
            break;
    }
}

// Turns n RGB888 pixels into the layout, from rgb to out (which may be rgb
// itself for Bgr888 and Rgb888).
void Relayout(const uchar* rgb, int n, RowLayout layout, uchar* out) {
    switch (layout) {
        case RowLayout::Rgb888:
            if (out != rgb) std::memcpy(out, rgb, size_t(n) * 3);
            break;
        case RowLayout::Bgr888:
            for (int x = 0; x < n; ++x, rgb += 3, out += 3) {
                const uchar red = rgb[0];
                out[1] = rgb[1];
                out[0] = rgb[2];
                out[2] = red;
            }
            break;
        case RowLayout::Rgba8888:
            for (int x = 0; x < n; ++x, rgb += 3, out += 4) {
                out[0] = rgb[0];
                out[1] = rgb[1];
                out[2] = rgb[2];
                out[3] = 255;
            }
            break;
    }
}

// Rounds half up into 0..255. Written with plain comparisons in floats so
// the compiler can turn whole blocks of it into vector instructions.
int ToLevel(float value) {
    value += 0.5f;
    value = value < 0.0f ? 0.0f : value;
    value = value > 255.0f ? 255.0f : value;
    return int(value);
}

uchar ToByte(float value) { return uchar(ToLevel(value)); }

// The vertical pass in one sweep per source row: the first tap starts the
// sum, the last one finishes it into bytes. Fixed-width blocks let the
// compiler use vector instructions; the tail goes one by one.
constexpr size_t kBlock = 16;

void StartSum(float* __restrict sum, const float* __restrict line, float weight, size_t n) {
    size_t i = 0;
    for (; i + kBlock <= n; i += kBlock) {
        for (size_t j = 0; j < kBlock; ++j) sum[i + j] = weight * line[i + j];
    }
    for (; i < n; ++i) sum[i] = weight * line[i];
}

void AddToSum(float* __restrict sum, const float* __restrict line, float weight, size_t n) {
    size_t i = 0;
    for (; i + kBlock <= n; i += kBlock) {
        for (size_t j = 0; j < kBlock; ++j) sum[i + j] += weight * line[i + j];
    }
    for (; i < n; ++i) sum[i] += weight * line[i];
}

void FinishSum(const float* __restrict sum, const float* __restrict line, float weight,
               uchar* __restrict out, size_t n) {
    size_t i = 0;
    for (; i + kBlock <= n; i += kBlock) {
        int levels[kBlock];
        for (size_t j = 0; j < kBlock; ++j) levels[j] = ToLevel(sum[i + j] + weight * line[i + j]);
        for (size_t j = 0; j < kBlock; ++j) out[i + j] = uchar(levels[j]);
    }
    for (; i < n; ++i) out[i] = ToByte(sum[i] + weight * line[i]);
}
}  // namespace

AxisFilter::AxisFilter(int sourceLength, int targetLength) {
    for (int i = 0; i < targetLength; ++i) {
        offset.push_back(int(weights.size()));
        if (targetLength <= sourceLength) {
            AddAreaTaps(*this, i, sourceLength, targetLength);
        } else {
            AddLinearTaps(*this, i, sourceLength, targetLength);
        }
    }
    offset.push_back(int(weights.size()));
}

ScaledRows::ScaledRows(const QImage& source, QSize size) : m_source(source), m_size(size) {
    if (size.width() < 1 || size.height() < 1) {
        throw VeloraError(
            QCoreApplication::translate("velora", "an image cannot be scaled to %1 x %2 pixels")
                .arg(size.width())
                .arg(size.height()));
    }
    if (source.format() != QImage::Format_RGB16) {
        m_converted = std::make_unique<ImageRowSource>(source);
    }
    if (size != source.size()) {
        m_across = std::make_unique<AxisFilter>(source.width(), size.width());
        m_down = std::make_unique<AxisFilter>(source.height(), size.height());
    }
}

ScaledRows::~ScaledRows() = default;

const uchar* ScaledRows::SourceSpan(int y, int left, int width) {
    m_span.resize(size_t(width) * 3);
    if (m_converted) {
        m_converted->Read(y, left, width, RowLayout::Rgb888, m_span.data());
    } else {
        Expand565(m_source.constScanLine(y) + 2 * qsizetype(left), width, RowLayout::Rgb888,
                  m_span.data());
    }
    return m_span.data();
}

// Consecutive target rows share at most their boundary source rows, so two
// scaled lines, kept by parity, are all the cache needed in either direction.
const float* ScaledRows::ScaledAcross(int sourceRow, int left, int width) {
    Line& line = m_lines[size_t(sourceRow & 1)];
    if (line.sourceRow == sourceRow && line.left == left && line.width == width) {
        return line.values.data();
    }
    const AxisFilter& across = *m_across;
    const int first = across.first[size_t(left)];
    const int end = across.End(left + width - 1);
    const uchar* rgb = SourceSpan(sourceRow, first, end - first);
    line.values.resize(size_t(width) * 3);
    float* out = line.values.data();
    for (int x = left; x < left + width; ++x, out += 3) {
        const float* w = across.Weights(x);
        const uchar* p = rgb + 3 * (across.first[size_t(x)] - first);
        float r = 0, g = 0, b = 0;
        for (int k = 0, n = across.Count(x); k < n; ++k, p += 3) {
            r += w[k] * p[0];
            g += w[k] * p[1];
            b += w[k] * p[2];
        }
        out[0] = r;
        out[1] = g;
        out[2] = b;
    }
    line.sourceRow = sourceRow;
    line.left = left;
    line.width = width;
    return line.values.data();
}

void ScaledRows::ScaleRow(int y, int left, int width, uchar* rgb) {
    const AxisFilter& down = *m_down;
    const float* w = down.Weights(y);
    const int taps = down.Count(y);
    const size_t n = size_t(width) * 3;
    m_sum.resize(n);
    for (int k = 0; k < taps; ++k) {
        const float* line = ScaledAcross(down.first[size_t(y)] + k, left, width);
        if (k == taps - 1) {
            if (k == 0) std::fill(m_sum.begin(), m_sum.end(), 0.0f);
            FinishSum(m_sum.data(), line, w[k], rgb, n);
        } else if (k == 0) {
            StartSum(m_sum.data(), line, w[k], n);
        } else {
            AddToSum(m_sum.data(), line, w[k], n);
        }
    }
}

void ScaledRows::Read(int y, int left, int width, RowLayout layout, uchar* out) {
    if (!m_down) {
        if (!m_converted) {
            Expand565(m_source.constScanLine(y) + 2 * qsizetype(left), width, layout, out);
            return;
        }
        const uchar* rgb = SourceSpan(y, left, width);
        Relayout(rgb, width, layout, out);
        return;
    }
    if (layout == RowLayout::Rgba8888) {
        m_rgb.resize(size_t(width) * 3);
        ScaleRow(y, left, width, m_rgb.data());
        Relayout(m_rgb.data(), width, layout, out);
        return;
    }
    ScaleRow(y, left, width, out);
    Relayout(out, width, layout, out);
}

QImage ScaleImage(const QImage& source, QSize size) {
    ScaledRows rows(source, size);
    QImage target(size, QImage::Format_RGB888);
    if (target.isNull()) {
        throw VeloraError(QCoreApplication::translate(
                              "velora", "not enough memory for an image of %1 x %2 pixels")
                              .arg(size.width())
                              .arg(size.height()));
    }
    for (int y = 0; y < size.height(); ++y) rows.Read(y, RowLayout::Rgb888, target.scanLine(y));
    return target;
}

}  // namespace velora
