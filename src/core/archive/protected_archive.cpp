// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/archive/protected_archive.h"

#include "core/archive/body_codec.h"
#include "core/common/errors.h"
#include "core/common/file_bytes.h"
#include "core/common/output_file.h"
#include "core/common/user_interface.h"

#include <QCoreApplication>
#include <QFile>
#include <QScopeGuard>

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <stdexcept>

namespace velora {

namespace {

constexpr char kMagic[3] = {'a', 'k', 'z'};
constexpr uint8_t kPlainVersion = 1;
constexpr uint8_t kScrambledVersion = 3;

// Deflate codes at most 258 bytes in one length/distance pair of two bits,
// so no body unpacks to more than 1032 times its size. The slack covers the
// zlib header and trailer of tiny bodies.
constexpr uint64_t kMaxInflateRatio = 1032;
constexpr uint64_t kInflateSlack = 1024;

// What a real stream packs to: the mask of a large drawing is nearly all one
// value and packs close to deflate's limit, but even the largest mask (30020
// pixels a side, 113 MB) and a drawing's worth of curves and regions stay
// below this length. Everything else a stream holds (JPEG images, point
// coordinates, rectangles) packs a few times at most, so a longer stream must
// come from at least a 64th of its length: a small file that claims a huge
// stream is a decompression bomb, refused before a byte is unpacked.
constexpr uint64_t kMaxTightlyPackedStream = uint64_t(128) << 20;
constexpr uint64_t kMaxPackingRatio = 64;

struct Header {
    uint8_t version;
    uint32_t streamLength;
    uint32_t checksum;
};

bool HasMagic(std::span<const uint8_t> file) {
    return file.size() >= sizeof(kMagic) && std::memcmp(file.data(), kMagic, sizeof(kMagic)) == 0;
}

Header ReadHeader(std::span<const uint8_t> file) {
    if (file.size() < CProtectedArchive::kHeaderSize) {
        throw FormatError(QCoreApplication::translate(
                              "velora", "the container header is cut short (%1 of 12 bytes)")
                              .arg(file.size()));
    }
    ArchiveReader reader(file.subspan(sizeof(kMagic)));
    Header header{};
    header.version = reader.ReadU8();
    header.streamLength = reader.ReadU32();
    header.checksum = reader.ReadU32();
    return header;
}

uint32_t Adler32(std::span<const uint8_t> bytes) {
    return static_cast<uint32_t>(adler32_z(adler32_z(0, nullptr, 0), bytes.data(), bytes.size()));
}

// The body as the checksum covers it: unscrambled for a scrambled file.
QByteArray ClearBody(std::span<const uint8_t> body, const QByteArray& password) {
    QByteArray clear(reinterpret_cast<const char*>(body.data()),
                     static_cast<qsizetype>(body.size()));
    CProtectedArchive::Scramble(
        {reinterpret_cast<uint8_t*>(clear.data()), static_cast<size_t>(clear.size())}, password);
    return clear;
}

void CheckStreamLength(uint32_t streamLength, size_t bodySize) {
    const uint64_t body = bodySize;
    const uint64_t packable = std::max(kMaxTightlyPackedStream, body * kMaxPackingRatio);
    if (streamLength > CProtectedArchive::kMaxStreamLength ||
        streamLength > body * kMaxInflateRatio + kInflateSlack || streamLength > packable) {
        throw FormatError(
            QCoreApplication::translate("velora",
                                        "the container claims %1 of data that its %2 of "
                                        "compressed data cannot hold")
                .arg(ByteCountText(streamLength), ByteCountText(qint64(bodySize))));
    }
}

QByteArray Inflate(std::span<const uint8_t> body, uint32_t streamLength) {
    CheckStreamLength(streamLength, body.size());
    return InflateBody(body, streamLength);
}

[[noreturn]] void FailToWrite(const QString& path, const QString& cause) {
    throw FileError(path,
                    QCoreApplication::translate("velora", "cannot be written: %1").arg(cause));
}

// Reads from an open container file no more than it takes to unpack the
// first `length` bytes of its stream.
QByteArray InflateStart(QFile& file, uint32_t streamLength, size_t length) {
    constexpr qint64 kChunk = 64 * 1024;
    const size_t wanted = std::min<size_t>(length, streamLength);
    QByteArray stream(static_cast<qsizetype>(wanted), Qt::Uninitialized);
    z_stream zip{};
    if (inflateInit(&zip) != Z_OK)
        throw FormatError(QCoreApplication::translate("velora", "zlib cannot start"));
    const auto end = qScopeGuard([&zip] { inflateEnd(&zip); });
    zip.next_out = reinterpret_cast<Bytef*>(stream.data());
    zip.avail_out = static_cast<uInt>(wanted);
    QByteArray chunk;
    while (zip.avail_out > 0) {
        if (zip.avail_in == 0) {
            chunk = file.read(kChunk);
            if (file.error() != QFileDevice::NoError) {
                throw FileError(QCoreApplication::translate("velora", "cannot be read: %1")
                                    .arg(file.errorString()));
            }
            if (chunk.isEmpty())
                throw FormatError(
                    QCoreApplication::translate("velora", "the compressed data ends early"));
            zip.next_in = reinterpret_cast<Bytef*>(chunk.data());
            zip.avail_in = static_cast<uInt>(chunk.size());
        }
        const int result = inflate(&zip, Z_NO_FLUSH);
        if (result == Z_STREAM_END) break;
        if (result == Z_MEM_ERROR) throw std::bad_alloc();
        if (result != Z_OK)
            throw FormatError(
                QCoreApplication::translate("velora", "the compressed data is damaged"));
    }
    stream.resize(static_cast<qsizetype>(wanted - zip.avail_out));
    return stream;
}

}  // namespace

// Turns a stream into the container's bytes as it comes: the body goes to
// the writer as it is compressed; the header, which needs the stream's length
// and the body's checksum, comes out of Finish for the caller to put in front.
class BodyPacker {
public:
    using Write = std::function<void(std::span<const uint8_t> bytes)>;

