// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velora {

class ArchiveReader;
class ArchiveWriter;
class IUserInterface;

// Image records: a u32 length and that many bytes of an encoded image; length
// 0 means no image.

// Writes the image as JPEG at the quality (0-100). A null pointer or null
// image, or one that cannot be encoded, is written with length 0 and gives
// false.
bool WriteImageRecord(ArchiveWriter& archive, const QImage* image, int quality);

// Writes encoded bytes as they are, as a record.
void WriteImageRecordBytes(ArchiveWriter& archive, std::span<const uint8_t> bytes);

// The bytes of the next record, empty for length 0. A record longer than the
// rest of the stream throws FormatError.
std::span<const uint8_t> ReadImageRecordBytes(ArchiveReader& archive);

// Decodes record bytes with DecodeImage, held to the stored formats. Bytes
// that do not decode, or declare an image too large to hold, give a null
// image.
QImage DecodeImageRecord(std::span<const uint8_t> bytes);

// The same for many records at once, spread over the processor's cores.
std::vector<QImage> DecodeImageRecords(const std::vector<std::span<const uint8_t>>& records);

// Tells the user that a record did not decode: "Image::FromStream() error!".
void TellImageNotDecoded(IUserInterface& user);

// Reads and decodes a record; a record that does not decode gives a null
// image and, with a user interface, tells the user.
QImage ReadImageRecord(ArchiveReader& archive, IUserInterface* user);

}  // namespace velora
