// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/archive/archive.h"

#include "core/common/errors.h"

#include <QByteArrayView>
#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <bit>

namespace velora {

namespace {

// Length prefixes of the archive string format.
constexpr uint8_t kLongLength8 = 0xFF;
constexpr uint16_t kUnicodeMarker = 0xFFFE;
constexpr uint16_t kLongLength16 = 0xFFFF;
constexpr uint32_t kLongLength32 = 0xFFFFFFFF;

// Code points of the bytes 0x80 to 0x9F; every other byte is its own code
// point. The undefined bytes stay C1 controls.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsAscii(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

template <typename T>
T LoadLittleEndian(const uint8_t* bytes) {
    T value = 0;
    for (size_t i = 0; i < sizeof(T); ++i) value |= static_cast<T>(T(bytes[i]) << (8 * i));
    return value;
}

}  // namespace

// --- writer ------------------------------------------------------------------

void ArchiveWriter::WriteU8(uint8_t value) {
    m_data.append(static_cast<char>(value));
    Written();
}

void ArchiveWriter::WriteU16(uint16_t value) {
    const char bytes[2] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
    m_data.append(bytes, 2);
    Written();
}

void ArchiveWriter::WriteU32(uint32_t value) {
    char bytes[4];
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    m_data.append(bytes, 4);
    Written();
}

void ArchiveWriter::WriteI32(int32_t value) { WriteU32(static_cast<uint32_t>(value)); }

void ArchiveWriter::WriteF32(float value) { WriteU32(std::bit_cast<uint32_t>(value)); }

void ArchiveWriter::WriteBytes(std::span<const uint8_t> bytes) {
    m_data.append(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<qsizetype>(bytes.size()));
    Written();
}

void ArchiveWriter::WriteBytes(const QByteArray& bytes) {
    m_data.append(bytes);
    Written();
}

void ArchiveWriter::Flush() {
    if (!m_drain || m_data.isEmpty()) return;
    m_drain({reinterpret_cast<const uint8_t*>(m_data.constData()), size_t(m_data.size())});
    m_data.resize(0);  // keeps the buffer for the next megabyte
}

void ArchiveWriter::WriteStringLength(uint64_t length) {
    if (length < kLongLength8) {
        WriteU8(static_cast<uint8_t>(length));
        return;
    }
    WriteU8(kLongLength8);
    // 0xFFFE is the Unicode marker and 0xFFFF announces a longer length, so
    // the two-byte form ends just below them.
    if (length < kUnicodeMarker) {
        WriteU16(static_cast<uint16_t>(length));
        return;
    }
    WriteU16(kLongLength16);
    if (length < kLongLength32) {
        WriteU32(static_cast<uint32_t>(length));
        return;
    }
    WriteU32(kLongLength32);
    WriteU32(static_cast<uint32_t>(length));
    WriteU32(static_cast<uint32_t>(length >> 32));
}

void ArchiveWriter::WriteString(const QString& text) {
    if (IsAscii(text)) {
        WriteStringLength(static_cast<uint64_t>(text.size()));
        WriteBytes(text.toLatin1());
        return;
    }
    WriteU8(kLongLength8);
    WriteU16(kUnicodeMarker);
    WriteStringLength(static_cast<uint64_t>(text.size()));
    for (QChar c : text) WriteU16(c.unicode());
}

// --- reader ------------------------------------------------------------------

ArchiveReader::ArchiveReader(const QByteArray& bytes) : m_bytes(AsBytes(bytes)) {}

const uint8_t* ArchiveReader::Take(size_t count) {
    if (count > Remaining()) {
        throw FormatError(
            QCoreApplication::translate(
                "velora", "the data ends early (%1 bytes needed at offset %2, %3 left)")
                .arg(count)
                .arg(m_position)
                .arg(Remaining()));
    }
    const uint8_t* at = m_bytes.data() + m_position;
    m_position += count;
    return at;
}

uint8_t ArchiveReader::ReadU8() { return *Take(1); }
uint16_t ArchiveReader::ReadU16() { return LoadLittleEndian<uint16_t>(Take(2)); }
uint32_t ArchiveReader::ReadU32() { return LoadLittleEndian<uint32_t>(Take(4)); }
int32_t ArchiveReader::ReadI32() { return static_cast<int32_t>(ReadU32()); }
float ArchiveReader::ReadF32() { return std::bit_cast<float>(ReadU32()); }

std::span<const uint8_t> ArchiveReader::ReadBytes(size_t count) {
    const uint8_t* at = Take(count);
    return {at, count};
}

void ArchiveReader::Skip(size_t count) { Take(count); }

uint32_t ArchiveReader::ReadCount(size_t minItemSize) {
    const size_t at = m_position;
    const uint32_t count = ReadU32();
    if (minItemSize > 0 && count > Remaining() / minItemSize) {
        throw FormatError(
            QCoreApplication::translate(
                "velora", "a count of %1 items at offset %2 does not fit in the %3 bytes left")
                .arg(count)
                .arg(at)
                .arg(Remaining()));
    }
    return count;
}

QString ArchiveReader::ReadString() {
    // Each step reads the next wider length only when the narrower one holds
    // its largest value; the Unicode marker restarts the length after it.
    bool unicode = false;
    uint64_t length = ReadU8();
    if (length == kLongLength8) {
        length = ReadU16();
        if (length == kUnicodeMarker) {
            unicode = true;
            length = ReadU8();
            if (length == kLongLength8) length = ReadU16();
        }
        if (length == kLongLength16) {
            length = ReadU32();
            if (length == kLongLength32) {
                const uint64_t low = ReadU32();
                length = low | (uint64_t(ReadU32()) << 32);
            }
        }
    }
    const size_t unitSize = unicode ? 2 : 1;
    if (length > Remaining() / unitSize) {
        throw FormatError(
            QCoreApplication::translate("velora",
                                        "a string of %1 characters at offset %2 runs past the "
                                        "end of the data")
                .arg(length)
                .arg(m_position));
    }
    const std::span<const uint8_t> bytes = ReadBytes(static_cast<size_t>(length) * unitSize);
    if (unicode) {
        QString text(static_cast<qsizetype>(length), Qt::Uninitialized);
        for (size_t i = 0; i < length; ++i) {
            text[static_cast<qsizetype>(i)] = QChar(LoadLittleEndian<uint16_t>(&bytes[2 * i]));
        }
        return text;
    }
    const QByteArrayView view(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (view.isValidUtf8()) return QString::fromUtf8(view);
    return DecodeWindows1252(bytes);
}

QString DecodeWindows1252(std::span<const uint8_t> bytes) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const uint8_t b = bytes[i];
        const char16_t unit = (b >= 0x80 && b <= 0x9F) ? kWindows1252High[b - 0x80] : b;
        text[static_cast<qsizetype>(i)] = QChar(unit);
    }
    return text;
}

}  // namespace velora
