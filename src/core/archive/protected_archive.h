// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/archive/archive.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

namespace velora {

class BodyPacker;
class IUserInterface;
class OutputFile;

// What the container header of a file says, for inspection tools.
struct ContainerInfo {
    // The file starts with the container's magic "akz". When it does not,
    // the file is a plain archive stream and the other fields are unset.
    bool magic = false;
    int version = 0;
    uint32_t streamLength = 0;
    // For a scrambled file (version 3): whether the checksum matches the body
    // unscrambled with the given password. Unset for every other version,
    // whose checksum nobody checks.
    std::optional<bool> checksumOk;
};

// The container around the archive stream of every template and design
// file: a 12-byte header ("akz", version, stream length, Adler-32 of the
// compressed body) and the stream compressed with zlib, scrambled with the
// password when there is one. A file without the magic is read as a plain
// stream.
//
// Loading reads and unpacks the whole file in the constructor; Serialize
// then reads from Reader(). Storing compresses the stream as Writer() takes
// it into a temporary file beside the target, which Close() completes and
// puts in place; an archive destroyed or aborted before Close() writes
// nothing.
class CProtectedArchive {
public:
    enum class Mode { Load, Store };

    // Streams are refused beyond this length: no document comes near it, and
    // a header that claims more is lying.
    static constexpr uint32_t kMaxStreamLength = 1u << 30;
    static constexpr size_t kHeaderSize = 12;

    // Loading throws FileError when the file cannot be read, FormatError when
    // its container is damaged, and UserAlreadyToldError after telling the
    // user "Password incorrect!!!". The user interface is only used then.
    // Storing throws FileError when the file cannot be made.
    CProtectedArchive(QString path, Mode mode, IUserInterface& user, QByteArray password = {});
    virtual ~CProtectedArchive();
    CProtectedArchive(const CProtectedArchive&) = delete;
    CProtectedArchive& operator=(const CProtectedArchive&) = delete;

    bool IsLoading() const { return m_mode == Mode::Load; }
    // Length of the file as it was read (loading).
    qint64 FileLength() const { return m_fileLength; }
    // The unpacked stream (loading only).
    ArchiveReader& Reader();
    // The stream being written (storing only).
    ArchiveWriter& Writer();

    // Storing: ends the compressed stream and puts the file in place (throws
    // FileError).
    // Loading: releases the stream. Either way the archive is done.
    virtual void Close();
    // Ends the archive without writing anything.
    virtual void Abort();

    // XORs every byte with every byte of the password; the operation is its
    // own inverse. False, changing nothing, for an empty password.
    static bool Scramble(std::span<uint8_t> bytes, const QByteArray& password);

    // The container bytes of a stream: version 3 when the password is not
    // empty, 1 otherwise.
    static QByteArray Pack(std::span<const uint8_t> stream, const QByteArray& password = {});
    // The stream inside the container bytes (or the bytes themselves when
    // they carry no magic). Throws FormatError for a damaged container, and
    // UserAlreadyToldError after telling the user when the checksum of a
    // scrambled file does not match.
    static QByteArray Unpack(std::span<const uint8_t> file, const QByteArray& password,
                             IUserInterface& user);
    // The header facts of container bytes; throws FormatError when the
    // header is cut short.
    static ContainerInfo Inspect(std::span<const uint8_t> file, const QByteArray& password = {});

    // The first `length` bytes of the stream in the file at `path` (fewer
    // when the stream is shorter), read and unpacked no further than needed,
    // so a library can show the preview at the start of a large document
    // cheaply. A scrambled file is read whole, since only its checksum tells
    // whether the password fits. Throws FileError when the file cannot be
    // read, FormatError when the container is damaged before that length,
    // and UserAlreadyToldError as loading does.
    static QByteArray ReadStreamStart(const QString& path, size_t length, IUserInterface& user);

private:
    void StartStoring();

    QString m_path;
    Mode m_mode;
    QByteArray m_password;
    qint64 m_fileLength = 0;
    QByteArray m_stream;
    std::unique_ptr<ArchiveReader> m_reader;
    std::unique_ptr<ArchiveWriter> m_writer;
    std::unique_ptr<OutputFile> m_output;
    std::unique_ptr<BodyPacker> m_packer;
};

}  // namespace velora
