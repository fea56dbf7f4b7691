// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/library_commands.h"

#include "core/common/library_folders.h"
#include "core/starter/starter_library.h"

namespace velora::cli {

namespace {
void RunStarter(CommandContext& context) {
    const StarterReport report = AddStarterLibrary(CurrentLibraryFolders(), context.user);
    for (const QString& path : report.added) context.output += path + "\n";
    if (!report.kept.isEmpty()) {
        context.notes.append(QString("left %1 file(s) of the starter library as they were, "
                                     "since they exist already")
                                 .arg(report.kept.size()));
    }
}
}  // namespace

std::vector<Command> LibraryCommands() {
    return {
        {"starter",
         {"starter"},
         "Adds the starter library to the library folders of the settings (below the\n"
         "current folder unless the settings name others): three texture groups of\n"
         "seamless tiles (\"Natural\": wood and stone, \"Fabric\", \"Colours\") and three\n"
         "templates (\"House\", \"Fish\", \"Flower\") with their areas named, ready to\n"
         "colour. Files that exist already are left as they are. The paths written are\n"
         "printed.",
         {},
         0,
         RunStarter},
    };
}

}  // namespace velora::cli
