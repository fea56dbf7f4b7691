// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace velora {

namespace {

// Options every Qt program takes; QApplication reads them later.
void AddQtOptions(QCommandLineParser& parser) {
    const char* const withValue[] = {
        "platform",     "platformpluginpath", "platformtheme", "plugin",     "qwindowgeometry",
        "qwindowtitle", "qwindowicon",        "style",         "stylesheet", "session",
        "display",      "geometry",           "qmljsdebugger"};
    const char* const flags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};
    for (const char* name : withValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : flags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

QString ProgramName() { return QStringLiteral("velora"); }

}  // namespace

DesktopCommandLine ParseDesktopCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    // Qt's own options are written with one dash ("-platform offscreen").
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QCoreApplication::translate(
        "velora", "Turns drawings into colouring templates and colours them with textures."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(
        QCoreApplication::translate("velora", "files"),
        QCoreApplication::translate("velora",
                                    "Designs (.vld) and templates (.mtp) to open, drawings "
                                    "(.dxf, .wmf, .emf) to import as new templates."),
        QCoreApplication::translate("velora", "[FILE...]"));
    AddQtOptions(parser);

    DesktopCommandLine line;
    const bool parsed = parser.parse(QStringList(ProgramName()) + arguments);
    if (!parsed) {
        line.run = false;
        line.exitCode = 2;
        line.error = ProgramName() + QStringLiteral(": ") + parser.errorText() +
                     QStringLiteral("\n") + parser.helpText();
    } else if (parser.isSet(help)) {
        line.run = false;
        line.output = parser.helpText();
    } else if (parser.isSet(version)) {
        line.run = false;
        line.output = ProgramName() + QStringLiteral(" ") + QCoreApplication::applicationVersion() +
                      QStringLiteral("\n");
    } else {
        line.files = parser.positionalArguments();
    }
    return line;
}

}  // namespace velora
