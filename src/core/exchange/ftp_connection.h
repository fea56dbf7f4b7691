// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/errors.h"
#include "core/exchange/ftp_listing.h"
#include "core/exchange/transfer_cancel.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <memory>
#include <optional>

class QIODevice;

namespace velora {

struct FtpProxy {
    QString address;  // a host, or a URL such as "socks5://host"
    int port = 0;     // 0: the port in the address, or the proxy type's default
};

// The server and account that a connection logs in to.
struct FtpServer {
    QString address;
    int port = 0;   // 0: the protocol's default
    QString login;  // empty: anonymous
    QString password;
    std::optional<FtpProxy> proxy;
    // Explicit FTPS: the session asks for TLS ("AUTH TLS") before the login
    // and fails when the server does not offer it.
    bool useTls = false;
    // Certificates of a private authority the server's certificate may
    // chain to; empty: the system's store alone.
    QString caFile{};
};

// What the server says about a file: its size in bytes (-1 when it does not
// say) and when it was last changed (invalid when it does not say).
struct RemoteFileInfo {
    qint64 size = -1;
    QDateTime modified;
};

// A request the server or the network refused. The message is the subject
// (what failed) and the reason.
class FtpError : public VeloraError {
public:
    FtpError(const QString& subject, const QString& reason, bool sessionLost)
        : VeloraError(subject + QStringLiteral(": ") + reason),
          m_reason(reason),
          m_sessionLost(sessionLost) {}
    const QString& Reason() const { return m_reason; }
    // The server cannot be reached any more, or never could: the next request
    // would fail the same way.
    bool SessionLost() const { return m_sessionLost; }

private:
    QString m_reason;
    bool m_sessionLost;
};

// The transfer was stopped through its TransferCancel.
class TransferCancelled : public VeloraError {
public:
    TransferCancelled() : VeloraError(QStringLiteral("Cancelled")) {}
};

// One FTP session on libcurl. Requests reuse the logged-in control
// connection. Remote paths are bytes as the server names them; a path that
// starts with "/" is taken from the server's root, any other one from the
// folder the login starts in.
//
// Data connections open in active mode; when the server refuses PORT, or
// has not connected back within a few seconds, the transfer is tried again
// in passive mode and the session stays passive: behind a router or a
// firewall only connections that we open pass, and one slow step per
// session is enough. Through a proxy the session is passive from the start,
// since a tunnel carries only connections that the client opens, and so it
// is with TLS: no router can read, and so let through, a PORT command sent
// encrypted, and libcurl's own active mode over TLS waits for ever.
//
// A failure names its reason from libcurl's result and the server's last
// reply, never from libcurl's error buffer: active mode leaves a harmless
// message there on every data connection, and the buffer keeps the first.
//
// Every request throws FtpError on failure and TransferCancelled when the
// cancel was set; the session stays usable after an FtpError that did not
// lose it.
class FtpConnection {
public:
    FtpConnection(FtpServer server, const TransferCancel& cancel);
    ~FtpConnection();
    FtpConnection(const FtpConnection&) = delete;
    FtpConnection& operator=(const FtpConnection&) = delete;

    // Logs in.
    void Connect();
    // Changes to the folder and returns the path the server gives it, from
    // the root. An empty folder is the one the login starts in.
    QByteArray SetCurrentDirectory(const QByteArray& folder);
    FtpListing List(const QByteArray& folder);
    // Writes the remote file to the sink as it arrives; returns when the
    // server says the file was last changed (invalid when it does not say).
    QDateTime Download(const QByteArray& path, QIODevice& sink);
    // The file's size and time of change (SIZE, MDTM).
    RemoteFileInfo Stat(const QByteArray& path);
    // Stores the source's bytes from its current position to its end.
    void Upload(QIODevice& source, const QByteArray& path);
    // Asks the server to create or delete; false when it refused.
    bool CreateDirectory(const QByteArray& path);
    bool Remove(const QByteArray& path);
    // Renames (RNFR, RNTO), replacing a file of the new name where the
    // server allows it; false when it refused.
    bool Rename(const QByteArray& from, const QByteArray& to);

    bool IsPassive() const;

private:
    class Session;
    std::unique_ptr<Session> m_session;
};

}  // namespace velora
