// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exchange/send_job.h"

#include "core/exchange/remote_paths.h"
#include "exchange_fixture.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <mutex>
#include <thread>

namespace velora {
namespace {

using test::ExchangeTest;
using test::LocalFtpServerOptions;

class RecordingObserver : public ISendObserver {
public:
    void Began() override { Record(QStringLiteral("began")); }
    void SetStatusLine(int line, const QString& text) override {
        Record(QString::number(line) + ": " + text);
    }
    void Aborted(const QString& reason) override { Record("aborted: " + reason); }
    void Finished(const QString& note) override { Record("finished" + note); }

    QStringList Events() const {
        std::lock_guard lock(m_mutex);
        return m_events;
    }

private:
    void Record(const QString& event) {
        std::lock_guard lock(m_mutex);
        m_events.append(event);
    }

    mutable std::mutex m_mutex;
    QStringList m_events;
};

class SendJobTest : public ExchangeTest {
protected:
    SendJob Job(const QString& remoteFolder, const QStringList& relativeFiles) const {
        QStringList files;
        for (const QString& file : relativeFiles) files.append(LibraryPath(file));
        return {ProfileKind::Templates, m_server->Server(), remoteFolder, LibraryPath(), files};
    }

    TransferCancel m_cancel;
    RecordingObserver m_observer;
};

TEST_F(SendJobTest, UploadsCreateTheRemoteFoldersOutermostFirst) {
    Put(LibraryPath("animals/cats/Tom.mtp"), "tom");
    Put(LibraryPath("top.mtp"), Pattern(100000));
    ASSERT_NO_FATAL_FAILURE(StartServer());

    Put(LibraryPath("animals/cats/Kit.mtp"), "kit");
    const QString failure =
        RunSendJob(
            Job("/up/templates", {"animals/cats/Tom.mtp", "animals/cats/Kit.mtp", "top.mtp"}),
            m_observer, m_cancel)
            .failure;

    EXPECT_TRUE(failure.isEmpty()) << failure.toStdString();
    EXPECT_EQ(test::FileBytes(ServerPath("up/templates/animals/cats/Tom.mtp")), "tom");
    EXPECT_EQ(test::FileBytes(ServerPath("up/templates/animals/cats/Kit.mtp")), "kit");
    EXPECT_EQ(test::FileBytes(ServerPath("up/templates/top.mtp")), Pattern(100000));
    // Each folder once per job, however many files go into it.
    EXPECT_EQ(m_server->Commands().filter(QRegularExpression("^MKD ")),
              (QStringList{"MKD /", "MKD /up/", "MKD /up/templates/", "MKD /up/templates/animals/",
                           "MKD /up/templates/animals/cats/"}));
    // Nothing of the temporary names is left.
    EXPECT_EQ(FilesBelow(ServerPath()),
              (QStringList{"up/templates/animals/cats/Kit.mtp", "up/templates/animals/cats/Tom.mtp",
                           "up/templates/top.mtp"}));
    EXPECT_EQ(m_observer.Events(),
              (QStringList{"1: Connecting to ...127.0.0.1", "2: ", "1: Sending files...",
                           "2: File 1 of 3: Tom.mtp", "2: File 2 of 3: Kit.mtp",
                           "2: File 3 of 3: top.mtp", "1: Done.", "2: "}));
}

// How the old copy on the server is replaced, and what is left of it when
// the upload breaks: by rename where the server allows it, else by deleting
// it first (and the report says so).
TEST_F(SendJobTest, TheOldCopyIsReplacedOnlyByAWholeNewOne) {
    const QByteArray old = Pattern(300000);
    const QByteArray fresh = Pattern(400000).mid(7);
    struct Case {
        const char* name;
        LocalFtpServerOptions options;
        QByteArray serverCopyAfter;
        bool failed;
        QStringList serverFilesAfter;
        int replacedByDeleting;
    };
    LocalFtpServerOptions cut;
    cut.cutAfter = 100000;
    LocalFtpServerOptions noRename;
    noRename.refuseRename = true;
    const Case cases[] = {
        {"rename", {}, fresh, false, {"t/a.mtp", "t/b.mtp"}, 0},
        // The link drops mid-file; the server is still there, so the
        // temporary file is tidied on a new connection.
        {"cut", cut, old, true, {"t/a.mtp", "t/b.mtp"}, 0},
        {"no rename", noRename, fresh, false, {"t/a.mtp", "t/b.mtp"}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(ServerPath()).removeRecursively();
        Put(ServerPath("t/a.mtp"), old);
        Put(ServerPath("t/b.mtp"), old);
        Put(LibraryPath("a.mtp"), fresh);
        Put(LibraryPath("b.mtp"), fresh);
        ASSERT_NO_FATAL_FAILURE(StartServer(c.options));
        const SendReport report = RunSendJob(Job("/t", {"a.mtp", "b.mtp"}), m_observer, m_cancel);
        EXPECT_EQ(!report.failure.isEmpty(), c.failed) << report.failure.toStdString();
        EXPECT_TRUE(test::FileBytes(ServerPath("t/a.mtp")) == c.serverCopyAfter);
        EXPECT_EQ(FilesBelow(ServerPath()), c.serverFilesAfter);
        EXPECT_EQ(report.replacedByDeleting, c.replacedByDeleting);
        EXPECT_EQ(report.Note().isEmpty(), c.replacedByDeleting == 0);
        // Once refused, the rename is not asked for again in the job.
        EXPECT_LE(m_server->Commands().filter(QRegularExpression("^RNFR ")).size(), 2);
        m_server.reset();
    }
}

TEST_F(SendJobTest, AServerKilledMidFileKeepsItsOldCopyAndTheJobNamesTheCause) {
    Put(ServerPath("t/a.mtp"), "the server's whole copy");
    Put(LibraryPath("a.mtp"), Pattern(4 * 1024 * 1024));
    ASSERT_NO_FATAL_FAILURE(StartServer(LocalFtpServerOptions::Throttled(512 * 1024)));
    std::thread killer([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        m_server->Kill();
    });
    const SendReport report = RunSendJob(Job("/t", {"a.mtp"}), m_observer, m_cancel);
    killer.join();
    EXPECT_TRUE(report.failure.startsWith("/t/a.mtp: ")) << report.failure.toStdString();
    EXPECT_FALSE(report.failure.contains("inet_ntop")) << report.failure.toStdString();
    EXPECT_EQ(test::FileBytes(ServerPath("t/a.mtp")), "the server's whole copy");
}

TEST_F(SendJobTest, TheFirstFileTheServerRefusesEndsTheJobNamingIt) {
    Put(LibraryPath("a.mtp"), "a");
    Put(LibraryPath("clash.mtp"), "b");
    Put(LibraryPath("z.mtp"), "c");
    // A folder where the file should go: the server cannot store it.
    ASSERT_TRUE(QDir().mkpath(ServerPath("t/clash.mtp")));
    ASSERT_NO_FATAL_FAILURE(StartServer());

    const QString failure =
        RunSendJob(Job("/t", {"a.mtp", "clash.mtp", "z.mtp"}), m_observer, m_cancel).failure;

    EXPECT_TRUE(failure.startsWith("/t/clash.mtp: ")) << failure.toStdString();
    EXPECT_EQ(test::FileBytes(ServerPath("t/a.mtp")), "a");
    EXPECT_FALSE(QFileInfo::exists(ServerPath("t/z.mtp")));
    EXPECT_FALSE(m_observer.Events().contains("1: Done."));
}

TEST_F(SendJobTest, ALocalFileThatCannotBeReadEndsTheJobNamingItAndKeepsTheServersCopy) {
    Put(LibraryPath("a.mtp"), "a");
    Put(ServerPath("gone.mtp"), "the server's copy");
    ASSERT_NO_FATAL_FAILURE(StartServer());
    const QString failure =
        RunSendJob(Job("/", {"gone.mtp", "a.mtp"}), m_observer, m_cancel).failure;
    EXPECT_TRUE(failure.startsWith(LibraryPath("gone.mtp") + ": ")) << failure.toStdString();
    EXPECT_EQ(test::FileBytes(ServerPath("gone.mtp")), "the server's copy");
    EXPECT_FALSE(QFileInfo::exists(ServerPath("a.mtp")));
}

TEST_F(SendJobTest, APipeAmongTheFilesIsRefusedAtOnceInsteadOfBlockingTheJob) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(LibraryPath("pipe.mtp")).constData(), 0600), 0);
    ASSERT_NO_FATAL_FAILURE(StartServer());
    const QString failure = RunSendJob(Job("/", {"pipe.mtp"}), m_observer, m_cancel).failure;
    EXPECT_TRUE(failure.startsWith(LibraryPath("pipe.mtp") + ": ")) << failure.toStdString();
    EXPECT_FALSE(QFileInfo::exists(ServerPath("pipe.mtp")));
}

