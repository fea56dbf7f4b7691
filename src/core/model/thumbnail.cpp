// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/thumbnail.h"

#include "core/model/drawing_model.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace velora {

namespace {

constexpr int kThumbnailSide = 100;
// The format the smooth scaling works in, so that the drawing is not
// converted to it first.
constexpr QImage::Format kPictureFormat = QImage::Format_RGB32;

// The rows [top, top + rows) of the drawing, rendered for export onto white.
void RenderRows(CDrawingModel& model, QImage& picture, int top) {
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.translate(0, -top);
    model.Render(painter, true);
}

// Averages square blocks of factor x factor pixels (fewer at the right and
// bottom edges) of the drawing's rows, given band by band from the top, into
// one pixel each.
class BlockAverager {
public:
    BlockAverager(QSize drawing, int factor)
        : m_factor(factor),
          m_width(drawing.width()),
          m_picture((drawing.width() + factor - 1) / factor,
                    (drawing.height() + factor - 1) / factor, kPictureFormat),
          m_sums(static_cast<size_t>(m_picture.width()) * 3) {}

    bool IsNull() const { return m_picture.isNull(); }

    // Takes the first rows of the band, which start at drawing row top, a
    // multiple of the factor; so does every band but the last.
    void Add(const QImage& band, int top, int rows) {
        for (int first = 0; first < rows; first += m_factor) {
            const int blockRows = std::min(m_factor, rows - first);
            std::fill(m_sums.begin(), m_sums.end(), 0);
            for (int y = first; y < first + blockRows; ++y) SumRow(band, y);
            WriteRow((top + first) / m_factor, blockRows);
        }
    }

    QImage Take() { return std::move(m_picture); }

private:
    void SumRow(const QImage& band, int y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(band.constScanLine(y));
        uint64_t* sum = m_sums.data();
        for (int x = 0; x < m_width; sum += 3) {
            const int end = std::min(x + m_factor, m_width);
            uint32_t red = 0, green = 0, blue = 0;
            for (; x < end; ++x) {
                red += qRed(pixels[x]);
                green += qGreen(pixels[x]);
                blue += qBlue(pixels[x]);
            }
            sum[0] += red;
            sum[1] += green;
            sum[2] += blue;
        }
    }

    void WriteRow(int row, int blockRows) {
        auto* target = reinterpret_cast<QRgb*>(m_picture.scanLine(row));
        for (int column = 0; column < m_picture.width(); ++column) {
            const int blockColumns = std::min(m_factor, m_width - column * m_factor);
            const uint64_t count = uint64_t(blockColumns) * blockRows;
            const uint64_t* sum = &m_sums[static_cast<size_t>(column) * 3];
            target[column] = qRgb(static_cast<int>((sum[0] + count / 2) / count),
                                  static_cast<int>((sum[1] + count / 2) / count),
                                  static_cast<int>((sum[2] + count / 2) / count));
        }
    }

    int m_factor;
    int m_width;
    QImage m_picture;
    std::vector<uint64_t> m_sums;
};

// The drawing averaged down to at most kOnePicturePixels.
QImage RenderReduced(CDrawingModel& model, QSize drawing) {
    const qint64 pixels = qint64(drawing.width()) * drawing.height();
    const int factor = static_cast<int>(
        std::ceil(std::sqrt(static_cast<double>(pixels) / static_cast<double>(kOnePicturePixels))));
    BlockAverager averager(drawing, factor);
    const int bandRows =
        std::max(1, static_cast<int>(kOnePicturePixels / drawing.width()) / factor) * factor;
    QImage band(drawing.width(), std::min(bandRows, drawing.height()), kPictureFormat);
    if (averager.IsNull() || band.isNull()) return {};
    for (int top = 0; top < drawing.height(); top += band.height()) {
        RenderRows(model, band, top);
        averager.Add(band, top, std::min(band.height(), drawing.height() - top));
    }
    return averager.Take();
}

}  // namespace

QSize ThumbnailSize(int width, int height) {
    if (height < width) {
        return {kThumbnailSide,
                std::max(1, static_cast<int>(qint64(kThumbnailSide) * height / width))};
    }
    if (width < height) {
        return {std::max(1, static_cast<int>(qint64(kThumbnailSide) * width / height)),
                kThumbnailSide};
    }
    return {kThumbnailSide, kThumbnailSide};
}

QImage MakeThumbnail(CDrawingModel& model) {
    const QSize drawing(model.GetWidth(), model.GetHeight());
    if (drawing.isEmpty()) return {};
    QImage picture;
    if (qint64(drawing.width()) * drawing.height() <= kOnePicturePixels) {
        picture = QImage(drawing, kPictureFormat);
        if (picture.isNull()) return {};
        RenderRows(model, picture, 0);
    } else {
        picture = RenderReduced(model, drawing);
        if (picture.isNull()) return {};
    }
    return picture.scaled(ThumbnailSize(drawing.width(), drawing.height()), Qt::IgnoreAspectRatio,
                          Qt::SmoothTransformation);
}

}  // namespace velora
