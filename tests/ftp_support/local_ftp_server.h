// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/exchange/ftp_connection.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace velora::test {

// One of the helper scripts beside this file, run with the system's Python:
// it prints the port it listens on as its first line and serves until it is
// killed, at the latest when the object goes.
class ScriptServer {
public:
    ScriptServer() = default;
    ~ScriptServer() { Kill(); }
    ScriptServer(const ScriptServer&) = delete;
    ScriptServer& operator=(const ScriptServer&) = delete;

    // False, with the reason in Error(), when the script would not start.
    bool Start(const QString& script, const QStringList& arguments);
    int Port() const { return m_port; }
    QString Error() const { return m_error; }
    // Ends it the way a crash would, in the middle of whatever it does.
    void Kill();

private:
    QProcess m_process;
    int m_port = 0;
    QString m_error;
};

struct LocalFtpServerOptions {
    bool refuseActiveMode = false;
    // Takes PORT and never connects back, like a server behind a firewall.
    bool noConnectBack = false;
    bool refuseRename = false;
    // Drops the session once an upload has sent this many bytes; 0 never.
    int cutAfter = 0;
    // Bytes per second on every data connection; 0 runs at full speed.
    int rate = 0;
    // A file whose bytes answer every listing of the root folder.
    QString cannedListing;

    static LocalFtpServerOptions RefusingActiveMode() {
        LocalFtpServerOptions options;
        options.refuseActiveMode = true;
        return options;
    }
    static LocalFtpServerOptions Throttled(int rate) {
        LocalFtpServerOptions options;
        options.rate = rate;
        return options;
    }
    static LocalFtpServerOptions Listing(QString file) {
        LocalFtpServerOptions options;
        options.cannedListing = std::move(file);
        return options;
    }
};

// A real FTP server (pyftpdlib) on 127.0.0.1 serving one folder to one
// account.
class LocalFtpServer {
public:
    static constexpr const char* kLogin = "tester";
    static constexpr const char* kPassword = "secret";

    explicit LocalFtpServer(QString root, LocalFtpServerOptions options = {});

    bool Start();
    QString Error() const { return m_process.Error(); }
    int Port() const { return m_process.Port(); }
    // The server and account as a connection takes them.
    FtpServer Server() const;
    void Kill() { m_process.Kill(); }

    // The most sessions that were logged in at the same time so far.
    int MostSessionsAtOnce() const;
    // Every command the server received so far but the passwords, in order.
    QStringList Commands() const;

private:
    QString m_root;
    LocalFtpServerOptions m_options;
    QTemporaryDir m_scratch;
    ScriptServer m_process;
};

// A proxy on 127.0.0.1 that tunnels CONNECT requests.
class LocalProxy {
public:
    bool Start();
    QString Error() const { return m_process.Error(); }
    int Port() const { return m_process.Port(); }
    // "host:port" of every tunnel opened so far.
    QStringList Tunnels() const;

private:
    QTemporaryDir m_scratch;
    ScriptServer m_process;
};

// A loopback port that nothing listens on.
int UnusedLoopbackPort();

}  // namespace velora::test
