// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exchange/download_job.h"

#include "core/exchange/exchange_profiles.h"

#include "exchange_fixture.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

namespace velora {
namespace {

using namespace std::chrono_literals;
using test::ExchangeTest;
using test::LocalFtpServerOptions;

// What the job told its window; safe to read while the job runs elsewhere.
class RecordingObserver : public IDownloadObserver {
public:
    void BeginProfile(ProfileKind kind) override {
        std::lock_guard lock(m_mutex);
        profiles.push_back(kind);
    }
    void SetCaption(const QString& text) override {
        std::lock_guard lock(m_mutex);
        captions.append(text);
    }
    void SetTotal(int total) override {
        std::lock_guard lock(m_mutex);
        totals.push_back(total);
    }
    void SetDone(int done) override {
        std::lock_guard lock(m_mutex);
        dones.push_back(done);
    }
    void SetCurrentFile(const QString& url) override {
        std::lock_guard lock(m_mutex);
        files.append(url);
        ++filesStarted;
    }

    bool FetchAll() const override { return fetchAll; }

    bool fetchAll = false;
    std::vector<ProfileKind> profiles;
    QStringList captions;
    std::vector<int> totals;
    std::vector<int> dones;
    QStringList files;
    std::atomic<int> filesStarted{0};

private:
    std::mutex m_mutex;
};

class DownloadJobTest : public ExchangeTest {
protected:
    DownloadJob Job(const QString& remoteFolder) const {
        return {m_server->Server(), remoteFolder, LibraryPath()};
    }

    QString Url(const QString& path) const { return QStringLiteral("ftp://127.0.0.1") + path; }

    // Waits until the job has been fetching its first file for a while. The
    // file arrives in an unnamed temporary file, so there is nothing to see
    // on disk before it is complete.
    bool WellIntoTheFirstFile() {
        for (int i = 0; i < 500 && m_observer.filesStarted == 0; ++i)
            std::this_thread::sleep_for(10ms);
        std::this_thread::sleep_for(500ms);
        return m_observer.filesStarted == 1;
    }

    // A large file on a slow link on its way to replace the library's copy,
    // the transfer well under way.
    void StartSlowReplacement(std::future<DownloadReport>& job) {
        Put(ServerPath("big.bin"), Pattern(4 * 1024 * 1024));
        Put(LibraryPath("big.bin"), "the good old copy");
        ASSERT_NO_FATAL_FAILURE(StartServer(LocalFtpServerOptions::Throttled(256 * 1024)));
        job = std::async(std::launch::async,
                         [this] { return RunDownloadJob(Job("/"), m_observer, m_cancel); });
        ASSERT_TRUE(WellIntoTheFirstFile());
    }

    void ExpectOldCopyAlone() const {
        EXPECT_EQ(test::FileBytes(LibraryPath("big.bin")), "the good old copy");
        EXPECT_EQ(FilesBelow(LibraryPath()), QStringList{"big.bin"});
    }

