// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/image_encoders.h"
#include "core/export/image_scaler.h"
#include "core/export/png_rows.h"
#include "core/export/row_source.h"
#include "core/export/split_deflate.h"
#include "export_test_images.h"

#include <QColor>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <vector>

namespace velora {
namespace {

// --- rows made on demand -----------------------------------------------------

// Every part of every row, asked in any order, is the pixel ScaleImage makes:
// the streamed writers and the quarter turns rely on it.
TEST(ScaledRows, AnySpanOfAnyRowInAnyOrderMatchesTheWholeImage) {
    const QImage source = test::PatternImage(97, 61, QImage::Format_RGB16);
    for (const QSize size : {QSize(97, 61), QSize(40, 23), QSize(211, 130), QSize(50, 140)}) {
        const QImage whole = ScaleImage(source, size);
        ScaledRows rows(source, size);
        std::vector<uchar> span(size_t(size.width()) * 3);
        for (int y = size.height() - 1; y >= 0; --y) {
            for (const int left : {0, size.width() / 3, size.width() - 1}) {
                const int width = std::min(17, size.width() - left);
                rows.Read(y, left, width, RowLayout::Rgb888, span.data());
                ASSERT_EQ(
                    std::memcmp(span.data(), whole.constScanLine(y) + 3 * left, size_t(width) * 3),
                    0)
                    << size.width() << "x" << size.height() << " row " << y << " from " << left;
            }
        }
    }
}

TEST(RowSources, GiveEveryLayout) {
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(qRgba(10, 20, 30, 40));
    ImageRowSource source(image);
    EXPECT_TRUE(source.HasAlpha());
    uchar rgba[12], bgr[9];
    source.Read(1, RowLayout::Rgba8888, rgba);
    source.Read(1, RowLayout::Bgr888, bgr);
    EXPECT_EQ(std::vector<uchar>(rgba, rgba + 4), (std::vector<uchar>{10, 20, 30, 40}));
    EXPECT_EQ(std::vector<uchar>(bgr, bgr + 3), (std::vector<uchar>{30, 20, 10}));

    // The rendering's 5-6-5 pixels go straight into any layout, widened.
    QImage rendered(2, 1, QImage::Format_RGB16);
    rendered.fill(QColor(255, 0, 132));
    ScaledRows rows(rendered, rendered.size());
    rows.Read(0, RowLayout::Bgr888, bgr);
    EXPECT_EQ(std::vector<uchar>(bgr, bgr + 3), (std::vector<uchar>{132, 0, 255}));
    rows.Read(0, RowLayout::Rgba8888, rgba);
    EXPECT_EQ(std::vector<uchar>(rgba, rgba + 4), (std::vector<uchar>{255, 0, 132, 255}));
}

// --- deflate split over the cores ----------------------------------------------

QByteArray Deflate(const QByteArray& data, size_t piece) {
    QByteArray out;
    SplitDeflate deflate(3, Z_FILTERED, [&](const uchar* bytes, size_t size) {
        out.append(reinterpret_cast<const char*>(bytes), qsizetype(size));
    });
    for (qsizetype at = 0; at < data.size(); at += qsizetype(piece)) {
        const qsizetype size = std::min(qsizetype(piece), data.size() - at);
        deflate.Add(reinterpret_cast<const uchar*>(data.constData() + at), size_t(size));
    }
    deflate.Finish();
    return out;
}

QByteArray Inflate(const QByteArray& stream, qsizetype length) {
    QByteArray out(length, Qt::Uninitialized);
    uLongf size = uLongf(length);
    const int result =
        uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                   reinterpret_cast<const Bytef*>(stream.constData()), uLong(stream.size()));
    return result == Z_OK && size == uLongf(length) ? out : QByteArray("inflate failed");
}

TEST(SplitDeflate, BandsJoinIntoOneStreamThatZlibReads) {
    // A 16 KB pattern over several bands: each band starts with the one
    // before as its dictionary, so the repeats across band ends are found.
    QByteArray pattern;
    quint32 noise = 7;
    for (int i = 0; i < (16 << 10); ++i) {
        noise = noise * 1664525u + 1013904223u;
        pattern.append(char(noise >> 24));
    }
    const QByteArray data = pattern.repeated(220);  // 3.4 MB
    const QByteArray stream = Deflate(data, 5000);
    EXPECT_EQ(Inflate(stream, data.size()), data);
    EXPECT_LT(stream.size(), 100 << 10);
    EXPECT_EQ(Inflate(Deflate({}, 1), 0), QByteArray());
}

// --- writers ---------------------------------------------------------------------

class StreamedWriters : public ::testing::Test {
protected:
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }
    static QImage Read(const QString& path) {
        QImageReader reader(path);
        return reader.read().convertToFormat(QImage::Format_RGB888);
    }
    QTemporaryDir m_dir;
};

