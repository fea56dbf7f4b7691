// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/settings_record.h"
#include "local_ftp_server.h"
#include "test_files.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace velora::test {

// A folder of its own for every test, with the server's root folder and a
// local library side by side in it, and a real server on demand.
class ExchangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir().mkpath(ServerPath()));
        ASSERT_TRUE(QDir().mkpath(LibraryPath()));
    }

    void StartServer(LocalFtpServerOptions options = {}) {
        m_server = std::make_unique<LocalFtpServer>(ServerPath(), std::move(options));
        ASSERT_TRUE(m_server->Start()) << m_server->Error().toStdString();
    }

    // The libraries below the library folder.
    LibraryFolders Libraries() const {
        return {LibraryPath("templates/"), LibraryPath("textures/"), LibraryPath("veloras/"),
                LibraryPath("export/")};
    }
    // Every profile on the running server, with the remote folders "/t"
    // (templates), "/x" (textures) and "/v" (veloras).
    void PointProfilesAtServer(SettingsRecord& settings) const {
        const FtpServer server = m_server->Server();
        const ServerProfile profile{server.address, server.login, server.password, {}, server.port};
        settings.templates = settings.textures = settings.veloras = profile;
        settings.templates.folder = "/t";
        settings.textures.folder = "/x";
        settings.veloras.folder = "/v";
    }

    QString ServerPath(const QString& relative = {}) const { return PathIn("server", relative); }
    QString LibraryPath(const QString& relative = {}) const { return PathIn("library", relative); }
    QString PathIn(const QString& folder, const QString& relative) const {
        return m_dir.filePath(folder) + '/' + relative;
    }

    // Writes a file, making its folders.
    static void Put(const QString& path, const QByteArray& bytes) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        WriteFileBytes(path, bytes);
    }

    // Every file below a folder, as paths relative to it, sorted.
    static QStringList FilesBelow(const QString& folder) {
        QStringList files;
        QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) files.append(QDir(folder).relativeFilePath(it.next()));
        files.sort();
        return files;
    }

    // Bytes that differ from line to line and hold every byte value, so that a
    // text-mode transfer or a lost piece shows.
    static QByteArray Pattern(qsizetype size) {
        QByteArray bytes(size, Qt::Uninitialized);
        for (qsizetype i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xff);
        return bytes;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<LocalFtpServer> m_server;
};

}  // namespace velora::test
