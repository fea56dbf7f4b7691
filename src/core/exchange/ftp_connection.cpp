// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exchange/ftp_connection.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QIODevice>
#include <QList>

#include <curl/curl.h>

#include <mutex>

namespace velora {

namespace {
// How long the transfer loop waits for the network before it looks at the
// cancel again, when no data arrives to wake it sooner.
constexpr int kCancelCheckMs = 40;
// Far beyond any real folder; a server that sends without end cannot fill
// the memory.
constexpr qint64 kMaxListingBytes = qint64(64) * 1024 * 1024;
constexpr qsizetype kRepliesKept = 32;
constexpr long kConnectTimeoutMs = 20000;
constexpr long kResponseTimeoutSeconds = 60;
// How long an active-mode transfer waits for the server to connect back
// before it tries passive mode instead. A server that can reach us does so
// at once; one behind a firewall never does.
constexpr long kAcceptTimeoutMs = 5000;
// A link that moves less than one byte a second for a minute is dead; a slow
// one that moves anything at all goes on.
constexpr long kLowSpeedSeconds = 60;

void InitializeCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct CommandListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using CommandList = std::unique_ptr<curl_slist, CommandListDeleter>;

CommandList MakeCommandList(const QList<QByteArray>& commands) {
    curl_slist* list = nullptr;
    for (const QByteArray& command : commands) list = curl_slist_append(list, command.constData());
    return CommandList(list);
}

// Failures after which the next request would fail the same way: nothing
// was reached, the login or the TLS handshake was refused, or the link is
// dead. A connection that broke in the middle of one transfer is not among
// them: the next request connects again, and fails at once when the server
// is gone.
bool LosesSession(CURLcode code) {
    switch (code) {
        case CURLE_UNSUPPORTED_PROTOCOL:
        case CURLE_URL_MALFORMAT:
        case CURLE_COULDNT_RESOLVE_PROXY:
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_CONNECT:
        case CURLE_WEIRD_SERVER_REPLY:
        case CURLE_LOGIN_DENIED:
        case CURLE_OPERATION_TIMEDOUT:
        case CURLE_OUT_OF_MEMORY:
        case CURLE_USE_SSL_FAILED:
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CACERT_BADFILE:
            return true;
        default:
            return false;
    }
}

// Our own words where libcurl's would leave the user guessing.
QString PlainReason(CURLcode code) {
    switch (code) {
        case CURLE_LOGIN_DENIED:
            return QCoreApplication::translate("velora", "the login or password was refused");
        case CURLE_USE_SSL_FAILED:
            return QCoreApplication::translate("velora", "the server does not offer TLS");
        case CURLE_PEER_FAILED_VERIFICATION:
            return QCoreApplication::translate(
                "velora", "the server's certificate is not trusted or names another server");
        case CURLE_SSL_CACERT_BADFILE:
            return QCoreApplication::translate("velora", "the CA file cannot be read");
        case CURLE_FTP_ACCEPT_TIMEOUT:
            return QCoreApplication::translate("velora",
                                               "the server did not open the data connection");
        default:
            return QString::fromUtf8(curl_easy_strerror(code));
    }
}

// A server reply: three digits, then a blank or, on the first lines of a
// longer reply, a dash.
int ReplyCode(const QByteArray& line) {
    if (line.size() < 3) return 0;
    bool isNumber = false;
    const int code = line.left(3).toInt(&isNumber);
    return isNumber ? code : 0;
}

// The server refused PORT, or could not open the data connection to us
// (425, or 421 when it gave up waiting): a firewall or a router between us
// lets only connections that we open pass.
bool RefusedActiveMode(CURLcode code, long reply) {
    return code == CURLE_FTP_PORT_FAILED || code == CURLE_FTP_ACCEPT_FAILED ||
           code == CURLE_FTP_ACCEPT_TIMEOUT || (code != CURLE_OK && (reply == 425 || reply == 421));
}

// The host part of a URL from the address as typed. An address given as a
// URL ("ftp://host/") still names its host; an IPv6 address gets brackets.
QByteArray UrlHost(const QString& address) {
    QByteArray host = address.trimmed().toUtf8();
    if (host.toLower().startsWith("ftp://")) host.remove(0, 6);
    while (host.endsWith('/')) host.chop(1);
    const bool ipv6Literal = host.count(':') > 1 && !host.startsWith('[');
    return ipv6Literal ? '[' + host + ']' : host;
}

// The path part of a URL. libcurl takes a URL path from the folder the login
// starts in; "%2F" makes it start at the root. A folder ends with "/" so that
// the path is not taken for a file.
QByteArray UrlPath(const QByteArray& path, bool isFolder) {
    QByteArray url = "/";
    QByteArray rest = path;
    if (rest.startsWith('/')) {
        url += "%2F";
        rest.remove(0, 1);
    }
    url += rest.toPercentEncoding("/");
    if (isFolder && !url.endsWith('/')) url += '/';
    return url;
}

// The folder named by a "257" reply: between the first quote and the next
// lone one, with doubled quotes standing for one.
std::optional<QByteArray> QuotedPath(const QByteArray& reply) {
    const qsizetype open = reply.indexOf('"');
    if (open < 0) return std::nullopt;
    QByteArray path;
    for (qsizetype i = open + 1; i < reply.size(); ++i) {
        if (reply[i] != '"') {
            path += reply[i];
        } else if (i + 1 < reply.size() && reply[i + 1] == '"') {
            path += '"';
            ++i;
        } else {
            return path;
        }
    }
    return std::nullopt;
}

// A command for a path whose refusal is an answer: the leading "*" keeps
// libcurl from closing the session when the server says no. A line break in
// the path would end the command early and send the rest as a command of its
// own, so such a path goes nowhere.
QByteArray QuestionCommand(const char* verb, const QByteArray& path, const QString& subject) {
    if (path.contains('\r') || path.contains('\n') || path.contains('\0'))
        throw FtpError(subject,
                       QCoreApplication::translate("velora", "the name holds a line break"), false);
    return '*' + QByteArray(verb) + ' ' + path;
}

struct Request {
    QByteArray urlPath;
    bool noBody = false;
    // Ask the server when the file was last changed (MDTM).
    bool fileTime = false;
    // Nothing but the commands: no change of folder before or after them, so
    // that the last reply of the request is the answer to the last command.
    bool commandsOnly = false;
    QIODevice* sink = nullptr;
    qint64 sinkLimit = -1;
    QIODevice* source = nullptr;
    QList<QByteArray> commandsBefore;
    QList<QByteArray> commandsAfter;
};
}  // namespace

class FtpConnection::Session {
public:
    Session(FtpServer server, const TransferCancel& cancel);
    ~Session() {
        // The easy handle goes first: closing the multi handle then ends the
        // cached control connection with QUIT.
        m_easy.reset();
        m_multi.reset();
    }

