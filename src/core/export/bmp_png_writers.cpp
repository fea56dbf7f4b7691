// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/export/bmp_png_writers.h"

#include "core/common/errors.h"
#include "core/common/output_file.h"
#include "core/export/image_rows.h"

#include <QImageWriter>
#include <QtEndian>

#include <array>
#include <vector>

namespace velora {

namespace {
constexpr int kBmpHeaderBytes = 54;
constexpr int kBmpInfoBytes = 40;
constexpr int k96DpiInPixelsPerMetre = 3780;
// Qt maps 0..100 onto zlib's levels 0..9; 33 is level 3. On textured
// designs it takes a third of the time of the default level 6 for files about
// a tenth larger, as texture grain leaves the slower levels little to find.
constexpr int kPngCompression = 33;

template <typename T>
void Put(std::array<uchar, kBmpHeaderBytes>& header, int offset, T value) {
    qToLittleEndian(value, header.data() + offset);
}

std::array<uchar, kBmpHeaderBytes> BmpHeader(int width, int height, quint32 imageBytes) {
    std::array<uchar, kBmpHeaderBytes> header{};
    header[0] = 'B';
    header[1] = 'M';
    Put<quint32>(header, 2, kBmpHeaderBytes + imageBytes);
    Put<quint32>(header, 10, kBmpHeaderBytes);
    Put<quint32>(header, 14, kBmpInfoBytes);
    Put<qint32>(header, 18, width);
    Put<qint32>(header, 22, height);  // positive: rows stored bottom-up
    Put<quint16>(header, 26, 1);      // planes
    Put<quint16>(header, 28, 24);     // bits per pixel
    Put<quint32>(header, 30, 0);      // BI_RGB
    Put<quint32>(header, 34, imageBytes);
    Put<qint32>(header, 38, k96DpiInPixelsPerMetre);
    Put<qint32>(header, 42, k96DpiInPixelsPerMetre);
    return header;
}
}  // namespace

void WriteBmp(const QImage& image, OutputFile& file) {
    const int width = image.width();
    const int height = image.height();
    const size_t rowBytes = (size_t(width) * 3 + 3) / 4 * 4;
    const auto header = BmpHeader(width, height, quint32(rowBytes * size_t(height)));
    file.Write(header.data(), header.size());

    ImageRows rows(image, QImage::Format_RGB888);
    std::vector<uchar> line(rowBytes, 0);
    for (int y = height - 1; y >= 0; --y) {
        const uchar* source = rows.Row(y);
        for (int x = 0; x < width; ++x) {
            line[3 * x] = source[3 * x + 2];
            line[3 * x + 1] = source[3 * x + 1];
            line[3 * x + 2] = source[3 * x];
        }
        file.Write(line.data(), qint64(rowBytes));
    }
}

void WritePng(const QImage& image, OutputFile& file) {
    // Qt's writer streams 24- and 32-bit images row by row from their own
    // memory and converts other formats one row at a time.
    QImageWriter writer(&file.Device(), "png");
    writer.setCompression(kPngCompression);
    if (!writer.write(image)) file.FailEncoding(writer.errorString());
}

}  // namespace velora
