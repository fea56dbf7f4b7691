#pragma once

#include <QImage>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <span>

namespace velora {

class ArchiveReader;
class ArchiveWriter;
class IUserInterface;

// Every model stream starts with these nine bytes, without length or
// terminator.
inline constexpr char kModelSignature[] = "MOSVELDAT";
inline constexpr size_t kModelSignatureSize = sizeof(kModelSignature) - 1;

bool HasModelSignature(std::span<const uint8_t> stream);

// Image records: a u32 length and that many bytes of an encoded image; length
// 0 means no image.

// Writes the image as JPEG at the quality (0-100). A null pointer or null
// image, or one that cannot be encoded, is written with length 0 and gives
// false.
bool WriteImageRecord(ArchiveWriter& archive, const QImage* image, int quality);

// Reads a record and decodes all of its bytes (a decoder that meets bytes
// after the end of the image ignores them). A record that does not decode,
// or declares an image too large to hold, gives a null image; with a user
// interface the user is told "Image::FromStream() error!". A record longer
// than the rest of the stream throws FormatError.
QImage ReadImageRecord(ArchiveReader& archive, IUserInterface* user);

// Steps over a record without decoding it.
void SkipImageRecord(ArchiveReader& archive);

// The thumbnail stored at the start of a template or design file: the
// container is opened, the signature checked and the first record decoded.
// Any failure gives a null image and no message.
QImage ReadThumbnail(const QString& path);

}  // namespace velora
