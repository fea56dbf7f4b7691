// SPDX-License-Identifier: GPL-3.0-or-later
#include "local_vsftpd.h"

#include "local_ftp_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QMultiHash>

namespace velora::test {

namespace {
bool AcceptsConnections(int port) {
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool accepted =
        connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    close(probe);
    return accepted;
}
}  // namespace

LocalVsftpd::LocalVsftpd(QString root, Options options)
    : m_root(std::move(root)), m_options(options) {}

bool LocalVsftpd::Start() {
    if (!m_scratch.isValid()) {
        m_error = QStringLiteral("no scratch folder");
        return false;
    }
    if (m_options.tls && !MakeCertificate()) return false;
    m_port = UnusedLoopbackPort();
    if (!WriteConfiguration()) return false;
    m_process.start(QStringLiteral("/usr/sbin/vsftpd"), {m_scratch.filePath("vsftpd.conf")});
    if (!m_process.waitForStarted(5000)) {
        m_error = QStringLiteral("vsftpd: ") + m_process.errorString();
        return false;
    }
    return WaitUntilListening();
}

bool LocalVsftpd::MakeCertificate() {
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj",
                   "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1", "-keyout",
                   m_scratch.filePath("key.pem"), "-out", CertificateFile()});
    if (openssl.waitForFinished(30000) && openssl.exitCode() == 0) return true;
    m_error = QStringLiteral("openssl: ") + QString::fromLocal8Bit(openssl.readAllStandardError());
    return false;
}

bool LocalVsftpd::WriteConfiguration() {
    // vsftpd wants an empty folder, owned by root and not writable by others,
    // to lock its sessions into.
    const QString empty = m_scratch.filePath("empty");
    QDir().mkpath(empty);
    QFile::setPermissions(empty, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                     QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                     QFile::ExeOther);
    QStringList lines = {"listen=YES",
                         "listen_ipv6=NO",
                         "listen_address=127.0.0.1",
                         QStringLiteral("listen_port=%1").arg(m_port),
                         "background=NO",
                         "anonymous_enable=YES",
                         "no_anon_password=YES",
                         "anon_root=" + m_root,
                         "local_enable=NO",
                         "write_enable=NO",
                         "port_enable=YES",
                         "connect_from_port_20=NO",
                         "pasv_enable=YES",
                         "pasv_address=127.0.0.1",
                         "seccomp_sandbox=NO",
                         "isolate_network=NO",
                         "isolate=NO",
                         "xferlog_enable=NO",
                         "secure_chroot_dir=" + empty,
                         "vsftpd_log_file=" + m_scratch.filePath("log")};
    if (m_options.rate > 0) lines << QStringLiteral("anon_max_rate=%1").arg(m_options.rate);
    if (m_options.tls) {
        lines << "ssl_enable=YES"
              << "allow_anon_ssl=YES"
              << "force_anon_logins_ssl=NO"
              << "force_anon_data_ssl=NO"
              << "require_ssl_reuse=NO"
              << "rsa_cert_file=" + CertificateFile()
              << "rsa_private_key_file=" + m_scratch.filePath("key.pem");
    }
    QFile file(m_scratch.filePath("vsftpd.conf"));
    if (file.open(QIODevice::WriteOnly) && file.write((lines.join('\n') + '\n').toUtf8()) > 0)
        return true;
    m_error = QStringLiteral("cannot write the configuration");
    return false;
}

bool LocalVsftpd::WaitUntilListening() {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (m_process.state() != QProcess::Running) break;
        if (AcceptsConnections(m_port)) return true;
        usleep(50 * 1000);
    }
    m_error = QStringLiteral("vsftpd did not listen: ") +
              QString::fromLocal8Bit(m_process.readAllStandardError() +
                                     m_process.readAllStandardOutput());
    return false;
}

FtpServer LocalVsftpd::Server() const {
    FtpServer server;
    server.address = QStringLiteral("127.0.0.1");
    server.port = m_port;
    server.login = QStringLiteral("anonymous");
    server.password = QStringLiteral("tester@example.org");
    return server;
}

// vsftpd forks a process per session, which leaves the group and forks a
// helper of its own; they are found by their parents.
void LocalVsftpd::Kill() {
    if (m_process.state() == QProcess::NotRunning) return;
    QMultiHash<QByteArray, QByteArray> children;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile status(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!status.open(QIODevice::ReadOnly)) continue;
        // "pid (name) state ppid ..."
        const QList<QByteArray> fields = status.readAll().split(')').value(1).split(' ');
        if (fields.size() > 2) children.insert(fields[2], entry.toLatin1());
    }
    QList<QByteArray> family = {QByteArray::number(m_process.processId())};
    for (qsizetype i = 0; i < family.size(); ++i) family += children.values(family[i]);
    for (const QByteArray& pid : family) ::kill(pid.toInt(), SIGKILL);
    m_process.waitForFinished(5000);
}

}  // namespace velora::test
