// SPDX-License-Identifier: GPL-3.0-or-later
// Downloading and uploading 200 files of 200 KB against an FTP server on the
// loopback interface, each next to a plain curl loop over the same files in
// the same run; a second download of the unchanged library next to the first
// (goal: at most a fifth of its time); and the download window's event loop
// while the same download runs behind it.

#include "core/common/user_interface.h"
#include "core/exchange/download_job.h"
#include "core/exchange/send_job.h"
#include "local_ftp_server.h"
#include "ui/exchange/download_dlg.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>

namespace velora {
namespace {

constexpr int kFiles = 200;
constexpr int kFileSize = 200 * 1000;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

QString FileName(int index) { return QStringLiteral("f%1.bin").arg(index, 3, 10, QChar('0')); }

// Watches nothing: the benchmark times the transfers alone.
class NoObserver : public IDownloadObserver, public ISendObserver {
public:
    void SetCaption(const QString&) override {}
    void SetTotal(int) override {}
    void SetDone(int) override {}
    void SetCurrentFile(const QString&) override {}
    void Began() override {}
    void SetStatusLine(int, const QString&) override {}
    void Aborted(const QString&) override {}
    void Finished(const QString&) override {}
};

// The server's folder "/bench" with the files, the same files in a local
// library to send from, and the server running.
struct Fixture {
    Fixture() {
        QDir().mkpath(Server("bench"));
        QDir().mkpath(Server("empty"));
        QDir().mkpath(Local("source"));
        QByteArray bytes(kFileSize, Qt::Uninitialized);
        for (int i = 0; i < kFiles; ++i) {
            for (int b = 0; b < kFileSize; ++b) bytes[b] = static_cast<char>((b * 31 + i) & 0xff);
            for (const QString& path :
                 {Server("bench/" + FileName(i)), Local("source/" + FileName(i))}) {
                QFile file(path);
                if (file.open(QIODevice::WriteOnly)) file.write(bytes);
            }
        }
        server = std::make_unique<test::LocalFtpServer>(Server(""));
        started = server->Start();
    }

    QString Server(const QString& relative) const { return dir.filePath("server/" + relative); }
    QString Local(const QString& relative) const { return dir.filePath("local/" + relative); }
    QString Url(const QString& path) const {
        return QStringLiteral("ftp://%1:%2@127.0.0.1:%3/%4")
            .arg(test::LocalFtpServer::kLogin, test::LocalFtpServer::kPassword)
            .arg(server->Port())
            .arg(path);
    }
    // A folder emptied for the next round.
    QString Fresh(const QString& path) const {
        QDir(path).removeRecursively();
        QDir().mkpath(path);
        return path + '/';
    }