TEST_F(SendJobTest, NoConnectionEndsTheJobSayingSoOnTwoLines) {
    Put(LibraryPath("a.mtp"), "a");
    ASSERT_NO_FATAL_FAILURE(StartServer());
    SendJob job = Job("/", {"a.mtp"});
    job.server.port = test::UnusedLoopbackPort();
    const QStringList lines = RunSendJob(job, m_observer, m_cancel).failure.split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "Can't establish connection!");
    EXPECT_TRUE(lines[1].startsWith("127.0.0.1: "));
}

TEST_F(SendJobTest, ServerFolderMakerAsksForEveryPrefixOnceAndReportsTheLast) {
    ASSERT_TRUE(QDir().mkpath(ServerPath("have")));
    ASSERT_NO_FATAL_FAILURE(StartServer());
    FtpConnection connection(m_server->Server(), m_cancel);
    connection.Connect();
    ServerFolderMaker folders(connection);
    EXPECT_TRUE(folders.Make("/have/new/"));
    EXPECT_FALSE(folders.Make("/have/new"));
    EXPECT_TRUE(folders.Make("rel/deeper/"));
    EXPECT_TRUE(folders.Make("/have/other"));
    EXPECT_TRUE(QFileInfo(ServerPath("have/new")).isDir());
    EXPECT_TRUE(QFileInfo(ServerPath("rel/deeper")).isDir());
    EXPECT_EQ(m_server->Commands().filter(QRegularExpression("^MKD ")),
              (QStringList{"MKD /", "MKD /have/", "MKD /have/new/", "MKD rel/", "MKD rel/deeper/",
                           "MKD /have/other/"}));
}