    BodyPacker(const QByteArray& password, Write write)
        : m_password(password),
          m_write(std::move(write)),
          m_deflate([this](std::span<uint8_t> compressed) { Emit(compressed); }) {}

    void Add(std::span<const uint8_t> stream) {
        m_streamLength += stream.size();
        if (m_streamLength > CProtectedArchive::kMaxStreamLength) {
            throw VeloraError(
                QCoreApplication::translate("velora",
                                            "the document is too large to be stored (more than "
                                            "%1 bytes)")
                    .arg(CProtectedArchive::kMaxStreamLength));
        }
        m_deflate.Add(stream);
    }

    QByteArray Finish() {
        m_deflate.Finish();
        ArchiveWriter header;
        header.WriteBytes({reinterpret_cast<const uint8_t*>(kMagic), sizeof(kMagic)});
        header.WriteU8(m_password.isEmpty() ? kPlainVersion : kScrambledVersion);
        header.WriteU32(static_cast<uint32_t>(m_streamLength));
        header.WriteU32(static_cast<uint32_t>(m_checksum));
        return header.TakeData();
    }

private:
    void Emit(std::span<uint8_t> compressed) {
        m_checksum = adler32_z(m_checksum, compressed.data(), compressed.size());
        CProtectedArchive::Scramble(compressed, m_password);
        m_write(compressed);
    }

