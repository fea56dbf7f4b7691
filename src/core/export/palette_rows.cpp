// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/palette_rows.h"

#include "core/common/errors.h"

#include <QCoreApplication>

#include <libimagequant.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <mutex>

namespace velora {

namespace {
// The palette is chosen from evenly spread rows of about this many pixels:
// plenty for every colour that matters, while the quantiser's time and its
// working copy (16 bytes a pixel) stay flat however large the export.
constexpr qint64 kPalettePixels = qint64(1) << 20;
constexpr int kCellBits = 6;

struct AttrDeleter {
    void operator()(liq_attr* attr) const { liq_attr_destroy(attr); }
};
struct ImageDeleter {
    void operator()(liq_image* image) const { liq_image_destroy(image); }
};
struct HistogramDeleter {
    void operator()(liq_histogram* histogram) const { liq_histogram_destroy(histogram); }
};
struct ResultDeleter {
    void operator()(liq_result* result) const { liq_result_destroy(result); }
};

// libimagequant asks for rows in any order and, built with OpenMP, from
// several threads at once; converted bands are shared, so they are locked.
struct RowFeed {
    RowFeed(RowSource& rows, int step)
        : rows(rows), step(step), rgb(size_t(rows.Size().width()) * 3) {}
    std::mutex mutex;
    RowSource& rows;
    int step;
    std::vector<uchar> rgb;
    bool failed = false;
    // Pure white and pure black met in the rows fed.
    bool sawWhite = false;
    bool sawBlack = false;
};

void FeedRow(liq_color rowOut[], int row, int width, void* user) {
    auto& feed = *static_cast<RowFeed*>(user);
    std::lock_guard lock(feed.mutex);
    try {
        feed.rows.Read(row * feed.step, RowLayout::Rgb888, feed.rgb.data());
        const uchar* rgb = feed.rgb.data();
        for (int x = 0; x < width; ++x, rgb += 3) {
            rowOut[x] = {rgb[0], rgb[1], rgb[2], 255};
            const int sum = rgb[0] + rgb[1] + rgb[2];
            feed.sawWhite |= sum == 3 * 255;
            feed.sawBlack |= sum == 0;
        }
    } catch (const std::bad_alloc&) {
        // Exceptions must not cross the C library; Check reports it.
        feed.failed = true;
        std::fill_n(rowOut, width, liq_color{0, 0, 0, 255});
    }
}

void Check(liq_error error, const RowFeed& feed) {
    if (feed.failed || error == LIQ_OUT_OF_MEMORY) {
        throw VeloraError(
            QCoreApplication::translate("velora", "not enough memory to reduce the colours"));
    }
    if (error != LIQ_OK) {
        throw VeloraError(QCoreApplication::translate(
                              "velora", "the colour reduction failed (libimagequant error %1)")
                              .arg(int(error)));
    }
}

std::vector<QRgb> ChoosePalette(RowSource& rows, int maxColors) {
    const QSize size = rows.Size();
    const qint64 pixels = qint64(size.width()) * size.height();
    const int step = int(std::max<qint64>(1, (pixels + kPalettePixels - 1) / kPalettePixels));
    RowFeed feed(rows, step);
    std::unique_ptr<liq_attr, AttrDeleter> attr(liq_attr_create());
    if (!attr) Check(LIQ_OUT_OF_MEMORY, feed);
    Check(liq_set_max_colors(attr.get(), maxColors), feed);
    const int sampledRows = (size.height() + step - 1) / step;
    std::unique_ptr<liq_image, ImageDeleter> sample(
        liq_image_create_custom(attr.get(), FeedRow, &feed, size.width(), sampledRows, 0));
    std::unique_ptr<liq_histogram, HistogramDeleter> histogram(liq_histogram_create(attr.get()));
    if (!sample || !histogram) Check(LIQ_OUT_OF_MEMORY, feed);
    Check(liq_histogram_add_image(histogram.get(), attr.get(), sample.get()), feed);
    // The background's white and the outlines' black stay exact: an export
    // whose white paper came out faintly tinted would look wrong at once.
    if (feed.sawWhite) {
        Check(liq_histogram_add_fixed_color(histogram.get(), {255, 255, 255, 255}, 0), feed);
    }
    if (feed.sawBlack) {
        Check(liq_histogram_add_fixed_color(histogram.get(), {0, 0, 0, 255}, 0), feed);
    }
    liq_result* rawResult = nullptr;
    Check(liq_histogram_quantize(histogram.get(), attr.get(), &rawResult), feed);
    std::unique_ptr<liq_result, ResultDeleter> result(rawResult);

    const liq_palette* palette = liq_get_palette(result.get());
    std::vector<QRgb> colors;
    for (unsigned i = 0; i < palette->count; ++i) {
        colors.push_back(qRgb(palette->entries[i].r, palette->entries[i].g, palette->entries[i].b));
    }
    return colors;
}

int Distance(QRgb color, int r, int g, int b) {
    const int dr = qRed(color) - r, dg = qGreen(color) - g, db = qBlue(color) - b;
    return dr * dr + dg * dg + db * db;
}
}  // namespace

PaletteRows::PaletteRows(RowSource& rows, int maxColors)
    : m_width(rows.Size().width()),
      m_palette(ChoosePalette(rows, maxColors)),
      m_nearest(size_t(1) << (3 * kCellBits), int16_t(-1)),
      m_error(3 * (size_t(m_width) + 2), 0),
      m_nextError(3 * (size_t(m_width) + 2), 0) {}

// The palette entry nearest to the centre of the colour's cell, looked up
// once per cell: the error diffusion makes up for the cell's width.
int PaletteRows::Nearest(int r, int g, int b) {
    constexpr int shift = 8 - kCellBits;
    const size_t cell =
        size_t(((r >> shift) << (2 * kCellBits)) | ((g >> shift) << kCellBits) | (b >> shift));
    int16_t& known = m_nearest[cell];
    if (known < 0) {
        constexpr int half = 1 << (shift - 1);
        const int cr = (r & ~((1 << shift) - 1)) + half;
        const int cg = (g & ~((1 << shift) - 1)) + half;
        const int cb = (b & ~((1 << shift) - 1)) + half;
        int best = 0, bestDistance = std::numeric_limits<int>::max();
        for (size_t i = 0; i < m_palette.size(); ++i) {
            const int distance = Distance(m_palette[i], cr, cg, cb);
            if (distance < bestDistance) bestDistance = distance, best = int(i);
        }
        known = int16_t(best);
    }
    return known;
}

void PaletteRows::Next(const uchar* rgb, uchar* indices) {
    std::fill(m_nextError.begin(), m_nextError.end(), 0);
    // Serpentine: even rows go right, odd rows left, so the diffusion has no
    // direction of its own. Index 3 * (x + 1) + c is pixel x, channel c.
    const bool right = m_row % 2 == 0;
    const int step = right ? 1 : -1;
    for (int i = 0; i < m_width; ++i) {
        const int x = right ? i : m_width - 1 - i;
        const qsizetype at = 3 * qsizetype(x + 1);
        int wanted[3];
        for (int c = 0; c < 3; ++c) {
            wanted[c] = std::clamp(rgb[3 * x + c] + m_error[at + c] / 16, 0, 255);
        }
        const int index = Nearest(wanted[0], wanted[1], wanted[2]);
        indices[x] = uchar(index);
        const QRgb got = m_palette[size_t(index)];
        const int error[3] = {wanted[0] - qRed(got), wanted[1] - qGreen(got),
                              wanted[2] - qBlue(got)};
        const qsizetype ahead = at + 3 * step, behind = at - 3 * step;
        for (int c = 0; c < 3; ++c) {
            m_error[ahead + c] += error[c] * 7;
            m_nextError[behind + c] += error[c] * 3;
            m_nextError[at + c] += error[c] * 5;
            m_nextError[ahead + c] += error[c];
        }
    }
    std::swap(m_error, m_nextError);
    ++m_row;
}

}  // namespace velora