// Three jobs on three threads, slow enough that they would overlap if they
// could.
class TurnstileSendTest : public SendJobTest {
protected:
    void SetUp() override {
        SendJobTest::SetUp();
        for (const char* library : {"t", "x", "v"}) {
            for (int i = 0; i < 3; ++i)
                Put(LibraryPath(QString("%1/f%2.bin").arg(library).arg(i)), Pattern(60000));
        }
        // Passive mode: pyftpdlib now and then fails to connect back to one
        // of several clients in active mode at the same moment.
        LocalFtpServerOptions options = LocalFtpServerOptions::RefusingActiveMode();
        options.rate = 600 * 1000;
        ASSERT_NO_FATAL_FAILURE(StartServer(options));
    }

    SendJob LibraryJob(ProfileKind kind, const QString& library) const {
        SendJob job = Job("/" + library, {});
        job.kind = kind;
        job.localRoot = LibraryPath(library + "/");
        job.files = FilesToSend(job.localRoot, LibraryPath(library + "/"));
        return job;
    }

    std::vector<SendJob> Jobs() const {
        return {LibraryJob(ProfileKind::Templates, "t"), LibraryJob(ProfileKind::Textures, "x"),
                LibraryJob(ProfileKind::Veloras, "v")};
    }

    QStringList ServerFiles() const { return FilesBelow(ServerPath()); }
};

