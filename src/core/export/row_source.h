// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>

namespace velora {

// Byte layouts a writer asks rows in.
enum class RowLayout { Rgb888, Bgr888, Rgba8888 };

// Bytes a pixel takes in the layout.
int BytesPerPixel(RowLayout layout);

// The picture a writer encodes, made a row at a time, so that saving never
// holds a second full-size copy of it. Rows may be asked in any order, and
// in part; asking them in order, top to bottom or bottom to top, is the
// cheap way.
class RowSource {
public:
    virtual ~RowSource() = default;

    virtual QSize Size() const = 0;
    virtual bool HasAlpha() const = 0;
    // Fills out with pixels [left, left + width) of row y in the layout.
    // Throws std::bad_alloc when a working buffer cannot be had.
    virtual void Read(int y, int left, int width, RowLayout layout, uchar* out) = 0;

    // The whole row.
    void Read(int y, RowLayout layout, uchar* out) { Read(y, 0, Size().width(), layout, out); }
};

// A 16-bit (5-6-5) picture given a row at a time.
class PictureRows {
public:
    virtual ~PictureRows() = default;
    virtual QSize Size() const = 0;
    // Row y, valid until the next call.
    virtual const uchar* Row(int y) = 0;
};

// The rows of a 16-bit image.
class ImagePictureRows : public PictureRows {
public:
    explicit ImagePictureRows(const QImage& image) : m_image(image) {}
    QSize Size() const override { return m_image.size(); }
    const uchar* Row(int y) override { return m_image.constScanLine(y); }

private:
    const QImage& m_image;
};

// The rows of an image of any format. An image already in the layout asked
// is read in place; any other is converted a band of rows at a time.
class ImageRowSource : public RowSource {
public:
    explicit ImageRowSource(const QImage& image) : m_image(image) {}

    QSize Size() const override { return m_image.size(); }
    bool HasAlpha() const override { return m_image.hasAlphaChannel(); }
    void Read(int y, int left, int width, RowLayout layout, uchar* out) override;
    using RowSource::Read;

private:
    const uchar* ConvertedRow(int y, QImage::Format format);

    const QImage& m_image;
    QImage m_band;
    int m_bandTop = -1;
};

}  // namespace velora