// The IDAT chunks joined: the image's zlib stream.
QByteArray IdatStream(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray png = file.readAll();
    QByteArray stream;
    for (qsizetype at = 8; at + 8 <= png.size();) {
        const auto length = qFromBigEndian<quint32>(png.constData() + at);
        if (png.mid(at + 4, 4) == "IDAT") stream += png.mid(at + 8, length);
        at += 12 + qsizetype(length);
    }
    return stream;
}

TEST_F(StreamedWriters, PngOfSeveralBandsDecodesExactlyWithAFilterForEachKindOfRow) {
    // 900 x 500: 1.35 MB of filtered rows, more than one band. A ramp (sub
    // wins), repeated rows (up wins) and pattern rows.
    QImage image = test::PatternImage(900, 500);
    for (int y = 100; y < 200; ++y) {
        for (int x = 0; x < 900; ++x) image.setPixel(x, y, qRgb(x % 256, 3 * x % 256, 5));
    }
    const QString path = PathOf("bands.png");
    SaveImage(image, path, kPngEncoderId, nullptr);
    EXPECT_EQ(Read(path), image);

    const QByteArray rows = Inflate(IdatStream(path), 500 * (1 + 900 * 3));
    ASSERT_EQ(rows.size(), 500 * (1 + 900 * 3));
    const auto filterOf = [&](int y) { return int(rows[y * (1 + 900 * 3)]); };
    EXPECT_EQ(filterOf(150), 2);  // the same as the row above
    std::vector<int> used(5, 0);
    for (int y = 0; y < 500; ++y) used.at(size_t(filterOf(y)))++;
    EXPECT_GT(used[1] + used[3] + used[4], 0);
}

TEST_F(StreamedWriters, PngRowsChooseTheSmallestSumAndTiesGoToTheFirstFilter) {
    PngRows rows(4, 3);
    // A flat grey row: none sums 12 x 100, sub leaves only the first pixel.
    std::memset(rows.Row(), 100, 12);
    std::span<const uchar> filtered = rows.Filter();
    EXPECT_EQ(filtered[0], 1);
    EXPECT_EQ(std::vector<uchar>(filtered.begin() + 1, filtered.end()),
              (std::vector<uchar>{100, 100, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    // The same row again: up and sub... up leaves all zeros, sub does not.
    std::memset(rows.Row(), 100, 12);
    filtered = rows.Filter();
    EXPECT_EQ(filtered[0], 2);
    // Zeros: every filter sums 0, and none comes first.
    PngRows zeros(4, 3);
    std::memset(zeros.Row(), 0, 12);
    EXPECT_EQ(zeros.Filter()[0], 0);
}

TEST_F(StreamedWriters, TallBmpIsWrittenBandByBandFromTheBottom) {
    // 100 pixels wide: a band of the writer holds some 3,500 rows.
    const QImage image = test::PatternImage(100, 8000);
    const QString path = PathOf("tall.bmp");
    SaveImage(image, path, kBmpEncoderId, nullptr);
    EXPECT_EQ(Read(path), image);
    EXPECT_EQ(QFile(path).size(), 54 + 300 * 8000);
}

// The first Huffman table of a JPEG (luminance DC): its 16 code counts.
std::vector<uchar> FirstHuffmanCounts(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray jpeg = file.readAll();
    const qsizetype marker = jpeg.indexOf("\xFF\xC4");
    if (marker < 0) return {};
    const QByteArray counts = jpeg.mid(marker + 5, 16);
    return {counts.begin(), counts.end()};
}

TEST_F(StreamedWriters, JpegHuffmanTablesAreMadeForThePicture) {
    const QString path = PathOf("tables.jpg");
    const EncoderParameters quality{{EncoderParameter{kEncoderQuality, 1, kValueTypeLong, 90}}};
    SaveImage(test::PatternImage(320, 240), path, kJpegEncoderId, &quality);
    // libjpeg's standard luminance DC table has these counts.
    const std::vector<uchar> standard{0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0};
    const std::vector<uchar> counts = FirstHuffmanCounts(path);
    ASSERT_EQ(counts.size(), 16u);
    EXPECT_NE(counts, standard);
    EXPECT_FALSE(Read(path).isNull());
}

}  // namespace
}  // namespace velora