    // Runs the request; on failure throws, naming the subject.
    void Run(const Request& request, const QString& subject);
    // Sends commands whose refusal is an answer, not an error: true when
    // the server agreed to the last one. A lost session and a cancel still
    // throw.
    bool Ask(const QList<QByteArray>& commands, const QString& subject);
    // What the last request without a body learnt about its file; -1 when
    // nothing.
    curl_off_t FileTime() const;
    curl_off_t FileSize() const;
    const QList<QByteArray>& Replies() const { return m_replies; }
    bool IsPassive() const { return m_passive; }
    const FtpServer& Server() const { return m_server; }

private:
    long LastReply() const;
    CURLcode Perform(const Request& request);
    CURLcode PerformOnce(const Request& request);
    void Prepare(const Request& request, const CommandList& before, const CommandList& after);
    CURLcode RunToEnd();
    bool ConnectBackOverdue() const;
    [[noreturn]] void Fail(CURLcode code, const Request& request, const QString& subject) const;
    QString Reason(CURLcode code, const Request& request) const;

    static size_t OnBody(char* data, size_t size, size_t count, void* session);
    static size_t OnUploadData(char* data, size_t size, size_t count, void* session);
    static size_t OnReply(char* data, size_t size, size_t count, void* session);
    static int OnProgress(void* session, curl_off_t, curl_off_t, curl_off_t, curl_off_t);
    static int OnDebug(CURL*, curl_infotype type, char* data, size_t size, void* session);

