// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exchange/ftp_connection.h"

#include "exchange_fixture.h"

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

}  // namespace
}  // namespace velora
