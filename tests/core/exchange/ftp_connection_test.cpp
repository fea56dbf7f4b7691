// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exchange/ftp_connection.h"

#include "exchange_fixture.h"
#include "local_vsftpd.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <thread>

namespace velora {
namespace {

using namespace std::chrono_literals;
using test::ExchangeTest;

// Counts what arrives and keeps none of it, so that another thread can watch
// a transfer go.
class CountingSink : public QIODevice {
public:
    CountingSink() { open(QIODevice::WriteOnly); }
    qint64 Received() const { return m_received.load(); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 length) override {
        m_received += length;
        return length;
    }

private:
    std::atomic<qint64> m_received{0};
};

// Waits up to a few seconds for the condition.
template <typename Condition>
bool Eventually(Condition condition) {
    for (int i = 0; i < 500 && !condition(); ++i) std::this_thread::sleep_for(10ms);
    return condition();
}

class FtpConnectionTest : public ExchangeTest {
protected:
    QByteArray Fetch(FtpConnection& connection, const QByteArray& path) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        connection.Download(path, buffer);
        return buffer.data();
    }

    TransferCancel m_cancel;
};

TEST_F(FtpConnectionTest, ChangesFolderAndNamesItAsTheServerDoes) {
    Put(ServerPath("templates/animals/cat.mtp"), "cat");
    ASSERT_NO_FATAL_FAILURE(StartServer());
    FtpConnection connection(m_server->Server(), m_cancel);
    connection.Connect();
    EXPECT_EQ(connection.SetCurrentDirectory("/templates/animals/"), "/templates/animals");
    EXPECT_EQ(connection.SetCurrentDirectory("templates"), "/templates");
    EXPECT_EQ(connection.SetCurrentDirectory(""), "/");
}

TEST_F(FtpConnectionTest, AnAddressTypedAsAUrlStillNamesTheServer) {
    Put(ServerPath("a.mtp"), "a");
    ASSERT_NO_FATAL_FAILURE(StartServer());
    FtpServer server = m_server->Server();
    server.address = " FTP://127.0.0.1/ ";
    FtpConnection connection(server, m_cancel);
    connection.Connect();
    EXPECT_EQ(Fetch(connection, "/a.mtp"), "a");
}

TEST_F(FtpConnectionTest, ListsFilesAndFoldersAndFetchesFromAnyFolder) {
    Put(ServerPath("templates/b.mtp"), "bee");
    Put(ServerPath("templates/a b.mtp"), "blank");
    Put(ServerPath("templates/sub/c.mtp"), "sea");
    ASSERT_TRUE(QDir().mkpath(ServerPath("templates/empty")));
    ASSERT_NO_FATAL_FAILURE(StartServer());
    FtpConnection connection(m_server->Server(), m_cancel);
    connection.Connect();

    const FtpListing listing = connection.List("/templates");
    std::vector<std::pair<QByteArray, bool>> entries;
    for (const RemoteEntry& entry : listing.entries)
        entries.emplace_back(entry.name, entry.isDirectory);
    EXPECT_EQ(entries, (std::vector<std::pair<QByteArray, bool>>{
                           {"a b.mtp", false}, {"b.mtp", false}, {"empty", true}, {"sub", true}}));
    EXPECT_TRUE(connection.List("/templates/empty").entries.empty());
    EXPECT_EQ(Fetch(connection, "/templates/sub/c.mtp"), "sea");
    EXPECT_EQ(Fetch(connection, "/templates/a b.mtp"), "blank");
    EXPECT_EQ(Fetch(connection, "/templates/b.mtp"), "bee");
}

TEST_F(FtpConnectionTest, UploadAndDownloadCarryEveryByteUnchanged) {
    ASSERT_NO_FATAL_FAILURE(StartServer());
    const QByteArray bytes = Pattern(300 * 1024 + 17);
    FtpConnection connection(m_server->Server(), m_cancel);
    connection.Connect();
    QBuffer source;
    source.setData(bytes);
    source.open(QIODevice::ReadOnly);
    connection.Upload(source, "/binary.bin");
    EXPECT_EQ(test::FileBytes(ServerPath("binary.bin")), bytes);
    EXPECT_EQ(Fetch(connection, "/binary.bin"), bytes);
}

TEST_F(FtpConnectionTest, CreateAndRemoveAnswerWhetherTheServerDidIt) {
    Put(ServerPath("old.mtp"), "old");
    ASSERT_NO_FATAL_FAILURE(StartServer());
    FtpConnection connection(m_server->Server(), m_cancel);
    connection.Connect();
    EXPECT_TRUE(connection.CreateDirectory("/made/"));
    EXPECT_FALSE(connection.CreateDirectory("/made/"));
    EXPECT_TRUE(QFileInfo(ServerPath("made")).isDir());
    EXPECT_TRUE(connection.Remove("/old.mtp"));
    EXPECT_FALSE(connection.Remove("/old.mtp"));
    EXPECT_FALSE(QFile::exists(ServerPath("old.mtp")));
    // A refusal leaves the session as it was: still logged in, in one go.
    EXPECT_EQ(connection.List("/").entries.size(), 1u);
    EXPECT_EQ(m_server->Commands().filter(QRegularExpression("^USER ")).size(), 1);
}

TEST_F(FtpConnectionTest, ANameWithALineBreakIsNeverSentAsACommand) {
    ASSERT_NO_FATAL_FAILURE(StartServer());
    FtpConnection connection(m_server->Server(), m_cancel);
    connection.Connect();
    EXPECT_THROW(connection.Remove("/x\r\nRMD /keep"), FtpError);
    EXPECT_THROW(connection.CreateDirectory("/x\nDELE /a"), FtpError);
    for (const QString& command : m_server->Commands()) {
        EXPECT_FALSE(command.startsWith("RMD") || command.startsWith("DELE") ||
                     command.startsWith("MKD"))
            << command.toStdString();
    }
}

TEST_F(FtpConnectionTest, MissingFoldersAndFilesFailWithoutLosingTheSession) {
    Put(ServerPath("here.mtp"), "here");
    ASSERT_NO_FATAL_FAILURE(StartServer());
    FtpConnection connection(m_server->Server(), m_cancel);
    connection.Connect();
    try {
        connection.SetCurrentDirectory("/nowhere");
        ADD_FAILURE() << "a missing folder was entered";
    } catch (const FtpError& error) {
        EXPECT_FALSE(error.SessionLost());
        EXPECT_TRUE(error.Message().startsWith("The folder \"/nowhere\": ")) << error.what();
    }
    try {
        Fetch(connection, "/missing.mtp");
        ADD_FAILURE() << "a missing file was fetched";
    } catch (const FtpError& error) {
        EXPECT_FALSE(error.SessionLost());
        EXPECT_TRUE(error.Message().startsWith("/missing.mtp: ")) << error.what();
    }
    EXPECT_EQ(Fetch(connection, "/here.mtp"), "here");
}

TEST_F(FtpConnectionTest, ARefusedLoginOrAnUnreachableServerLosesTheSession) {
    ASSERT_NO_FATAL_FAILURE(StartServer());
    FtpServer wrongPassword = m_server->Server();
    wrongPassword.password = "guess";
    FtpServer nobodyThere = m_server->Server();
    nobodyThere.port = test::UnusedLoopbackPort();
    FtpServer badPort = m_server->Server();
    badPort.port = 65536 + m_server->Port();
    FtpServer noAddress = m_server->Server();
    noAddress.address = " ";
    for (const FtpServer& server : {wrongPassword, nobodyThere, badPort, noAddress}) {
        FtpConnection connection(server, m_cancel);
        try {
            connection.Connect();
            ADD_FAILURE() << "connected to port " << server.port;
        } catch (const FtpError& error) {
            EXPECT_TRUE(error.SessionLost());
            const QString subject = server.address == " " ? "No server: " : "127.0.0.1: ";
            EXPECT_TRUE(error.Message().startsWith(subject)) << error.what();
            EXPECT_FALSE(error.Reason().isEmpty());
        }
    }
}

TEST_F(FtpConnectionTest, ActiveModeFirstAndPassiveWhenTheServerRefusesPort) {
    Put(ServerPath("a.mtp"), "active");
    ASSERT_NO_FATAL_FAILURE(StartServer());
    FtpConnection active(m_server->Server(), m_cancel);
    active.Connect();
    EXPECT_EQ(Fetch(active, "/a.mtp"), "active");
    EXPECT_FALSE(active.IsPassive());
    const QStringList commands = m_server->Commands();
    EXPECT_TRUE(commands.filter(QRegularExpression("^(EPRT|PORT) ")).size() > 0);

    test::LocalFtpServer refusing(ServerPath(), test::LocalFtpServerOptions::RefusingActiveMode());
    ASSERT_TRUE(refusing.Start()) << refusing.Error().toStdString();
    FtpConnection fallback(refusing.Server(), m_cancel);
    fallback.Connect();
    EXPECT_EQ(Fetch(fallback, "/a.mtp"), "active");
    EXPECT_TRUE(fallback.IsPassive());
    EXPECT_EQ(fallback.List("/").entries.size(), 1u);
}

TEST_F(FtpConnectionTest, TheStoredProxyCarriesTheSession) {
    Put(ServerPath("a.mtp"), "through");
    ASSERT_NO_FATAL_FAILURE(StartServer());
    test::LocalProxy proxy;
    ASSERT_TRUE(proxy.Start()) << proxy.Error().toStdString();
    FtpServer server = m_server->Server();
    server.proxy = FtpProxy{"127.0.0.1", proxy.Port()};
    FtpConnection connection(server, m_cancel);
    connection.Connect();
    EXPECT_TRUE(connection.IsPassive());
    EXPECT_EQ(Fetch(connection, "/a.mtp"), "through");
    const QStringList tunnels = proxy.Tunnels();
    EXPECT_TRUE(tunnels.contains(QString("127.0.0.1:%1").arg(m_server->Port())))
        << tunnels.join(' ').toStdString();
    // The data connection went through a tunnel of its own.
    EXPECT_GE(tunnels.size(), 2);
}

TEST_F(FtpConnectionTest, CancelEndsALargeTransferWithin200Milliseconds) {
    Put(ServerPath("large.bin"), Pattern(8 * 1024 * 1024));
    ASSERT_NO_FATAL_FAILURE(StartServer(test::LocalFtpServerOptions::Throttled(256 * 1024)));
    FtpConnection connection(m_server->Server(), m_cancel);
    connection.Connect();
    CountingSink sink;
    auto transfer =
        std::async(std::launch::async, [&] { connection.Download("/large.bin", sink); });
    ASSERT_TRUE(Eventually([&] { return sink.Received() > 0; }));
    m_cancel.Cancel();
    ASSERT_EQ(transfer.wait_for(200ms), std::future_status::ready);
    EXPECT_THROW(transfer.get(), TransferCancelled);
    EXPECT_LT(sink.Received(), 8 * 1024 * 1024);
}

TEST_F(FtpConnectionTest, CancelEndsTheWaitForAServerThatNeverAnswers) {
    // A socket that listens but never accepts: the connection is made by the
    // system, and the greeting never comes.
    const int silent = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    ASSERT_EQ(bind(silent, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(listen(silent, 4), 0);
    ASSERT_EQ(getsockname(silent, reinterpret_cast<sockaddr*>(&address), &length), 0);
    FtpConnection connection({"127.0.0.1", ntohs(address.sin_port), "a", "b", {}}, m_cancel);
    auto connecting = std::async(std::launch::async, [&] { connection.Connect(); });
    EXPECT_EQ(connecting.wait_for(300ms), std::future_status::timeout);
    m_cancel.Cancel();
    EXPECT_EQ(connecting.wait_for(200ms), std::future_status::ready);
    EXPECT_THROW(connecting.get(), TransferCancelled);
    close(silent);
}

// What a failure says, against our own loopback server and against vsftpd,
// in active mode, where libcurl leaves a harmless complaint behind on every
// data connection.
TEST_F(FtpConnectionTest, FailuresNameTheirTrueCause) {
    Put(ServerPath("here.mtp"), "here");
    Put(ServerPath("big.bin"), Pattern(4 * 1024 * 1024));
    ASSERT_NO_FATAL_FAILURE(StartServer(test::LocalFtpServerOptions::Throttled(512 * 1024)));
    test::LocalVsftpd vsftpd(ServerPath(), {false, 512 * 1024});
    ASSERT_TRUE(vsftpd.Start()) << vsftpd.Error().toStdString();

    struct Server {
        const char* name;
        FtpServer account;
        std::function<void()> kill;
    };
    const Server servers[] = {{"pyftpdlib", m_server->Server(), [this] { m_server->Kill(); }},
                              {"vsftpd", vsftpd.Server(), [&] { vsftpd.Kill(); }}};
    for (const Server& server : servers) {
        SCOPED_TRACE(server.name);
        FtpServer wrongPassword = server.account;
        wrongPassword.login = "tester";
        wrongPassword.password = "guess";
        try {
            FtpConnection refused(wrongPassword, m_cancel);
            refused.Connect();
            ADD_FAILURE() << "a wrong password logged in";
        } catch (const FtpError& error) {
            EXPECT_TRUE(error.Reason().startsWith("the login or password was refused"))
                << error.what();
        }

        FtpConnection connection(server.account, m_cancel);
        connection.Connect();
        EXPECT_EQ(Fetch(connection, "/here.mtp"), "here");
        const std::pair<const char*, std::function<void()>> refusals[] = {
            {"/missing.mtp", [&] { Fetch(connection, "/missing.mtp"); }},
            {"The folder \"/nowhere\"", [&] { connection.List("/nowhere"); }},
        };
        for (const auto& [subject, request] : refusals) {
            try {
                request();
                ADD_FAILURE() << subject << " went through";
            } catch (const FtpError& error) {
                EXPECT_TRUE(error.Message().startsWith(QString(subject) + ": ")) << error.what();
                EXPECT_TRUE(error.Reason().contains("the server said \"550")) << error.what();
                EXPECT_FALSE(error.Reason().contains("inet_ntop")) << error.what();
            }
        }
        EXPECT_FALSE(connection.IsPassive());

        CountingSink sink;
        auto transfer =
            std::async(std::launch::async, [&] { connection.Download("/big.bin", sink); });
        ASSERT_TRUE(Eventually([&] { return sink.Received() > 0; }));
        server.kill();
        ASSERT_EQ(transfer.wait_for(20s), std::future_status::ready);
        try {
            transfer.get();
            ADD_FAILURE() << "the transfer of a killed server went through";
        } catch (const FtpError& error) {
            EXPECT_TRUE(error.Message().startsWith("/big.bin: ")) << error.what();
            EXPECT_FALSE(error.Reason().contains("inet_ntop")) << error.what();
            EXPECT_FALSE(error.Reason().isEmpty());
        }
    }
}

TEST_F(FtpConnectionTest, AServerThatNeverConnectsBackIsUsedPassivelyAfterOneWait) {
    Put(ServerPath("a.mtp"), "a");
    Put(ServerPath("b.mtp"), "b");
    test::LocalFtpServerOptions options;
    options.noConnectBack = true;
    ASSERT_NO_FATAL_FAILURE(StartServer(options));
    QElapsedTimer timer;
    timer.start();
    FtpConnection connection(m_server->Server(), m_cancel);
    connection.Connect();
    EXPECT_EQ(Fetch(connection, "/a.mtp"), "a");
    EXPECT_TRUE(connection.IsPassive());
    // One slow step per session, not one per file.
    EXPECT_EQ(Fetch(connection, "/b.mtp"), "b");
    EXPECT_EQ(connection.List("/").entries.size(), 2u);
    EXPECT_LT(timer.elapsed(), 10000);
    EXPECT_EQ(m_server->Commands().filter(QRegularExpression("^(EPRT|PORT) ")).size(), 1);
}

// Explicit TLS against vsftpd with a certificate of its own making.
TEST_F(FtpConnectionTest, TlsIsUsedWhenAskedAndNeverGivenUpSilently) {
    Put(ServerPath("a.mtp"), "secret design");
    test::LocalVsftpd tlsServer(ServerPath(), {true, 0});
    ASSERT_TRUE(tlsServer.Start()) << tlsServer.Error().toStdString();
    test::LocalVsftpd plainServer(ServerPath(), {false, 0});
    ASSERT_TRUE(plainServer.Start()) << plainServer.Error().toStdString();

    struct Case {
        const char* name;
        const test::LocalVsftpd& server;
        bool useTls;
        QString caFile;
        // The start of the failure's reason; empty when the file arrives.
        QString failure;
    };
    const Case cases[] = {
        {"TLS with the server's authority", tlsServer, true, tlsServer.CertificateFile(), {}},
        {"TLS off: as before", tlsServer, false, {}, {}},
        {"an authority the system does not know",
         tlsServer,
         true,
         {},
         "the server's certificate is not trusted"},
        {"no TLS offered", plainServer, true, tlsServer.CertificateFile(),
         "the server does not offer TLS"},
        {"an unreadable CA file", tlsServer, true, ServerPath("none.pem"),
         "the CA file cannot be read"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FtpServer account = c.server.Server();
        account.useTls = c.useTls;
        account.caFile = c.caFile;
        FtpConnection connection(account, m_cancel);
        try {
            connection.Connect();
            EXPECT_EQ(Fetch(connection, "/a.mtp"), "secret design");
            EXPECT_TRUE(c.failure.isEmpty()) << "connected";
        } catch (const FtpError& error) {
            EXPECT_TRUE(error.SessionLost());
            EXPECT_FALSE(c.failure.isEmpty()) << error.what();
            EXPECT_TRUE(error.Reason().startsWith(c.failure)) << error.what();
        }
    }
}

}  // namespace
}  // namespace velora
