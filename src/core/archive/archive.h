// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace velora {

// Collects an archive stream: little-endian integers and floats, raw bytes
// and strings in the archive string format that the Windows program reads
// and writes.
class ArchiveWriter {
public:
    // Receives the bytes written so far, in order, a megabyte or so at a time.
    using Drain = std::function<void(std::span<const uint8_t> bytes)>;

    ArchiveWriter() = default;
    // A writer that hands its bytes on as they come instead of keeping them:
    // Data() then holds only those not handed on yet, until Flush().
    explicit ArchiveWriter(Drain drain) : m_drain(std::move(drain)) {}

    void WriteU8(uint8_t value);
    void WriteU16(uint16_t value);
    void WriteU32(uint32_t value);
    void WriteI32(int32_t value);
    void WriteF32(float value);
    void WriteBytes(std::span<const uint8_t> bytes);
    void WriteBytes(const QByteArray& bytes);
    // ASCII text goes out single-byte, byte for byte what the Windows
    // program writes; anything else in the Unicode-marked UTF-16 form, which
    // MFC programs read as well.
    void WriteString(const QString& text);

    const QByteArray& Data() const { return m_data; }
    QByteArray TakeData() { return std::move(m_data); }
    qsizetype Size() const { return m_data.size(); }
    // Hands every byte kept on to the drain.
    void Flush();

private:
    void WriteStringLength(uint64_t length);
    void Written() {
        if (m_drain && m_data.size() >= kDrainBytes) Flush();
    }

    static constexpr qsizetype kDrainBytes = qsizetype(1) << 20;
    QByteArray m_data;
    Drain m_drain;
};

// Reads an archive stream from a byte view that must outlive the reader.
// Every read is bounds-checked: reading past the end throws FormatError, so a
// truncated stream never reads outside its bytes.
class ArchiveReader {
public:
    explicit ArchiveReader(std::span<const uint8_t> bytes) : m_bytes(bytes) {}
    explicit ArchiveReader(const QByteArray& bytes);
    // The reader keeps a view, so it cannot be built over a temporary.
    explicit ArchiveReader(QByteArray&&) = delete;

    size_t Position() const { return m_position; }
    size_t Remaining() const { return m_bytes.size() - m_position; }
    bool AtEnd() const { return Remaining() == 0; }
    // The bytes not read yet, without reading them.
    std::span<const uint8_t> RemainingBytes() const { return m_bytes.subspan(m_position); }

    uint8_t ReadU8();
    uint16_t ReadU16();
    uint32_t ReadU32();
    int32_t ReadI32();
    float ReadF32();
    // A view of the next count bytes inside the reader's bytes.
    std::span<const uint8_t> ReadBytes(size_t count);
    void Skip(size_t count);
    // Single-byte strings are taken as UTF-8 when they are valid UTF-8 and as
    // Windows-1252 otherwise; the Unicode-marked form is UTF-16LE.
    QString ReadString();
    // A u32 count of items that take at least minItemSize bytes each. A count
    // that the remaining bytes cannot hold is refused before anyone
    // allocates room for it.
    uint32_t ReadCount(size_t minItemSize);

private:
    const uint8_t* Take(size_t count);

    std::span<const uint8_t> m_bytes;
    size_t m_position = 0;
};

// Windows-1252 text as the Windows program's single-byte strings hold it.
// The five bytes that code page leaves undefined map to the C1 controls of
// the same value, as the platform's conversion does.
QString DecodeWindows1252(std::span<const uint8_t> bytes);

// Byte views of Qt byte arrays.
inline std::span<const uint8_t> AsBytes(const QByteArray& bytes) {
    return {reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())};
}

}  // namespace velora
