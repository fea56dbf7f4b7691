#include "core/export/palette_image.h"

#include "core/common/errors.h"
#include "core/export/image_rows.h"

#include <libimagequant.h>

#include <memory>
#include <mutex>

namespace velora {

namespace {
struct AttrDeleter {
    void operator()(liq_attr* attr) const { liq_attr_destroy(attr); }
};
struct ImageDeleter {
    void operator()(liq_image* image) const { liq_image_destroy(image); }
};
struct ResultDeleter {
    void operator()(liq_result* result) const { liq_result_destroy(result); }
};

// libimagequant asks for rows in any order and, built with OpenMP, from
// several threads at once; converted bands are shared, so they are locked.
struct RowFeed {
    explicit RowFeed(const QImage& image) : rows(image, QImage::Format_RGB888) {}
    std::mutex mutex;
    ImageRows rows;
    bool failed = false;
};

void ExpandRow(const uchar* rgb, liq_color* out, int width) {
    for (int x = 0; x < width; ++x, rgb += 3) out[x] = {rgb[0], rgb[1], rgb[2], 255};
}

void FeedRow(liq_color rowOut[], int row, int width, void* user) {
    auto& feed = *static_cast<RowFeed*>(user);
    std::lock_guard lock(feed.mutex);
    try {
        ExpandRow(feed.rows.Row(row), rowOut, width);
    } catch (const std::bad_alloc&) {
        // Exceptions must not cross the C library; the caller reports it.
        feed.failed = true;
        std::fill_n(rowOut, width, liq_color{0, 0, 0, 255});
    }
}

void Check(liq_error error, const RowFeed& feed) {
    if (feed.failed || error == LIQ_OUT_OF_MEMORY) {
        throw VeloraError(QStringLiteral("not enough memory to reduce the colours"));
    }
    if (error != LIQ_OK) {
        throw VeloraError(
            QStringLiteral("the colour reduction failed (libimagequant error %1)").arg(int(error)));
    }
}
}  // namespace

PaletteImage::PaletteImage(const QImage& image, int maxColors)
    : m_width(image.width()), m_height(image.height()) {
    RowFeed feed(image);
    std::unique_ptr<liq_attr, AttrDeleter> attr(liq_attr_create());
    if (!attr) Check(LIQ_OUT_OF_MEMORY, feed);
    Check(liq_set_max_colors(attr.get(), maxColors), feed);
    std::unique_ptr<liq_image, ImageDeleter> liqImage(
        liq_image_create_custom(attr.get(), FeedRow, &feed, m_width, m_height, 0));
    if (!liqImage) Check(LIQ_OUT_OF_MEMORY, feed);

    liq_result* rawResult = nullptr;
    Check(liq_image_quantize(liqImage.get(), attr.get(), &rawResult), feed);
    std::unique_ptr<liq_result, ResultDeleter> result(rawResult);
    Check(liq_set_dithering_level(result.get(), 1.0f), feed);

    m_indices.resize(size_t(m_width) * size_t(m_height));
    std::vector<unsigned char*> rowPointers;
    rowPointers.reserve(size_t(m_height));
    for (int y = 0; y < m_height; ++y) rowPointers.push_back(m_indices.data() + Offset(y));
    Check(liq_write_remapped_image_rows(result.get(), liqImage.get(), rowPointers.data()), feed);

    // Read after remapping, which makes the last refinements to the palette.
    const liq_palette* palette = liq_get_palette(result.get());
    for (unsigned i = 0; i < palette->count; ++i) {
        const liq_color& c = palette->entries[i];
        m_palette.push_back(qRgb(c.r, c.g, c.b));
    }
}

}  // namespace velora
