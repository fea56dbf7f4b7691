// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/exchange_commands.h"

#include "cli/command_support.h"
#include "core/common/library_folders.h"
#include "core/exchange/download_job.h"
#include "core/exchange/exchange_profiles.h"
#include "core/exchange/password_store.h"
#include "core/exchange/send_job.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <csignal>
#include <map>
#include <optional>

namespace velora::cli {

namespace {
// Ctrl+C or a kill ends the transfers the way Cancel does in the desktop
// program: the file under way is dropped and the library file it would have
// replaced stays as it was.
TransferCancel g_interrupt;

class InterruptCancels {
public:
    InterruptCancels() {
        struct sigaction action {};
        action.sa_handler = [](int) { g_interrupt.Cancel(); };
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &m_oldInterrupt);
        sigaction(SIGTERM, &action, &m_oldTerminate);
    }
    ~InterruptCancels() {
        sigaction(SIGINT, &m_oldInterrupt, nullptr);
        sigaction(SIGTERM, &m_oldTerminate, nullptr);
    }
    InterruptCancels(const InterruptCancels&) = delete;
    InterruptCancels& operator=(const InterruptCancels&) = delete;

private:
    struct sigaction m_oldInterrupt {};
    struct sigaction m_oldTerminate {};
};

QString CleanFolder(const QString& folder) { return QDir::cleanPath(folder) + '/'; }

// The settings as the desktop program keeps them, with the library folders
// of this run in one spelling, so that library paths compare as text.
SettingsRecord LoadSettings() {
    QSettings store(SettingsOrganization(), SettingsApplication());
    KeyringStore keyring(KeyringService());
    SettingsRecord record = LoadSettingsRecord(store, QDir::currentPath(), keyring);
    const LibraryFolders& folders = CurrentLibraryFolders();
    record.folders = {CleanFolder(folders.templates), CleanFolder(folders.textures),
                      CleanFolder(folders.veloras), CleanFolder(folders.exportFolder)};
    return record;
}

// The profile named, or every profile that has a server.
std::vector<ProfileKind> ChosenProfiles(const ParsedArguments& args, const SettingsRecord& record) {
    if (args.Has("--profile")) {
        const QString name = args.Value("--profile");
        const std::optional<ProfileKind> kind = ProfileFromName(name);
        if (!kind) {
            throw UsageError(
                QString("--profile expects templates, textures or veloras, not \"%1\"").arg(name));
        }
        if (record.Profile(*kind).address.trimmed().isEmpty())
            throw CommandError({}, QString("no server is set up for the %1").arg(name));
        return {*kind};
    }
    std::vector<ProfileKind> kinds = ProfilesWithServer(record);
    if (kinds.empty()) throw CommandError({}, "no server is set up (Connection setup)");
    return kinds;
}

// A failure as one line: a connection failure names the server on a line of
// its own in the desktop program.
QString OneLine(ProfileKind kind, const QString& text) {
    return ProfileName(kind) + ": " + QString(text).replace('\n', ' ');
}

class DownloadProgress : public IDownloadObserver {
public:
    DownloadProgress(CliUserInterface& user, bool fetchAll) : m_user(user), m_fetchAll(fetchAll) {}
    ~DownloadProgress() override { m_user.EndProgress(); }

    bool FetchAll() const override { return m_fetchAll; }
    void BeginProfile(ProfileKind kind) override { m_kind = kind; }
    void SetTotal(int total) override {
        m_user.BeginProgress("Downloading " + ProfileName(m_kind), total);
    }
    void SetDone(int) override { m_user.StepProgress(); }
    void SetCaption(const QString&) override {}
    void SetCurrentFile(const QString&) override {}

private:
    CliUserInterface& m_user;
    bool m_fetchAll;
    ProfileKind m_kind = ProfileKind::Templates;
};

void RunDownload(CommandContext& context) {
    const SettingsRecord record = LoadSettings();
    const std::vector<ProfileKind> kinds = ChosenProfiles(context.args, record);
    InterruptCancels interrupts;
    std::vector<ProfileDownload> runs;
    {
        DownloadProgress progress(context.user, context.args.Has("--all"));
        try {
            runs = RunDownloads(record, kinds, progress, g_interrupt);
        } catch (const TransferCancelled&) {
            throw CommandError({}, "interrupted");
        }
    }
    QStringList failures;
    for (const ProfileDownload& run : runs) {
        const int failed = static_cast<int>(run.report.problems.size());
        context.output += QString("%1: %2 downloaded, %3 unchanged, %4 failed from %5\n")
                              .arg(ProfileName(run.kind))
                              .arg(run.report.downloaded)
                              .arg(run.report.unchanged)
                              .arg(failed)
                              .arg(record.Profile(run.kind).address);
        for (const TransferProblem& problem : run.report.problems) failures.append(problem.Text());
        if (!run.report.failure.isEmpty()) failures.append(OneLine(run.kind, run.report.failure));
    }
    if (!failures.isEmpty()) throw CommandFailures(failures);
}

class SendProgress : public ISendObserver {
public:
    SendProgress(CliUserInterface& user, const SendJob& job, QString& output)
        : m_user(user), m_job(job), m_output(output) {}

