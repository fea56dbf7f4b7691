// SPDX-License-Identifier: GPL-3.0-or-later
#include "area_image_support.h"

#include <QBuffer>
#include <QImageWriter>

#include <stdexcept>

namespace velora::test {

namespace {

constexpr char kStartOfScan[] = "\xFF\xDA";
constexpr char kStartOfFrame[] = "\xFF\xC0";

}  // namespace

QByteArray JpegWithDamagedScan(int width, int height) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(true);
    if (!writer.write(Gradient(width, height, 3))) throw std::runtime_error("no JPEG written");
    const qsizetype first = bytes.indexOf(QByteArray(kStartOfScan, 2));
    const qsizetype second = bytes.indexOf(QByteArray(kStartOfScan, 2), first + 2);
    if (first < 0 || second < 0) throw std::runtime_error("no second scan");
    // Marker, length, component count, two bytes per component: then the
    // spectral selection start and end.
    const int components = static_cast<uint8_t>(bytes[second + 4]);
    const qsizetype spectral = second + 5 + 2 * components;
    bytes[spectral] = 10;
    bytes[spectral + 1] = 5;
    return bytes;
}

QByteArray JpegDeclaring(int width, int height) {
    QByteArray bytes = Encode(Gradient(16, 16, 1));
    const qsizetype frame = bytes.indexOf(QByteArray(kStartOfFrame, 2));
    if (frame < 0) throw std::runtime_error("no baseline frame header");
    // Marker, length, precision, then height and width, big-endian.
    bytes[frame + 5] = static_cast<char>(height >> 8);
    bytes[frame + 6] = static_cast<char>(height & 0xFF);
    bytes[frame + 7] = static_cast<char>(width >> 8);
    bytes[frame + 8] = static_cast<char>(width & 0xFF);
    return bytes;
}

}  // namespace velora::test
