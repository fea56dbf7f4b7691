// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/errors.h"
#include "core/exchange/ftp_listing.h"
#include "core/exchange/transfer_cancel.h"

#include <QByteArray>
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
// cannot reach back, the session falls back to passive mode for good.
// Through a proxy the session is passive from the start, since a tunnel
// carries only connections that the client opens.
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
    // Writes the remote file to the sink as it arrives.
    void Download(const QByteArray& path, QIODevice& sink);
    // Stores the source's bytes from its current position to its end.
    void Upload(QIODevice& source, const QByteArray& path);
    // Asks the server to create or delete; false when it refused.
    bool CreateDirectory(const QByteArray& path);
    bool Remove(const QByteArray& path);

    bool IsPassive() const;

private:
    class Session;
    std::unique_ptr<Session> m_session;
};

}  // namespace velora
