// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace velora {

// A class or parameter identifier in the platform's 16-byte GUID layout. The
// encoders and their parameters keep the published identities, so a design's
// export settings mean the same here as on the system they came from.
struct Guid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    std::array<uint8_t, 8> data4{};

    friend bool operator==(const Guid&, const Guid&) = default;
    bool IsNull() const { return *this == Guid{}; }
    // "{557CF401-1A04-11D3-9A73-0000F81EF32E}"
    QString ToString() const;
};

// Image encoder class identifiers; they differ only in their first field.
constexpr Guid ImageEncoderId(uint32_t first) {
    return {first, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
}
inline constexpr Guid kBmpEncoderId = ImageEncoderId(0x557CF400);
inline constexpr Guid kJpegEncoderId = ImageEncoderId(0x557CF401);
inline constexpr Guid kGifEncoderId = ImageEncoderId(0x557CF402);
inline constexpr Guid kTiffEncoderId = ImageEncoderId(0x557CF405);
inline constexpr Guid kPngEncoderId = ImageEncoderId(0x557CF406);

// Encoder parameter identifiers.
inline constexpr Guid kEncoderQuality{
    0x1D5BE4B5, 0xFA4A, 0x452D, {0x9C, 0xDD, 0x5D, 0xB3, 0x51, 0x05, 0xE7, 0xEB}};
inline constexpr Guid kEncoderTransformation{
    0x8D0EB2D1, 0xA58E, 0x4EA8, {0xAA, 0x14, 0x10, 0x80, 0x74, 0xB7, 0xB6, 0xF9}};
inline constexpr Guid kEncoderCompression{
    0xE09D739D, 0xCCD4, 0x44EE, {0x8E, 0xBA, 0x3F, 0xBF, 0x8B, 0xE4, 0xFC, 0x58}};
inline constexpr Guid kEncoderColorDepth{
    0x66087055, 0xAD66, 0x4C7C, {0x9A, 0x18, 0x38, 0xA2, 0x31, 0x0B, 0x83, 0x37}};

// Value types of a parameter.
constexpr uint32_t kValueTypeLong = 4;
// Two values: the smallest and the largest allowed.
constexpr uint32_t kValueTypeLongRange = 6;

// Values of the transformation parameter (rotations are clockwise).
constexpr int32_t kTransformRotate90 = 13;
constexpr int32_t kTransformRotate180 = 14;
constexpr int32_t kTransformRotate270 = 15;
constexpr int32_t kTransformFlipHorizontal = 16;
constexpr int32_t kTransformFlipVertical = 17;

// Values of the compression parameter.
constexpr int32_t kCompressionLzw = 2;
constexpr int32_t kCompressionCcitt3 = 3;
constexpr int32_t kCompressionCcitt4 = 4;
constexpr int32_t kCompressionRle = 5;
constexpr int32_t kCompressionNone = 6;

// --- export formats ---------------------------------------------------------

enum class OptionsPanel { None, Jpeg, Tiff };

// One entry of the export dialog's format list. EXIF has a code but is never
// listed, and no encoder writes it.
struct ExportFormat {
    int code;
    const char* comboText;  // empty when not listed
    const char* extension;  // with the dot
    const char* mimeType;
    OptionsPanel panel;
};

constexpr int kFormatBmp = 1;
constexpr int kFormatGif = 2;
constexpr int kFormatJpeg = 3;
constexpr int kFormatExif = 4;
constexpr int kFormatPng = 5;
constexpr int kFormatTiff = 6;

// All six formats by code.
std::span<const ExportFormat> ExportFormats();
// nullptr for an unknown code.
const ExportFormat* FindExportFormat(int code);

// --- encoders -----------------------------------------------------------------

// A parameter an encoder accepts, with the values it reports: the allowed
// values for kValueTypeLong, the minimum and maximum for kValueTypeLongRange.
struct EncoderParameterInfo {
    Guid guid;
    uint32_t type;
    std::vector<int32_t> values;
};

// What one installed encoder is and which parameters it takes.
struct EncoderInfo {
    Guid clsid;
    QString formatName;
    QString mimeType;
    std::vector<EncoderParameterInfo> parameters;
};

// The installed encoders in their fixed order: BMP, JPEG, GIF, TIFF, PNG.
std::span<const EncoderInfo> ImageEncoders();
// nullptr for an unknown identifier.
const EncoderInfo* FindEncoder(const Guid& clsid);
// Copies the identifier of the first encoder whose MIME type equals mimeType
// exactly and returns its index; -1 (clsid untouched) when none does.
int GetEncoderClsid(const QString& mimeType, Guid* clsid);

// --- parameter blocks ---------------------------------------------------------

// One parameter with one value of type kValueTypeLong.
struct EncoderParameter {
    Guid guid;
    uint32_t numberOfValues = 1;
    uint32_t type = kValueTypeLong;
    int32_t value = 0;
};

// The parameter block handed to an encoder, in the order it reads them.
struct EncoderParameters {
    std::vector<EncoderParameter> parameter;
    uint32_t Count() const { return static_cast<uint32_t>(parameter.size()); }
};

// The block of the JPEG options panel: quality, then transformation.
EncoderParameters BuildJpegParameters(int32_t quality, int32_t transformation);
// The quality alone, for a JPEG written as it is.
EncoderParameters BuildJpegQualityParameters(int32_t quality);
// The block of the TIFF options panel: compression, then colour depth.
EncoderParameters BuildTiffParameters(int32_t compression, int32_t colorDepth);

}  // namespace velora
