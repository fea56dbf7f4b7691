// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/export/row_source.h"

#include <QImage>
#include <QSize>

#include <array>
#include <memory>
#include <vector>

namespace velora {

// For each target index along one axis: the first source index it reads and
// its weights for consecutive source indices, summing to 1.
struct AxisFilter {
    AxisFilter(int sourceLength, int targetLength);

    int Count(int i) const { return offset[size_t(i) + 1] - offset[size_t(i)]; }
    const float* Weights(int i) const { return weights.data() + offset[size_t(i)]; }
    // The source index after the last one that target index i reads.
    int End(int i) const { return first[size_t(i)] + Count(i); }

    std::vector<int> first;
    std::vector<int> offset;  // into weights; one extra entry at the end
    std::vector<float> weights;
};

// The image resampled to a size, made a row at a time: each axis on its own,
// area averaging when it shrinks (every target pixel is the mean of the
// source area it covers, weighted by exact coverage), bilinear interpolation
// between pixel centres when it grows. A 16-bit RGB565 source is read in
// place, or a row at a time from a picture given in rows; any other format is
// converted a band of rows at a time. Every target pixel comes out the same
// whichever part of which row is asked, in whatever order; working memory is
// a few rows. Throws VeloraError when the size is below 1 x 1.
class ScaledRows : public RowSource {
public:
    ScaledRows(const QImage& source, QSize size);
    ScaledRows(PictureRows& source, QSize size);
    ~ScaledRows() override;

    QSize Size() const override { return m_size; }
    bool HasAlpha() const override { return false; }
    void Read(int y, int left, int width, RowLayout layout, uchar* out) override;
    using RowSource::Read;

private:
    // Source row y, pixels [left, left + width), as RGB888.
    const uchar* SourceSpan(int y, int left, int width);
    // Source row y scaled across to target columns [left, left + width), in
    // floats, kept by the parity of y.
    const float* ScaledAcross(int sourceRow, int left, int width);
    void ScaleRow(int y, int left, int width, uchar* rgb);

    // A 16-bit source's rows, or a converted source's.
    std::unique_ptr<ImagePictureRows> m_image;
    PictureRows* m_rows = nullptr;
    std::unique_ptr<RowSource> m_converted;
    QSize m_size;
    std::unique_ptr<AxisFilter> m_across;
    std::unique_ptr<AxisFilter> m_down;
    std::vector<uchar> m_span;
    struct Line {
        int sourceRow = -1;
        int left = -1;
        int width = -1;
        std::vector<float> values;
    };
    std::array<Line, 2> m_lines;
    std::vector<float> m_sum;
    std::vector<uchar> m_rgb;
};

// All rows of ScaledRows in a 24-bit (Format_RGB888) image. Throws
// VeloraError when the size is below 1 x 1 or the image cannot be allocated.
QImage ScaleImage(const QImage& source, QSize size);

}  // namespace velora