    QByteArray m_password;
    Write m_write;
    uint64_t m_streamLength = 0;
    uLong m_checksum = adler32_z(0, nullptr, 0);
    BodyDeflate m_deflate;
};

CProtectedArchive::CProtectedArchive(QString path, Mode mode, IUserInterface& user,
                                     QByteArray password)
    : m_path(std::move(path)), m_mode(mode), m_password(std::move(password)) {
    if (mode == Mode::Store) {
        StartStoring();
        return;
    }
    // The body of the largest stream we accept, compressed, plus the header.
    const qint64 maxFileLength =
        static_cast<qint64>(compressBound(kMaxStreamLength)) + static_cast<qint64>(kHeaderSize);
    const QByteArray file = ReadFileBytes(m_path, maxFileLength);
    m_fileLength = file.size();
    try {
        m_stream = Unpack(AsBytes(file), m_password, user);
    } catch (const FormatError& error) {
        throw FormatError(m_path, error.Reason());
    }
    m_reader = std::make_unique<ArchiveReader>(m_stream);
}

CProtectedArchive::~CProtectedArchive() = default;

ArchiveReader& CProtectedArchive::Reader() {
    if (!m_reader) throw std::logic_error("the archive is not loading");
    return *m_reader;
}

ArchiveWriter& CProtectedArchive::Writer() {
    if (!m_writer) throw std::logic_error("the archive is not storing");
    return *m_writer;
}

void CProtectedArchive::StartStoring() {
    m_output = std::make_unique<OutputFile>(m_path);
    m_output->Write(QByteArray(kHeaderSize, '\0').constData(), kHeaderSize);
    m_packer = std::make_unique<BodyPacker>(m_password, [this](std::span<const uint8_t> bytes) {
        m_output->Write(bytes.data(), static_cast<qint64>(bytes.size()));
    });
    m_writer = std::make_unique<ArchiveWriter>([this](std::span<const uint8_t> stream) {
        try {
            m_packer->Add(stream);
        } catch (const FileError&) {
            throw;
        } catch (const VeloraError& error) {
            FailToWrite(m_path, error.Reason());
        }
    });
}

void CProtectedArchive::Close() {
    if (m_writer) {
        m_writer->Flush();
        QByteArray header;
        try {
            header = m_packer->Finish();
        } catch (const FileError&) {
            throw;
        } catch (const VeloraError& error) {
            FailToWrite(m_path, error.Reason());
        }
        if (!m_output->Device().seek(0)) FailToWrite(m_path, m_output->Device().errorString());
        m_output->Write(header.constData(), header.size());
        m_output->Commit();
    }
    Abort();
}

void CProtectedArchive::Abort() {
    m_writer.reset();
    m_packer.reset();
    m_output.reset();
    m_reader.reset();
    m_stream.clear();
}

bool CProtectedArchive::Scramble(std::span<uint8_t> bytes, const QByteArray& password) {
    if (password.isEmpty()) return false;
    // XORing with each password byte in turn is XORing with their XOR.
    uint8_t key = 0;
    for (char c : password) key ^= static_cast<uint8_t>(c);
    if (key != 0) {
        for (uint8_t& b : bytes) b ^= key;
    }
    return true;
}

QByteArray CProtectedArchive::Pack(std::span<const uint8_t> stream, const QByteArray& password) {
    QByteArray file(static_cast<qsizetype>(kHeaderSize), '\0');
    BodyPacker packer(password, [&file](std::span<const uint8_t> bytes) {
        file.append(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<qsizetype>(bytes.size()));
    });
    packer.Add(stream);
    const QByteArray header = packer.Finish();
    std::copy_n(header.constData(), kHeaderSize, file.data());
    return file;
}

QByteArray CProtectedArchive::Unpack(std::span<const uint8_t> file, const QByteArray& password,
                                     IUserInterface& user) {
    if (!HasMagic(file)) {
        return QByteArray(reinterpret_cast<const char*>(file.data()),
                          static_cast<qsizetype>(file.size()));
    }
    const Header header = ReadHeader(file);
    const std::span<const uint8_t> body = file.subspan(kHeaderSize);
    // Every version but 3 is taken as unscrambled and unchecked.
    if (header.version != kScrambledVersion) return Inflate(body, header.streamLength);

    const QByteArray clear = ClearBody(body, password);
    if (Adler32(AsBytes(clear)) != header.checksum) {
        user.ShowMessage(QCoreApplication::translate("velora", "Password incorrect!!!"),
                         MessageIcon::Warning);
        throw UserAlreadyToldError(QCoreApplication::translate("velora", "Password incorrect!!!"));
    }
    return Inflate(AsBytes(clear), header.streamLength);
}

ContainerInfo CProtectedArchive::Inspect(std::span<const uint8_t> file,
                                         const QByteArray& password) {
    ContainerInfo info;
    if (!HasMagic(file)) return info;
    const Header header = ReadHeader(file);
    info.magic = true;
    info.version = header.version;
    info.streamLength = header.streamLength;
    if (header.version == kScrambledVersion) {
        const QByteArray clear = ClearBody(file.subspan(kHeaderSize), password);
        info.checksumOk = Adler32(AsBytes(clear)) == header.checksum;
    }
    return info;
}

QByteArray CProtectedArchive::ReadStreamStart(const QString& path, size_t length,
                                              IUserInterface& user) {
    QFile file;
    OpenRegularFile(file, path);
    const QByteArray head = file.read(kHeaderSize);
    if (!HasMagic(AsBytes(head))) {
        file.seek(0);
        return file.read(static_cast<qint64>(std::min<size_t>(length, kMaxStreamLength)));
    }
    if (head.size() == static_cast<qsizetype>(kHeaderSize) &&
        ReadHeader(AsBytes(head)).version == kScrambledVersion) {
        file.close();
        const CProtectedArchive archive(path, Mode::Load, user);
        return archive.m_stream.left(static_cast<qsizetype>(
            std::min<size_t>(length, static_cast<size_t>(archive.m_stream.size()))));
    }
    try {
        const Header header = ReadHeader(AsBytes(head));
        CheckStreamLength(header.streamLength,
                          static_cast<size_t>(std::max<qint64>(file.size() - kHeaderSize, 0)));
        return InflateStart(file, header.streamLength, length);
    } catch (const FormatError& error) {
        throw FormatError(path, error.Reason());
    } catch (const FileError& error) {
        throw FileError(path, error.Reason());
    }
}

}  // namespace velora
