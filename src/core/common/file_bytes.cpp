// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/file_bytes.h"

#include "core/common/error_text.h"
#include "core/common/errors.h"
#include "core/common/output_file.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace velora {

namespace {

QString SystemText(int code) {
    const QString text = GetErrorText(code);
    return text.isEmpty() ? QStringLiteral("error %1").arg(code) : text;
}

// What a file that is not a regular one is, in the words that follow its name.
QString NotRegularReason(mode_t mode) {
    if (S_ISDIR(mode)) return QStringLiteral("is a folder, not a file");
    if (S_ISFIFO(mode)) return QStringLiteral("is a pipe, not a regular file");
    if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("is a device, not a regular file");
    if (S_ISSOCK(mode)) return QStringLiteral("is a socket, not a regular file");
    return QStringLiteral("is not a regular file");
}

// Closes the descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }
    int Release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

FileBytes Refused(FileBytes::Status status, QString reason, qint64 size = 0) {
    FileBytes result;
    result.status = status;
    result.reason = std::move(reason);
    result.size = size;
    return result;
}

// Reads size bytes; false with errno set when the system fails, or with
// errno 0 when the file ends early.
bool ReadAll(int fd, char* data, qint64 size) {
    qint64 done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, data + done, static_cast<size_t>(size - done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            if (got == 0) errno = 0;
            return false;
        }
        done += got;
    }
    return true;
}

// The file opened for reading when it is a regular one; otherwise the
// refusal, with the descriptor closed.
struct OpenedFile {
    int fd = -1;
    qint64 size = 0;
    FileBytes refusal;
};

OpenedFile OpenRegular(const QString& path) {
    OpenedFile opened;
    // Opening a pipe waits for a writer unless it is opened without waiting;
    // for a regular file that makes no difference.
    Descriptor file(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.Get() < 0) {
        opened.refusal = Refused(FileBytes::Status::CannotOpen,
                                 QStringLiteral("cannot be opened: ") + SystemText(errno));
        return opened;
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0) {
        opened.refusal = Refused(FileBytes::Status::CannotRead,
                                 QStringLiteral("cannot be read: ") + SystemText(errno));
        return opened;
    }
    if (!S_ISREG(info.st_mode)) {
        opened.refusal = Refused(FileBytes::Status::NotRegularFile, NotRegularReason(info.st_mode));
        return opened;
    }
    opened.fd = file.Release();
    opened.size = info.st_size;
    return opened;
}

}  // namespace

FileBytes ReadBoundedFile(const QString& path, qint64 maxSize) {
    OpenedFile opened = OpenRegular(path);
    if (opened.fd < 0) return std::move(opened.refusal);
    const Descriptor file(opened.fd);
    const qint64 size = opened.size;
    if (size > maxSize) {
        return Refused(FileBytes::Status::TooLarge,
                       QStringLiteral("is too large (%1 bytes; at most %2 bytes are read)")
                           .arg(size)
                           .arg(maxSize),
                       size);
    }
    FileBytes result;
    result.size = size;
    result.bytes = QByteArray(static_cast<qsizetype>(size), Qt::Uninitialized);
    if (!ReadAll(file.Get(), result.bytes.data(), size)) {
        const int code = errno;
        return Refused(FileBytes::Status::CannotRead,
                       QStringLiteral("cannot be read: ") +
                           (code != 0 ? SystemText(code)
                                      : QStringLiteral("it became shorter while it was read")),
                       size);
    }
    return result;
}

QByteArray ReadFileBytes(const QString& path, qint64 maxSize) {
    FileBytes file = ReadBoundedFile(path, maxSize);
    switch (file.status) {
        case FileBytes::Status::Read:
            return std::move(file.bytes);
        case FileBytes::Status::TooLarge:
            throw FormatError(path, file.reason);
        case FileBytes::Status::CannotOpen:
        case FileBytes::Status::NotRegularFile:
        case FileBytes::Status::CannotRead:
            break;
    }
    throw FileError(path, file.reason);
}

void OpenRegularFile(QFile& file, const QString& path) {
    OpenedFile opened = OpenRegular(path);
    if (opened.fd < 0) throw FileError(path, opened.refusal.reason);
    if (!file.open(opened.fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(opened.fd);
        throw FileError(path, QStringLiteral("cannot be opened: ") + file.errorString());
    }
}

void WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    OutputFile file(path);
    file.Write(bytes.constData(), bytes.size());
    file.Commit();
}

QString EmptyFileReason() { return QStringLiteral("is empty"); }

QString ByteCountText(qint64 bytes) {
    constexpr qint64 kMegabyte = qint64(1) << 20;
    if (bytes < kMegabyte) return QStringLiteral("%1 bytes").arg(bytes);
    return QStringLiteral("%1 MB").arg(bytes / kMegabyte);
}

}  // namespace velora
