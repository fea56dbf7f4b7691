// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/file_bytes.h"

#include "core/common/error_text.h"
#include "core/common/errors.h"
#include "core/common/output_file.h"

#include <QCoreApplication>
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
    return text.isEmpty() ? QCoreApplication::translate("velora", "error %1").arg(code) : text;
}

const char* const kCannotOpen = QT_TRANSLATE_NOOP("velora", "cannot be opened: %1");
const char* const kCannotRead = QT_TRANSLATE_NOOP("velora", "cannot be read: %1");

// The reason with the system's words for the error code, which is read
// before anything else can change errno.
QString CannotText(const char* reason, int code) {
    return QCoreApplication::translate("velora", reason).arg(SystemText(code));
}

// What a file that is not a regular one is, in the words that follow its name.
QString NotRegularReason(mode_t mode) {
    if (S_ISDIR(mode)) return QCoreApplication::translate("velora", "is a folder, not a file");
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("velora", "is a pipe, not a regular file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QCoreApplication::translate("velora", "is a device, not a regular file");
    if (S_ISSOCK(mode))
        return QCoreApplication::translate("velora", "is a socket, not a regular file");
    return QCoreApplication::translate("velora", "is not a regular file");
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
        opened.refusal = Refused(FileBytes::Status::CannotOpen, CannotText(kCannotOpen, errno));
        return opened;
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0) {
        opened.refusal = Refused(FileBytes::Status::CannotRead, CannotText(kCannotRead, errno));
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
                       QCoreApplication::translate(
                           "velora", "is too large (%1 bytes; at most %2 bytes are read)")
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
                       code != 0 ? CannotText(kCannotRead, code)
                                 : QCoreApplication::translate("velora", kCannotRead)
                                       .arg(QCoreApplication::translate(
                                           "velora", "it became shorter while it was read")),
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
        throw FileError(path,
                        QCoreApplication::translate("velora", kCannotOpen).arg(file.errorString()));
    }
}

void WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    OutputFile file(path);
    file.Write(bytes.constData(), bytes.size());
    file.Commit();
}

QString EmptyFileReason() { return QCoreApplication::translate("velora", "is empty"); }

QString ByteCountText(qint64 bytes) {
    constexpr qint64 kMegabyte = qint64(1) << 20;
    if (bytes < kMegabyte) return QCoreApplication::translate("velora", "%1 bytes").arg(bytes);
    return QCoreApplication::translate("velora", "%1 MB").arg(bytes / kMegabyte);
}

}  // namespace velora