    TransferCancel m_cancel;
    RecordingObserver m_observer;
};

TEST_F(DownloadJobTest, CopiesNestedFoldersFilesOfEachLevelFirstAndReplacesLocalFiles) {
    Put(ServerPath("templates/z.mtp"), "zed");
    Put(ServerPath("templates/a.mtp"), "new a");
    Put(ServerPath("templates/sub/b.mtp"), "bee");
    Put(ServerPath("templates/sub/deeper/c.mtp"), Pattern(70000));
    ASSERT_TRUE(QDir().mkpath(ServerPath("templates/empty")));
    Put(LibraryPath("a.mtp"), "old a, longer than the new one");
    ASSERT_NO_FATAL_FAILURE(StartServer());

    const DownloadReport report = RunDownloadJob(Job("/templates"), m_observer, m_cancel);

    EXPECT_TRUE(report.failure.isEmpty()) << report.failure.toStdString();
    EXPECT_TRUE(report.problems.empty());
    EXPECT_EQ(report.downloaded, 4);
    EXPECT_EQ(FilesBelow(LibraryPath()),
              (QStringList{"a.mtp", "sub/b.mtp", "sub/deeper/c.mtp", "z.mtp"}));
    EXPECT_EQ(test::FileBytes(LibraryPath("a.mtp")), "new a");
    EXPECT_EQ(test::FileBytes(LibraryPath("sub/deeper/c.mtp")), Pattern(70000));
    EXPECT_EQ(m_observer.files,
              (QStringList{Url("/templates/a.mtp"), Url("/templates/z.mtp"),
                           Url("/templates/sub/b.mtp"), Url("/templates/sub/deeper/c.mtp")}));
    EXPECT_EQ(m_observer.captions,
              (QStringList{"Connecting to ...127.0.0.1", "Receiving the list...", "Downloading...",
                           "Finishing..."}));
    EXPECT_EQ(m_observer.totals, std::vector<int>{4});
    EXPECT_EQ(m_observer.dones, (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(DownloadJobTest, AnEmptyRemoteFolderLeavesTheLibraryAsItWas) {
    ASSERT_TRUE(QDir().mkpath(ServerPath("textures")));
    Put(LibraryPath("keep.jpg"), "mine");
    ASSERT_NO_FATAL_FAILURE(StartServer());
    const DownloadReport report = RunDownloadJob(Job("/textures/"), m_observer, m_cancel);
    EXPECT_TRUE(report.failure.isEmpty());
    EXPECT_EQ(report.downloaded, 0);
    EXPECT_EQ(m_observer.totals, std::vector<int>{0});
    EXPECT_TRUE(m_observer.dones.empty());
    EXPECT_EQ(FilesBelow(LibraryPath()), QStringList{"keep.jpg"});
}

TEST_F(DownloadJobTest, AFolderNotWrittenAsTheServerNamesItStoresNothingAndSaysSo) {
    Put(ServerPath("templates/a.mtp"), "a");
    Put(ServerPath("templates/sub/b.mtp"), "b");
    ASSERT_NO_FATAL_FAILURE(StartServer());
    // The server names the folder "/templates"; without the slash the URLs
    // do not hold the folder, so no file has a place in the library.
    const DownloadReport report = RunDownloadJob(Job("templates"), m_observer, m_cancel);
    EXPECT_TRUE(report.failure.isEmpty());
    EXPECT_EQ(report.downloaded, 0);
    ASSERT_EQ(report.problems.size(), 2u);
    EXPECT_EQ(report.problems[0].subject, Url("/templates/a.mtp"));
    EXPECT_TRUE(report.problems[0].reason.contains("\"templates\""));
    EXPECT_EQ(FilesBelow(m_dir.path()),
              (QStringList{"server/templates/a.mtp", "server/templates/sub/b.mtp"}));
    EXPECT_FALSE(QFileInfo::exists(QDir::current().filePath("ftp:")));
}

TEST_F(DownloadJobTest, HostileNamesInAListingNeverWriteOutsideTheLibrary) {
    Put(ServerPath("ok.mtp"), "fine");
    Put(m_dir.filePath("escape.mtp"), "outside, untouched");
    const QString listing = m_dir.filePath("listing.txt");
    test::WriteFileBytes(listing,
                         "drwxr-xr-x   2 a a 4096 Jan  1 00:00 .\r\n"
                         "drwxr-xr-x   2 a a 4096 Jan  1 00:00 ..\r\n"
                         "-rw-r--r--   1 a a    4 Jan  1 00:00 ../escape.mtp\r\n"
                         "-rw-r--r--   1 a a    4 Jan  1 00:00 /etc/passwd\r\n"
                         "01-01-24  10:00AM                4 ..\\..\\escape.mtp\r\n"
                         "drwxr-xr-x   2 a a 4096 Jan  1 00:00 ../up\r\n"
                         "-rw-r--r--   1 a a    4 Jan  1 00:00 ok.mtp\r\n");
    ASSERT_NO_FATAL_FAILURE(StartServer(LocalFtpServerOptions::Listing(listing)));

    const DownloadReport report = RunDownloadJob(Job("/"), m_observer, m_cancel);

    EXPECT_TRUE(report.failure.isEmpty()) << report.failure.toStdString();
    EXPECT_EQ(report.downloaded, 1);
    EXPECT_EQ(FilesBelow(LibraryPath()), QStringList{"ok.mtp"});
    EXPECT_EQ(test::FileBytes(m_dir.filePath("escape.mtp")), "outside, untouched");
    QStringList refused;
    for (const TransferProblem& problem : report.problems) refused.append(problem.subject);
    EXPECT_EQ(refused, (QStringList{Url("/../escape.mtp"), Url("//etc/passwd"),
                                    Url("/..\\..\\escape.mtp"), Url("/../up")}));
}

TEST_F(DownloadJobTest, AServerKilledInTheMiddleOfAFileLeavesTheOldFileIntact) {
    std::future<DownloadReport> job;
    ASSERT_NO_FATAL_FAILURE(StartSlowReplacement(job));
    m_server->Kill();
    ASSERT_EQ(job.wait_for(30s), std::future_status::ready);
    const DownloadReport report = job.get();
    EXPECT_EQ(report.downloaded, 0);
    // The file names the broken transfer, the job the server that is gone;
    // neither repeats a harmless message of an earlier data connection.
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_EQ(report.problems[0].subject, Url("/big.bin"));
    EXPECT_FALSE(report.problems[0].reason.contains("inet_ntop"))
        << report.problems[0].reason.toStdString();
    EXPECT_TRUE(report.failure.isEmpty() || report.failure.contains("Couldn't connect"))
        << report.failure.toStdString();
    ExpectOldCopyAlone();
}

// A second run fetches only what changed on the server: a file is left
// alone when the local copy has the server's size and is no older.
TEST_F(DownloadJobTest, ASecondRunFetchesOnlyWhatChanged) {
    Put(ServerPath("t/a.mtp"), "aaa");
    Put(ServerPath("t/b.mtp"), "bbb");
    Put(ServerPath("t/sub/c.mtp"), "ccc");
    ASSERT_NO_FATAL_FAILURE(StartServer());
    const DownloadReport first = RunDownloadJob(Job("/t"), m_observer, m_cancel);
    ASSERT_EQ(first.downloaded, 3);
    // The copies carry the server's time of change, not the time they came.
    EXPECT_EQ(QFileInfo(LibraryPath("a.mtp")).lastModified(),
              QFileInfo(ServerPath("t/a.mtp"))
                  .lastModified()
                  .addMSecs(-QFileInfo(ServerPath("t/a.mtp")).lastModified().time().msec()));

    const auto setTime = [](const QString& path, const QDateTime& time) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::Append));
        ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
    };
    const QDateTime serverTime = QFileInfo(ServerPath("t/b.mtp")).lastModified();
    struct Case {
        const char* name;
        std::function<void()> change;
        bool fetchAll;
        int downloaded;
        int unchanged;
    };
    const Case cases[] = {
        {"nothing changed", [] {}, false, 0, 3},
        {"a new size on the server", [&] { Put(ServerPath("t/a.mtp"), "a longer a"); }, false, 1,
         2},
        {"a local copy older than the server's",
         [&] { setTime(LibraryPath("b.mtp"), serverTime.addSecs(-60)); }, false, 1, 2},
        {"a local copy of another size", [&] { Put(LibraryPath("sub/c.mtp"), "c, edited here"); },
         false, 1, 2},
        {"every file asked for", [] {}, true, 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.change();
        m_observer.fetchAll = c.fetchAll;
        const DownloadReport report = RunDownloadJob(Job("/t"), m_observer, m_cancel);
        EXPECT_TRUE(report.failure.isEmpty()) << report.failure.toStdString();
        EXPECT_EQ(report.downloaded, c.downloaded);
        EXPECT_EQ(report.unchanged, c.unchanged);
        EXPECT_EQ(test::FileBytes(LibraryPath("sub/c.mtp")), "ccc");
    }
    EXPECT_EQ(test::FileBytes(LibraryPath("a.mtp")), "a longer a");
}

TEST_F(DownloadJobTest, CancelInTheMiddleOfAFileLeavesTheOldFileIntact) {
    std::future<DownloadReport> job;
    ASSERT_NO_FATAL_FAILURE(StartSlowReplacement(job));
    m_cancel.Cancel();
    ASSERT_EQ(job.wait_for(200ms), std::future_status::ready);
    EXPECT_THROW(job.get(), TransferCancelled);
    ExpectOldCopyAlone();
}

TEST_F(DownloadJobTest, NoConnectionSaysSoAndNamesTheServerAndTheReason) {
    ASSERT_NO_FATAL_FAILURE(StartServer());
    DownloadJob unreachable = Job("/");
    unreachable.server.port = test::UnusedLoopbackPort();
    DownloadJob refused = Job("/");
    refused.server.login = "intruder";
    for (const DownloadJob& job : {unreachable, refused}) {
        const DownloadReport report = RunDownloadJob(job, m_observer, m_cancel);
        const QStringList lines = report.failure.split('\n');
        ASSERT_EQ(lines.size(), 2) << report.failure.toStdString();
        EXPECT_EQ(lines[0], "Can't establish connection!");
        EXPECT_TRUE(lines[1].startsWith("127.0.0.1: ")) << lines[1].toStdString();
        EXPECT_GT(lines[1].size(), QString("127.0.0.1: ").size());
    }
    EXPECT_TRUE(m_observer.totals.empty());
}

TEST_F(DownloadJobTest, AMissingRemoteFolderEndsTheJobNamingTheFolder) {
    ASSERT_NO_FATAL_FAILURE(StartServer());
    const DownloadReport report = RunDownloadJob(Job("/nowhere"), m_observer, m_cancel);
    EXPECT_TRUE(report.failure.startsWith("The folder \"/nowhere\": "))
        << report.failure.toStdString();
    EXPECT_EQ(m_observer.captions.back(), "Finishing...");
}

TEST_F(DownloadJobTest, ARunWalksTheProfilesInOrderAndStopsAtTheFirstFailure) {
    Put(ServerPath("t/a.mtp"), "template");
    Put(ServerPath("x/stone.jpg"), "texture");
    Put(ServerPath("v/d.vld"), "design");
    ASSERT_NO_FATAL_FAILURE(StartServer());
    SettingsRecord record;
    record.folders = Libraries();
    PointProfilesAtServer(record);

    const std::vector<ProfileKind> all(kExchangeProfiles.begin(), kExchangeProfiles.end());
    const std::vector<ProfileDownload> runs = RunDownloads(record, all, m_observer, m_cancel);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(m_observer.profiles, all);
    EXPECT_EQ(FilesBelow(LibraryPath()),
              (QStringList{"templates/a.mtp", "textures/stone.jpg", "veloras/d.vld"}));

    record.textures.port = test::UnusedLoopbackPort();
    const std::vector<ProfileDownload> stopped = RunDownloads(record, all, m_observer, m_cancel);
    ASSERT_EQ(stopped.size(), 2u);
    EXPECT_EQ(stopped[1].kind, ProfileKind::Textures);
    EXPECT_TRUE(stopped[1].report.failure.startsWith("Can't establish connection!"));
}

}  // namespace
}  // namespace velora