    FtpServer m_server;
    const TransferCancel& m_cancel;
    std::unique_ptr<CURLM, MultiDeleter> m_multi;
    std::unique_ptr<CURL, EasyDeleter> m_easy;
    bool m_passive;
    const Request* m_request = nullptr;
    // Runs from the PORT command of an active transfer until data moves or
    // the transfer ends.
    QElapsedTimer m_awaitingConnectBack;
    qint64 m_bytesMoved = 0;
    bool m_sinkOverflow = false;
    QList<QByteArray> m_replies;
};

FtpConnection::Session::Session(FtpServer server, const TransferCancel& cancel)
    : m_server(std::move(server)),
      m_cancel(cancel),
      m_passive(m_server.proxy.has_value() || m_server.useTls) {
    InitializeCurlOnce();
    m_multi.reset(curl_multi_init());
    m_easy.reset(curl_easy_init());
    if (!m_multi || !m_easy) {
        throw FtpError(m_server.address,
                       QCoreApplication::translate("velora", "libcurl could not start"), true);
    }
    CURL* easy = m_easy.get();
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Session::OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy, CURLOPT_READFUNCTION, &Session::OnUploadData);
    curl_easy_setopt(easy, CURLOPT_READDATA, this);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Session::OnReply);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &Session::OnProgress);
    curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
    // The commands sent show when an active transfer starts to wait for the
    // server; the debug hook sees them only with verbose on, and prints
    // nothing.
    curl_easy_setopt(easy, CURLOPT_DEBUGFUNCTION, &Session::OnDebug);
    curl_easy_setopt(easy, CURLOPT_DEBUGDATA, this);
    curl_easy_setopt(easy, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, kConnectTimeoutMs);
    curl_easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT, kResponseTimeoutSeconds);
    // Our own wait ends first and leaves the control connection closed;
    // libcurl's would keep it, with the server still waiting to connect.
    curl_easy_setopt(easy, CURLOPT_ACCEPTTIMEOUT_MS, 2 * kAcceptTimeoutMs);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, kLowSpeedSeconds);
    // The control connection idles while a large file moves; keep-alive
    // packets keep routers from forgetting it.
    curl_easy_setopt(easy, CURLOPT_TCP_KEEPALIVE, 1L);
    // A cancel does not wait for a name lookup that hangs.
    curl_easy_setopt(easy, CURLOPT_QUICK_EXIT, 1L);
    if (!m_server.login.isEmpty()) {
        curl_easy_setopt(easy, CURLOPT_USERNAME, m_server.login.toUtf8().constData());
        curl_easy_setopt(easy, CURLOPT_PASSWORD, m_server.password.toUtf8().constData());
    }
    // With a proxy every connection goes through a tunnel, so that listings
    // and uploads pass as they do without one.
    curl_easy_setopt(easy, CURLOPT_HTTPPROXYTUNNEL, 1L);
    if (m_server.proxy) {
        curl_easy_setopt(easy, CURLOPT_PROXY,
                         m_server.proxy->address.trimmed().toUtf8().constData());
        if (m_server.proxy->port > 0)
            curl_easy_setopt(easy, CURLOPT_PROXYPORT, static_cast<long>(m_server.proxy->port));
    }
    if (m_server.useTls) {
        // Control and data connections alike; a server that does not offer
        // TLS ends the session before the password is sent.
        curl_easy_setopt(easy, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
        curl_easy_setopt(easy, CURLOPT_FTPSSLAUTH, static_cast<long>(CURLFTPAUTH_TLS));
        if (!m_server.caFile.trimmed().isEmpty())
            curl_easy_setopt(easy, CURLOPT_CAINFO, m_server.caFile.trimmed().toUtf8().constData());
    }
}

void FtpConnection::Session::Run(const Request& request, const QString& subject) {
    const CURLcode code = Perform(request);
    if (code != CURLE_OK) Fail(code, request, subject);
}

bool FtpConnection::Session::Ask(const QList<QByteArray>& commands, const QString& subject) {
    Request request;
    request.urlPath = UrlPath("/", true);
    request.noBody = true;
    request.commandsOnly = true;
    request.commandsBefore = commands;
    Run(request, subject);
    const long reply = LastReply();
    return reply >= 200 && reply < 300;
}