TEST_F(TurnstileSendTest, TheServerSeesOverlappingJobsWithoutTheTurnstile) {
    std::vector<std::thread> threads;
    for (const SendJob& job : Jobs()) {
        threads.emplace_back([this, job] {
            RecordingObserver observer;
            RunSendJob(job, observer, m_cancel);
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(ServerFiles().size(), 9);
    EXPECT_EQ(m_server->MostSessionsAtOnce(), 3);
}

TEST_F(TurnstileSendTest, JobsPassTheTurnstileOneAtATimeInTheOrderTheyQueued) {
    Turnstile turnstile;
    std::vector<RecordingObserver> observers(3);
    std::vector<std::thread> threads;
    const std::vector<SendJob> jobs = Jobs();
    for (size_t i = 0; i < jobs.size(); ++i) {
        threads.emplace_back(
            [&, i](Turnstile::Ticket ticket) {
                RunSendJobInTurn(jobs[i], std::move(ticket), observers[i], m_cancel);
            },
            turnstile.TakeTicket());
    }
    for (std::thread& thread : threads) thread.join();

    EXPECT_EQ(ServerFiles().size(), 9);
    EXPECT_EQ(m_server->MostSessionsAtOnce(), 1);
    for (const RecordingObserver& observer : observers) {
        EXPECT_EQ(observer.Events().front(), "began");
        EXPECT_EQ(observer.Events().back(), "finished");
    }
    // The templates job went first, the veloras job last.
    const QStringList stored = m_server->Commands().filter(QRegularExpression("^CWD /[txv]$"));
    EXPECT_EQ(stored.first(), "CWD /t");
    EXPECT_EQ(stored.last(), "CWD /v");
}

TEST(TurnstileTest, ACancelledWaitWithdrawsTheTicketAndTheNextOneGoesOn) {
    Turnstile turnstile;
    Turnstile::Ticket first = turnstile.TakeTicket();
    Turnstile::Ticket second = turnstile.TakeTicket();
    Turnstile::Ticket third = turnstile.TakeTicket();
    TransferCancel noCancel;
    ASSERT_TRUE(first.WaitForTurn(noCancel));

    TransferCancel cancelSecond;
    cancelSecond.Cancel();
    EXPECT_FALSE(second.WaitForTurn(cancelSecond));

    std::atomic<bool> thirdPassed{false};
    std::thread waiter([&] { thirdPassed = third.WaitForTurn(noCancel); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(thirdPassed);
    { Turnstile::Ticket done = std::move(first); }
    waiter.join();
    EXPECT_TRUE(thirdPassed);
}

TEST(SendFilesTest, TexturesAreAllOfferedElsewhereOnlyTemplatesAndDesigns) {
    const QString textures = "/lib/textures";
    EXPECT_TRUE(IsOfferedForSending("/lib/textures/stone/wall.JPG", textures));
    EXPECT_TRUE(IsOfferedForSending("/lib/Textures/readme.txt", textures));
    // The textures folder is a prefix, not any part of the path.
    EXPECT_FALSE(IsOfferedForSending("/backup/lib/textures/readme.txt", textures));
    EXPECT_FALSE(IsOfferedForSending("/lib/textures-old/readme.txt", textures));
    EXPECT_TRUE(IsOfferedForSending("/lib/templates/a.MTP", textures));
    EXPECT_TRUE(IsOfferedForSending("/lib/veloras/sub/b.vld", textures));
    EXPECT_FALSE(IsOfferedForSending("/lib/templates/notes.txt", textures));
    EXPECT_FALSE(IsOfferedForSending("/lib/veloras/b.vld.bak", textures));
}

}  // namespace
}  // namespace velora