    void Began() override {
        m_user.BeginProgress("Sending " + ProfileName(m_job.kind), m_job.files.size());
    }
    void SetStatusLine(int, const QString&) override {}
    void FileSent(int, int) override { m_user.StepProgress(); }
    void Aborted(const QString& reason) override {
        m_user.EndProgress();
        m_failure = OneLine(m_job.kind, reason);
    }
    void Finished(const QString& note) override {
        m_user.EndProgress();
        m_output += QString("%1: %2 files sent to %3\n")
                        .arg(ProfileName(m_job.kind))
                        .arg(m_job.files.size())
                        .arg(m_job.server.address);
        if (!note.isEmpty()) m_output += ProfileName(m_job.kind) + ": " + note + '\n';
    }
    const QString& Failure() const { return m_failure; }

private:
    CliUserInterface& m_user;
    const SendJob& m_job;
    QString& m_output;
    QString m_failure;
};

// The library that holds the path, among the chosen ones; the innermost one
// when library folders nest.
std::optional<ProfileKind> LibraryOf(const QString& path, const SettingsRecord& record,
                                     const std::vector<ProfileKind>& kinds) {
    std::optional<ProfileKind> found;
    for (ProfileKind kind : kinds) {
        const QString folder = LibraryFolder(record.folders, kind);
        if (path.startsWith(folder) &&
            (!found || folder.size() > LibraryFolder(record.folders, *found).size())) {
            found = kind;
        }
    }
    return found;
}

// The files to send for each chosen library: those named (a folder stands
// for what it holds), or the whole library when none are named.
std::map<ProfileKind, QStringList> FilesByLibrary(const ParsedArguments& args,
                                                  const SettingsRecord& record,
                                                  const std::vector<ProfileKind>& kinds) {
    std::map<ProfileKind, QStringList> files;
    const QString& textures = record.folders.textures;
    if (args.Positional().isEmpty()) {
        for (ProfileKind kind : kinds)
            files[kind] = FilesToSend(LibraryFolder(record.folders, kind), textures);
        return files;
    }
    QStringList failures;
    for (const QString& named : args.Positional()) {
        const QFileInfo info(named);
        const QString path = QDir::cleanPath(info.absoluteFilePath());
        const std::optional<ProfileKind> kind = LibraryOf(path + '/', record, kinds);
        if (!info.exists()) {
            failures.append(named + ": no such file or folder");
        } else if (!kind) {
            failures.append(named + ": not inside the " +
                            (args.Has("--profile") ? args.Value("--profile") + " library"
                                                   : QString("libraries")));
        } else {
            files[*kind] += info.isDir() ? FilesToSend(path, textures) : QStringList{path};
        }
    }
    if (!failures.isEmpty()) throw CommandFailures(failures);
    return files;
}

void RunSend(CommandContext& context) {
    const SettingsRecord record = LoadSettings();
    const std::vector<ProfileKind> kinds = ChosenProfiles(context.args, record);
    const std::map<ProfileKind, QStringList> files = FilesByLibrary(context.args, record, kinds);
    InterruptCancels interrupts;
    QStringList failures;
    for (const auto& [kind, list] : files) {
        if (list.isEmpty()) continue;
        const SendJob job = MakeSendJob(record, kind, list);
        SendProgress progress(context.user, job, context.output);
        RunSendJobInTurn(job, SendTurnstile().TakeTicket(), progress, g_interrupt);
        if (g_interrupt.IsCancelled()) throw CommandError({}, "interrupted");
        if (!progress.Failure().isEmpty()) failures.append(progress.Failure());
    }
    if (!failures.isEmpty()) throw CommandFailures(failures);
}
}  // namespace

std::vector<Command> ExchangeCommands() {
    return {
        {"download",
         {"download [--profile templates|textures|veloras] [--all]"},
         "Brings the libraries up to date from their servers, with the server profiles\n"
         "of Connection setup: every file below a profile's remote folder is copied into\n"
         "its library, subfolders included, replacing files of the same name. A file\n"
         "whose local copy is as large as the server's and no older is left alone;\n"
         "--all fetches every file. A file arrives complete or not at all. Without\n"
         "--profile every profile that has a server runs, in the order templates,\n"
         "textures, veloras; a profile whose server cannot be reached ends the run.\n"
         "Prints how many files each profile downloaded, found unchanged and failed;\n"
         "every file that could not be downloaded is named on a line of its own on\n"
         "stderr, and the exit status is then 1.",
         {{"--profile", true, false}, {"--all", false, false}},
         0,
         RunDownload},
        {"send",
         {"send [--profile templates|textures|veloras] [FILE...]"},
         "Uploads library files to their servers, with the server profiles of\n"
         "Connection setup. Each FILE (a folder stands for the files in it) must lie in\n"
         "a library folder and goes to the same place below that profile's remote\n"
         "folder, whose folders are created as needed; a file there is replaced only once\n"
         "the new one has arrived whole (where the server allows renaming). With no\n"
         "FILE every file of the library is sent: everything in the textures library,\n"
         "templates (.mtp) and veloras (.vld) in the others. One library is sent at a\n"
         "time; the first file that cannot be sent ends its library's job, is named on\n"
         "stderr, and the exit status is then 1.",
         {{"--profile", true, false}},
         kAnyPositionalCount,
         RunSend},
    };
}

}  // namespace velora::cli