curl_off_t FtpConnection::Session::FileTime() const {
    curl_off_t time = -1;
    curl_easy_getinfo(m_easy.get(), CURLINFO_FILETIME_T, &time);
    return time;
}

// A request without a body gets the size answered to SIZE as a header line
// of libcurl's own making.
curl_off_t FtpConnection::Session::FileSize() const {
    static const QByteArray kHeader = "Content-Length: ";
    for (const QByteArray& line : m_replies) {
        bool isNumber = false;
        const qint64 size =
            line.startsWith(kHeader) ? line.mid(kHeader.size()).toLongLong(&isNumber) : -1;
        if (isNumber && size >= 0) return size;
    }
    return -1;
}

long FtpConnection::Session::LastReply() const {
    long reply = 0;
    curl_easy_getinfo(m_easy.get(), CURLINFO_RESPONSE_CODE, &reply);
    return reply;
}

CURLcode FtpConnection::Session::Perform(const Request& request) {
    const qint64 sourceStart = request.source ? request.source->pos() : 0;
    const CURLcode firstCode = PerformOnce(request);
    if (m_passive || m_bytesMoved > 0 || !RefusedActiveMode(firstCode, LastReply()))
        return firstCode;
    m_passive = true;
    if (request.source) request.source->seek(sourceStart);
    return PerformOnce(request);
}

CURLcode FtpConnection::Session::PerformOnce(const Request& request) {
    const CommandList before = MakeCommandList(request.commandsBefore);
    const CommandList after = MakeCommandList(request.commandsAfter);
    Prepare(request, before, after);
    const CURLcode code = RunToEnd();
    m_request = nullptr;
    curl_easy_setopt(m_easy.get(), CURLOPT_QUOTE, nullptr);
    curl_easy_setopt(m_easy.get(), CURLOPT_POSTQUOTE, nullptr);
    return code;
}

void FtpConnection::Session::Prepare(const Request& request, const CommandList& before,
                                     const CommandList& after) {
    m_request = &request;
    m_bytesMoved = 0;
    m_sinkOverflow = false;
    m_awaitingConnectBack.invalidate();
    m_replies.clear();

    QByteArray url = "ftp://" + UrlHost(m_server.address);
    if (m_server.port > 0) url += ':' + QByteArray::number(m_server.port);
    url += request.urlPath;

    CURL* easy = m_easy.get();
    curl_easy_setopt(easy, CURLOPT_URL, url.constData());
    curl_easy_setopt(easy, CURLOPT_NOBODY, request.noBody ? 1L : 0L);
    curl_easy_setopt(easy, CURLOPT_FILETIME, request.fileTime ? 1L : 0L);
    curl_easy_setopt(easy, CURLOPT_UPLOAD, request.source ? 1L : 0L);
    curl_easy_setopt(easy, CURLOPT_INFILESIZE_LARGE,
                     request.source && !request.source->isSequential()
                         ? static_cast<curl_off_t>(request.source->size() - request.source->pos())
                         : curl_off_t(-1));
    curl_easy_setopt(easy, CURLOPT_QUOTE, before.get());
    curl_easy_setopt(easy, CURLOPT_POSTQUOTE, after.get());
    curl_easy_setopt(easy, CURLOPT_FTPPORT, m_passive ? nullptr : "-");
    // One CWD to the full folder instead of one per level: fewer round trips.
    curl_easy_setopt(
        easy, CURLOPT_FTP_FILEMETHOD,
        static_cast<long>(request.commandsOnly ? CURLFTPMETHOD_NOCWD : CURLFTPMETHOD_SINGLECWD));
}