    QTemporaryDir dir;
    std::unique_ptr<test::LocalFtpServer> server;
    bool started = false;
};

Fixture& TheFixture() {
    static Fixture fixture;
    return fixture;
}

// One curl process per file, as a script would run it.
bool RunCurlLoop(const QString& perFile) {
    QProcess shell;
    shell.start(
        QStringLiteral("/bin/sh"),
        {QStringLiteral("-c"), QStringLiteral("for i in $(seq -f %03g 0 %1); do %2 || exit 1; done")
                                   .arg(kFiles - 1)
                                   .arg(perFile)});
    return shell.waitForFinished(600000) && shell.exitCode() == 0;
}

int CountFiles(const QString& folder) {
    return static_cast<int>(QDir(folder).entryList(QDir::Files).size());
}

void ReportRatio(benchmark::State& state, double ours, double baseline) {
    const auto runs = static_cast<double>(state.iterations());
    state.counters["ours_ms"] = 1000 * ours / runs;
    state.counters["curl_loop_ms"] = 1000 * baseline / runs;
    state.counters["ratio"] = ours / baseline;
}

void BM_DownloadNextToCurlLoop(benchmark::State& state) {
    Fixture& fixture = TheFixture();
    if (!fixture.started) return state.SkipWithError("the FTP server did not start");
    TransferCancel cancel;
    NoObserver nobody;
    double ours = 0, baseline = 0;
    for (auto _ : state) {
        const QString curlFolder = fixture.Fresh(fixture.Local("curl"));
        const QString ourFolder = fixture.Fresh(fixture.Local("ours"));
        const auto t0 = Clock::now();
        const bool curlDone = RunCurlLoop(QStringLiteral("curl -s -S -o %1f$i.bin %2f$i.bin")
                                              .arg(curlFolder, fixture.Url("bench/")));
        const auto t1 = Clock::now();
        const DownloadReport report =
            RunDownloadJob({fixture.server->Server(), "/bench", ourFolder}, nobody, cancel);
        const auto t2 = Clock::now();
        baseline += Seconds(t0, t1);
        ours += Seconds(t1, t2);
        if (!curlDone || CountFiles(curlFolder) != kFiles) state.SkipWithError("curl failed");
        if (report.downloaded != kFiles) state.SkipWithError("files were lost");
    }
    ReportRatio(state, ours, baseline);
}

void BM_SecondDownloadOfAnUnchangedLibrary(benchmark::State& state) {
    Fixture& fixture = TheFixture();
    if (!fixture.started) return state.SkipWithError("the FTP server did not start");
    TransferCancel cancel;
    NoObserver nobody;
    double first = 0, second = 0;
    for (auto _ : state) {
        const DownloadJob job{fixture.server->Server(), "/bench",
                              fixture.Fresh(fixture.Local("sync"))};
        const auto t0 = Clock::now();
        const DownloadReport fetched = RunDownloadJob(job, nobody, cancel);
        const auto t1 = Clock::now();
        const DownloadReport unchanged = RunDownloadJob(job, nobody, cancel);
        const auto t2 = Clock::now();
        first += Seconds(t0, t1);
        second += Seconds(t1, t2);
        if (fetched.downloaded != kFiles || unchanged.unchanged != kFiles)
            state.SkipWithError("the second run fetched files again");
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["first_ms"] = 1000 * first / runs;
    state.counters["second_ms"] = 1000 * second / runs;
    state.counters["ratio"] = second / first;
}

void BM_UploadNextToCurlLoop(benchmark::State& state) {
    Fixture& fixture = TheFixture();
    if (!fixture.started) return state.SkipWithError("the FTP server did not start");
    TransferCancel cancel;
    NoObserver nobody;
    QStringList files;
    for (int i = 0; i < kFiles; ++i) files.append(fixture.Local("source/" + FileName(i)));
    const SendJob job{ProfileKind::Templates, fixture.server->Server(), "/ours",
                      fixture.Local("source/"), files};
    double ours = 0, baseline = 0;
    for (auto _ : state) {
        QDir(fixture.Server("ours")).removeRecursively();
        QDir(fixture.Server("curl")).removeRecursively();
        const auto t0 = Clock::now();
        const bool curlDone =
            RunCurlLoop(QStringLiteral("curl -s -S --ftp-create-dirs -T %1f$i.bin %2")
                            .arg(fixture.Local("source/"), fixture.Url("curl/")));
        const auto t1 = Clock::now();
        const QString failure = RunSendJob(job, nobody, cancel).failure;
        const auto t2 = Clock::now();
        baseline += Seconds(t0, t1);
        ours += Seconds(t1, t2);
        if (!curlDone || CountFiles(fixture.Server("curl")) != kFiles)
            state.SkipWithError("curl failed");
        if (!failure.isEmpty() || CountFiles(fixture.Server("ours")) != kFiles)
            state.SkipWithError("files were lost");
    }
    ReportRatio(state, ours, baseline);
}

// The download window running the same download: a timer that should fire
// every 5 ms measures the longest time the window's event loop was busy
// elsewhere.
void BM_DownloadWindowLongestStall(benchmark::State& state) {
    Fixture& fixture = TheFixture();
    if (!fixture.started) return state.SkipWithError("the FTP server did not start");
    constexpr int kTickMs = 5;
    qint64 longestGap = 0;
    for (auto _ : state) {
        SettingsRecord settings;
        const FtpServer server = fixture.server->Server();
        const ServerProfile profile{server.address, server.login, server.password, "/empty",
                                    server.port};
        settings.templates = settings.textures = settings.veloras = profile;
        settings.templates.folder = "/bench";
        settings.folders = {fixture.Fresh(fixture.Local("window")), fixture.Local("none/"),
                            fixture.Local("none/"), fixture.Local("none/")};
        NullUserInterface user;
        CDownloadDlg dialog(settings, user);
        QEventLoop loop;
        QObject::connect(&dialog, &CDownloadDlg::librariesChanged, &loop, &QEventLoop::quit);
        QTimer ticks;
        ticks.setTimerType(Qt::PreciseTimer);
        QElapsedTimer sinceTick;
        QObject::connect(&ticks, &QTimer::timeout,
                         [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
        ticks.start(kTickMs);
        sinceTick.start();
        dialog.show();
        loop.exec();
        if (CountFiles(settings.folders.templates) != kFiles)
            state.SkipWithError("files were lost");
    }
    state.counters["longest_gap_ms"] = static_cast<double>(longestGap);
    state.counters["tick_ms"] = kTickMs;
}

BENCHMARK(BM_DownloadNextToCurlLoop)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SecondDownloadOfAnUnchangedLibrary)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_UploadNextToCurlLoop)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DownloadWindowLongestStall)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace velora

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
