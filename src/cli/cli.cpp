// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli.h"

#include "cli/command.h"
#include "cli/design_commands.h"
#include "cli/exchange_commands.h"
#include "cli/inspect_commands.h"
#include "cli/library_commands.h"
#include "cli/template_commands.h"
#include "core/common/errors.h"
#include "core/common/library_folders.h"

#include <QDir>
#include <QSettings>

namespace velora::cli {

namespace {
const QString kProgram = QStringLiteral("velora-cli");

QString Usage() {
    QString text = "Usage:\n";
    for (const Command& command : Commands()) {
        for (const QString& synopsis : command.synopses)
            text += "  " + kProgram + " " + synopsis + "\n";
    }
    text += "  " + kProgram + " --version\n";
    text += "\nRun '" + kProgram + " COMMAND --help' for what a command does.\n";
    return text;
}

QString CommandHelp(const Command& command) {
    QString text;
    for (const QString& synopsis : command.synopses) {
        text += (text.isEmpty() ? "Usage: " : "       ") + kProgram + " " + synopsis + "\n";
    }
    return text + "\n" + command.help + "\n";
}

const Command* FindCommand(const QString& name) {
    for (const Command& command : Commands()) {
        if (command.name == name) return &command;
    }
    return nullptr;
}

// Library folders as the desktop program reads them; --textures overrides
// the textures folder.
void LoadLibraryFolders(const ParsedArguments& args) {
    QSettings settings(SettingsOrganization(), SettingsApplication());
    LibraryFolders folders = ReadLibraryFolders(settings, QDir::currentPath());
    if (args.Has("--textures")) {
        folders.textures = QDir(args.Value("--textures")).absolutePath() + "/";
    }
    SetCurrentLibraryFolders(folders);
}

CliResult Run(const Command& command, const QStringList& rest, std::FILE* progress) {
    CliResult result;
    std::vector<OptionSpec> options = command.options;
    options.push_back({"--textures", true, false});
    // The file a failure without a file of its own is told about.
    QString subject;
    try {
        const ParsedArguments args = ParsedArguments::Parse(rest, options, command.positionalCount);
        subject = args.Positional().value(0);
        LoadLibraryFolders(args);
        CliUserInterface user(progress);
        QStringList notes;
        CommandContext context{args, user, result.out, notes};
        command.run(context);
        for (const QString& note : notes) result.err += kProgram + ": " + note + "\n";
    } catch (const UsageError& error) {
        result.exitCode = 2;
        result.err =
            kProgram + " " + command.name + ": " + error.Message() + "\n" + CommandHelp(command);
    } catch (const CommandFailures& failures) {
        result.exitCode = 1;
        for (const QString& line : failures.Lines()) result.err += kProgram + ": " + line + "\n";
    } catch (const CommandError& error) {
        result.exitCode = 1;
        result.err = kProgram + ": " + QString::fromStdString(error.what()) + "\n";
    } catch (const std::exception& error) {
        // Core's failures, running out of memory and anything else.
        result.exitCode = 1;
        result.err = kProgram + ": " + FailureText(error, subject) + "\n";
    }
    return result;
}
}  // namespace

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = [] {
        std::vector<Command> all = InspectCommands();
        for (auto group :
             {TemplateCommands(), DesignCommands(), ExchangeCommands(), LibraryCommands()}) {
            all.insert(all.end(), group.begin(), group.end());
        }
        return all;
    }();
    return commands;
}

CliResult RunCli(const QStringList& args, std::FILE* progress) {
    if (args.isEmpty()) return {2, {}, Usage()};
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") return {0, Usage(), {}};
    if (args[0] == "--version") return {0, kProgram + " " + VELORA_VERSION + "\n", {}};
    const Command* command = FindCommand(args[0]);
    if (!command) return {2, {}, kProgram + ": unknown command " + args[0] + "\n" + Usage()};
    const QStringList rest = args.mid(1);
    if (rest.contains("--help") || rest.contains("-h")) return {0, CommandHelp(*command), {}};
    return Run(*command, rest, progress);
}

}  // namespace velora::cli