// Drives the request through the multi interface rather than
// curl_easy_perform, whose waits for a silent server last up to a second
// without a look at the cancel.
CURLcode FtpConnection::Session::RunToEnd() {
    CURLM* multi = m_multi.get();
    CURL* easy = m_easy.get();
    curl_multi_add_handle(multi, easy);
    CURLcode code = CURLE_OK;
    for (;;) {
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            code = CURLE_OUT_OF_MEMORY;
            break;
        }
        if (running == 0) {
            int queued = 0;
            const CURLMsg* message = curl_multi_info_read(multi, &queued);
            code = message && message->msg == CURLMSG_DONE ? message->data.result : CURLE_OK;
            break;
        }
        // The progress callback stops a transfer once its connection is up;
        // this stops one still resolving or connecting.
        if (m_cancel.IsCancelled()) {
            code = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        // libcurl waits for the server's reply as long as the server tries
        // to reach us, a minute with some servers; passive mode is the
        // better bet long before that.
        if (ConnectBackOverdue()) {
            code = CURLE_FTP_ACCEPT_TIMEOUT;
            break;
        }
        curl_multi_poll(multi, nullptr, 0, kCancelCheckMs, nullptr);
    }
    // A control connection whose server still waits to connect back would
    // serve that old transfer on the next data connection: it goes.
    if (code == CURLE_FTP_ACCEPT_TIMEOUT) curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L);
    curl_multi_remove_handle(multi, easy);
    curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 0L);
    return code;
}

bool FtpConnection::Session::ConnectBackOverdue() const {
    return !m_passive && m_awaitingConnectBack.isValid() &&
           m_awaitingConnectBack.hasExpired(kAcceptTimeoutMs);
}

void FtpConnection::Session::Fail(CURLcode code, const Request& request,
                                  const QString& subject) const {
    if (m_cancel.IsCancelled()) throw TransferCancelled();
    throw FtpError(subject, Reason(code, request), LosesSession(code));
}

QString FtpConnection::Session::Reason(CURLcode code, const Request& request) const {
    if (m_sinkOverflow) {
        return QCoreApplication::translate("velora", "the server sent more than %1 MiB")
            .arg(kMaxListingBytes >> 20);
    }
    if (code == CURLE_WRITE_ERROR && request.sink) return request.sink->errorString();
    if (code == CURLE_ABORTED_BY_CALLBACK && request.source) return request.source->errorString();
    QString reason = PlainReason(code);
    // The server's own words when its last reply was a refusal; a reply
    // that went well says nothing about the failure.
    const QByteArray lastReply = m_replies.isEmpty() ? QByteArray() : m_replies.back();
    if (ReplyCode(lastReply) >= 400)
        reason += QCoreApplication::translate("velora", "; the server said \"%1\"")
                      .arg(RemoteText(lastReply));
    return reason;
}

size_t FtpConnection::Session::OnBody(char* data, size_t size, size_t count, void* session) {
    auto* self = static_cast<Session*>(session);
    const qint64 length = static_cast<qint64>(size * count);
    const Request* request = self->m_request;
    // Without a body libcurl passes its own header lines here too.
    if (request && request->noBody) return size * count;
    if (!request || !request->sink) return 0;
    if (request->sinkLimit >= 0 && self->m_bytesMoved + length > request->sinkLimit) {
        self->m_sinkOverflow = true;
        return 0;
    }
    if (request->sink->write(data, length) != length) return 0;
    self->m_bytesMoved += length;
    self->m_awaitingConnectBack.invalidate();
    return static_cast<size_t>(length);
}

size_t FtpConnection::Session::OnUploadData(char* data, size_t size, size_t count, void* session) {
    auto* self = static_cast<Session*>(session);
    const Request* request = self->m_request;
    if (!request || !request->source) return 0;
    const qint64 read = request->source->read(data, static_cast<qint64>(size * count));
    if (read < 0) return CURL_READFUNC_ABORT;
    self->m_bytesMoved += read;
    self->m_awaitingConnectBack.invalidate();
    return static_cast<size_t>(read);
}

// Only the last replies matter; a server that talks without end must not
// fill the memory.
size_t FtpConnection::Session::OnReply(char* data, size_t size, size_t count, void* session) {
    auto* self = static_cast<Session*>(session);
    if (self->m_replies.size() == kRepliesKept) self->m_replies.removeFirst();
    const QByteArray reply = QByteArray(data, static_cast<qsizetype>(size * count)).trimmed();
    self->m_replies.append(reply);
    return size * count;
}

int FtpConnection::Session::OnDebug(CURL*, curl_infotype type, char* data, size_t size,
                                    void* session) {
    if (type != CURLINFO_HEADER_OUT || size < 5) return 0;
    const QByteArray command(data, 5);
    if (command == "PORT " || command == "EPRT ")
        static_cast<Session*>(session)->m_awaitingConnectBack.start();
    return 0;
}

