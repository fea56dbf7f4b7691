// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <optional>

namespace velora::testing {

inline void WriteFile(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write("x");
}

inline void MakeFolder(const QString& path) {
    ASSERT_TRUE(QDir().mkpath(path)) << path.toStdString();
}

inline void MakeLink(const QString& target, const QString& link) {
    ASSERT_TRUE(QFile::link(target, link)) << link.toStdString();
}

inline void SetMode(const QString& path, QFile::Permissions permissions) {
    ASSERT_TRUE(QFile::setPermissions(path, permissions)) << path.toStdString();
}

constexpr QFile::Permissions kOpenToAll = QFile::Permissions(0x7777);
constexpr QFile::Permissions kReadOnlyFolder = QFile::ReadOwner | QFile::ExeOwner |
                                               QFile::ReadUser | QFile::ExeUser | QFile::ReadGroup |
                                               QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;

// Runs `work` where file permissions apply: as root it runs in a child process
// that has given up root, because root ignores them. Gives the exit code of
// `work` (0 to 255), or nothing when root cannot be given up here.
inline std::optional<int> RunUnprivileged(const std::function<int()>& work) {
    if (::geteuid() != 0) return work();
    const pid_t child = ::fork();
    if (child < 0) return std::nullopt;
    if (child == 0) {
        constexpr int kCannotDrop = 254;
        const gid_t nobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0) {
            ::_exit(kCannotDrop);
        }
        ::_exit(work());
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 254) {
        return std::nullopt;
    }
    return WEXITSTATUS(status);
}

}  // namespace velora::testing
