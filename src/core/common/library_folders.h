// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QSettings;

namespace velora {

// The four library folders. Paths use "/" and end with "/".
struct LibraryFolders {
    QString templates;
    QString textures;
    QString veloras;
    QString exportFolder;
};

// The folders of this process, as the settings gave them at start-up (the
// desktop program) or as a command line overrode them (the batch tool).
const LibraryFolders& CurrentLibraryFolders();
void SetCurrentLibraryFolders(const LibraryFolders& folders);

// Reads TemplatesFolder, TexturesFolder, VelorasFolder and ExportFolder; an
// empty value defaults to the base folder followed by "templates/",
// "textures/", "veloras/" or "export/".
LibraryFolders ReadLibraryFolders(QSettings& settings, const QString& baseFolder);
// Stores the four folders under the same names.
void WriteLibraryFolders(QSettings& settings, const LibraryFolders& folders);

// The settings store that the desktop program and the batch tool share.
QString SettingsOrganization();
QString SettingsApplication();

}  // namespace velora