int FtpConnection::Session::OnProgress(void* session, curl_off_t, curl_off_t, curl_off_t,
                                       curl_off_t) {
    return static_cast<Session*>(session)->m_cancel.IsCancelled() ? 1 : 0;
}

FtpConnection::FtpConnection(FtpServer server, const TransferCancel& cancel)
    : m_session(std::make_unique<Session>(std::move(server), cancel)) {}

FtpConnection::~FtpConnection() = default;

void FtpConnection::Connect() {
    const FtpServer& server = m_session->Server();
    if (server.address.trimmed().isEmpty()) {
        throw FtpError(QCoreApplication::translate("velora", "No server"),
                       QCoreApplication::translate(
                           "velora", "the address is empty (File / Connection setup...)"),
                       true);
    }
    if (server.port < 0 || server.port > 65535) {
        throw FtpError(
            server.address,
            QCoreApplication::translate("velora", "the port %1 is not between 0 and 65535")
                .arg(server.port),
            true);
    }
    Request request;
    request.urlPath = "/";
    request.noBody = true;
    m_session->Run(request, server.address);
}

QByteArray FtpConnection::SetCurrentDirectory(const QByteArray& folder) {
    Request request;
    request.urlPath = folder.isEmpty() ? QByteArray("/") : UrlPath(folder, true);
    request.noBody = true;
    request.commandsAfter = {"PWD"};
    const QString subject =
        QCoreApplication::translate("velora", "The folder \"%1\"").arg(RemoteText(folder));
    m_session->Run(request, subject);
    // The last "257" is the answer to our PWD; a new session also asks for
    // the folder it starts in right after the login.
    const QList<QByteArray>& replies = m_session->Replies();
    for (auto reply = replies.rbegin(); reply != replies.rend(); ++reply) {
        if (!reply->startsWith("257")) continue;
        if (const std::optional<QByteArray> path = QuotedPath(*reply)) return *path;
    }
    throw FtpError(subject,
                   QCoreApplication::translate("velora", "the server does not say where it is"),
                   false);
}

FtpListing FtpConnection::List(const QByteArray& folder) {
    QBuffer reply;
    reply.open(QIODevice::WriteOnly);
    Request request;
    request.urlPath = UrlPath(folder, true);
    request.sink = &reply;
    request.sinkLimit = kMaxListingBytes;
    m_session->Run(
        request,
        QCoreApplication::translate("velora", "The folder \"%1\"").arg(RemoteText(folder)));
    return ParseFtpListing(reply.data());
}

namespace {
QDateTime FromEpoch(curl_off_t seconds) {
    return seconds < 0 ? QDateTime() : QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
}
}  // namespace

QDateTime FtpConnection::Download(const QByteArray& path, QIODevice& sink) {
    Request request;
    request.urlPath = UrlPath(path, false);
    request.sink = &sink;
    request.fileTime = true;
    m_session->Run(request, RemoteText(path));
    return FromEpoch(m_session->FileTime());
}

RemoteFileInfo FtpConnection::Stat(const QByteArray& path) {
    Request request;
    request.urlPath = UrlPath(path, false);
    request.noBody = true;
    request.fileTime = true;
    m_session->Run(request, RemoteText(path));
    return {static_cast<qint64>(m_session->FileSize()), FromEpoch(m_session->FileTime())};
}

void FtpConnection::Upload(QIODevice& source, const QByteArray& path) {
    Request request;
    request.urlPath = UrlPath(path, false);
    request.source = &source;
    m_session->Run(request, RemoteText(path));
}

bool FtpConnection::CreateDirectory(const QByteArray& path) {
    const QString subject = RemoteText(path);
    return m_session->Ask({QuestionCommand("MKD", path, subject)}, subject);
}

bool FtpConnection::Remove(const QByteArray& path) {
    const QString subject = RemoteText(path);
    return m_session->Ask({QuestionCommand("DELE", path, subject)}, subject);
}

bool FtpConnection::Rename(const QByteArray& from, const QByteArray& to) {
    const QString subject = RemoteText(to);
    return m_session->Ask(
        {QuestionCommand("RNFR", from, subject), QuestionCommand("RNTO", to, subject)}, subject);
}

bool FtpConnection::IsPassive() const { return m_session->IsPassive(); }

}  // namespace velora
