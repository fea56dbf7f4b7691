// SPDX-License-Identifier: GPL-3.0-or-later
#include "local_ftp_server.h"

#include <QFile>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace velora::test {

namespace {
QStringList FileLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}
}  // namespace

bool ScriptServer::Start(const QString& script, const QStringList& arguments) {
    m_process.start(QStringLiteral(VELORA_PYTHON),
                    QStringList{QStringLiteral(VELORA_FTP_SUPPORT) + '/' + script} + arguments);
    if (!m_process.waitForStarted(10000)) {
        m_error = m_process.errorString();
        return false;
    }
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(15000)) {
            m_error = QString::fromLocal8Bit(m_process.readAllStandardError());
            return false;
        }
    }
    m_port = m_process.readLine().trimmed().toInt();
    if (m_port <= 0) m_error = script + QStringLiteral(" did not name its port");
    return m_port > 0;
}

void ScriptServer::Kill() {
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.kill();
    m_process.waitForFinished(5000);
}

LocalFtpServer::LocalFtpServer(QString root, LocalFtpServerOptions options)
    : m_root(std::move(root)), m_options(std::move(options)) {}

bool LocalFtpServer::Start() {
    QStringList arguments = {QStringLiteral("--root"),     m_root,
                             QStringLiteral("--user"),     QString::fromLatin1(kLogin),
                             QStringLiteral("--password"), QString::fromLatin1(kPassword),
                             QStringLiteral("--sessions"), m_scratch.filePath("sessions"),
                             QStringLiteral("--commands"), m_scratch.filePath("commands")};
    if (m_options.refuseActiveMode) arguments << QStringLiteral("--refuse-active");
    if (m_options.noConnectBack) arguments << QStringLiteral("--no-connect-back");
    if (m_options.refuseRename) arguments << QStringLiteral("--refuse-rename");
    if (m_options.cutAfter > 0)
        arguments << QStringLiteral("--cut-after") << QString::number(m_options.cutAfter);
    if (m_options.rate > 0)
        arguments << QStringLiteral("--rate") << QString::number(m_options.rate);
    if (!m_options.cannedListing.isEmpty())
        arguments << QStringLiteral("--listing") << m_options.cannedListing;
    return m_process.Start(QStringLiteral("ftp_server.py"), arguments);
}

FtpServer LocalFtpServer::Server() const {
    return {QStringLiteral("127.0.0.1"),
            Port(),
            QString::fromLatin1(kLogin),
            QString::fromLatin1(kPassword),
            {}};
}

int LocalFtpServer::MostSessionsAtOnce() const {
    const QStringList lines = FileLines(m_scratch.filePath("sessions"));
    const QStringList counts = lines.isEmpty() ? QStringList() : lines.front().split(' ');
    return counts.size() == 2 ? counts[1].toInt() : 0;
}

QStringList LocalFtpServer::Commands() const { return FileLines(m_scratch.filePath("commands")); }

bool LocalProxy::Start() {
    return m_process.Start(QStringLiteral("connect_proxy.py"),
                           {QStringLiteral("--log"), m_scratch.filePath("tunnels")});
}

QStringList LocalProxy::Tunnels() const { return FileLines(m_scratch.filePath("tunnels")); }

int UnusedLoopbackPort() {
    const int socketFd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    int port = 0;
    if (bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
        getsockname(socketFd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    close(socketFd);
    return port;
}

}  // namespace velora::test
