// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/image_scaler.h"

#include "core/common/errors.h"
#include "core/export/image_rows.h"
#include "core/model/rgb565.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace velora {

namespace {
// For each target index along one axis: the first source index it reads and
// its weights for consecutive source indices, summing to 1.
struct AxisFilter {
    std::vector<int> first;
    std::vector<int> offset;  // into weights; one extra entry at the end
    std::vector<float> weights;

    int Count(int i) const { return offset[size_t(i) + 1] - offset[size_t(i)]; }
    const float* Weights(int i) const { return weights.data() + offset[size_t(i)]; }
};

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

AxisFilter MakeFilter(int sourceLength, int targetLength) {
    AxisFilter filter;
    for (int i = 0; i < targetLength; ++i) {
        filter.offset.push_back(int(filter.weights.size()));
        if (targetLength <= sourceLength) {
            AddAreaTaps(filter, i, sourceLength, targetLength);
        } else {
            AddLinearTaps(filter, i, sourceLength, targetLength);
        }
    }
    filter.offset.push_back(int(filter.weights.size()));
    return filter;
}

void Expand565(const uchar* row, int width, uchar* rgb) {
    const auto* pixels = reinterpret_cast<const quint16*>(row);
    for (int x = 0; x < width; ++x, rgb += 3) {
        const int p = pixels[x];
        rgb[0] = Widen5(p >> 11);
        rgb[1] = Widen6((p >> 5) & 0x3F);
        rgb[2] = Widen5(p & 0x1F);
    }
}

// Source rows as RGB888 bytes.
class SourceRows {
public:
    explicit SourceRows(const QImage& image) : m_image(image) {
        if (image.format() == QImage::Format_RGB16) {
            m_expanded.resize(size_t(image.width()) * 3);
        } else {
            m_rows.emplace(image, QImage::Format_RGB888);
        }
    }
    const uchar* Row(int y) {
        if (m_rows) return m_rows->Row(y);
        Expand565(m_image.constScanLine(y), m_image.width(), m_expanded.data());
        return m_expanded.data();
    }

private:
    const QImage& m_image;
    std::optional<ImageRows> m_rows;
    std::vector<uchar> m_expanded;
};

void ScaleRow(const uchar* rgb, const AxisFilter& filter, float* out, int width) {
    for (int x = 0; x < width; ++x, out += 3) {
        const float* w = filter.Weights(x);
        const uchar* p = rgb + 3 * filter.first[size_t(x)];
        float r = 0, g = 0, b = 0;
        for (int k = 0, n = filter.Count(x); k < n; ++k, p += 3) {
            r += w[k] * p[0];
            g += w[k] * p[1];
            b += w[k] * p[2];
        }
        out[0] = r;
        out[1] = g;
        out[2] = b;
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

QImage AllocateTarget(QSize size) {
    if (size.width() < 1 || size.height() < 1) {
        throw VeloraError(QStringLiteral("an image cannot be scaled to %1 x %2 pixels")
                              .arg(size.width())
                              .arg(size.height()));
    }
    QImage target(size, QImage::Format_RGB888);
    if (target.isNull()) {
        throw VeloraError(QStringLiteral("not enough memory for an image of %1 x %2 pixels")
                              .arg(size.width())
                              .arg(size.height()));
    }
    return target;
}
}  // namespace

QImage ScaleImage(const QImage& source, QSize size) {
    QImage target = AllocateTarget(size);
    SourceRows rows(source);
    const int width = size.width();
    if (size == source.size()) {
        for (int y = 0; y < size.height(); ++y) {
            std::copy_n(rows.Row(y), size_t(width) * 3, target.scanLine(y));
        }
        return target;
    }

    const AxisFilter across = MakeFilter(source.width(), width);
    const AxisFilter down = MakeFilter(source.height(), size.height());
    // Consecutive target rows share at most their boundary source rows, so two
    // horizontally scaled rows, kept by parity, are all the cache needed.
    std::array<std::vector<float>, 2> scaled{std::vector<float>(size_t(width) * 3),
                                             std::vector<float>(size_t(width) * 3)};
    std::array<int, 2> scaledRow{-1, -1};
    std::vector<float> sum(size_t(width) * 3);
    const std::vector<float> zeros(sum.size(), 0.0f);
    for (int y = 0; y < size.height(); ++y) {
        const float* w = down.Weights(y);
        const int taps = down.Count(y);
        for (int k = 0; k < taps; ++k) {
            const int sourceRow = down.first[size_t(y)] + k;
            const int slot = sourceRow & 1;
            if (scaledRow[slot] != sourceRow) {
                ScaleRow(rows.Row(sourceRow), across, scaled[slot].data(), width);
                scaledRow[slot] = sourceRow;
            }
            const float* line = scaled[slot].data();
            if (k == taps - 1) {
                FinishSum(k == 0 ? zeros.data() : sum.data(), line, w[k], target.scanLine(y),
                          sum.size());
            } else if (k == 0) {
                StartSum(sum.data(), line, w[k], sum.size());
            } else {
                AddToSum(sum.data(), line, w[k], sum.size());
            }
        }
    }
    return target;
}

}  // namespace velora
