// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/arguments.h"
#include "cli/cli_user_interface.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace velora::cli {

// What every command gets: its parsed arguments, the user interface that
// answers core's questions, the place its report goes, and notes for the
// user that do not stop it (each a line on stderr, "FILE: what").
struct CommandContext {
    const ParsedArguments& args;
    CliUserInterface& user;
    QString& output;
    QStringList& notes;
};

// A failure of a command that names the file and the reason; exit status 1.
class CommandError : public std::runtime_error {
public:
    CommandError(const QString& file, const QString& reason)
        : std::runtime_error((file.isEmpty() ? reason : file + ": " + reason).toStdString()) {}
};

// Several failures of one command, each naming its file and reason on a line
// of its own; exit status 1.
class CommandFailures : public std::runtime_error {
public:
    explicit CommandFailures(QStringList lines)
        : std::runtime_error(lines.join('\n').toStdString()), m_lines(std::move(lines)) {}
    const QStringList& Lines() const { return m_lines; }

private:
    QStringList m_lines;
};

// One command of the tool: its name, its options and what it does.
struct Command {
    QString name;
    QStringList synopses;  // its usage lines, each after "velora-cli "
    QString help;          // what it does, its options
    std::vector<OptionSpec> options;
    int positionalCount = 1;
    std::function<void(CommandContext&)> run;
};

// Every command, in the order the usage lists them.
const std::vector<Command>& Commands();

}  // namespace velora::cli
