// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/library_folders.h"

#include <QSettings>

namespace velora {

namespace {
LibraryFolders g_folders;

QString WithTrailingSlash(QString path) {
    if (!path.isEmpty() && !path.endsWith('/')) path += '/';
    return path;
}

// Library folders are joined with file names directly, so a stored folder
// always gets its trailing separator.
QString ReadFolder(QSettings& settings, const char* key, const QString& fallback) {
    const QString stored = settings.value(key).toString();
    return stored.isEmpty() ? fallback : WithTrailingSlash(stored);
}
}  // namespace

const LibraryFolders& CurrentLibraryFolders() { return g_folders; }

void SetCurrentLibraryFolders(const LibraryFolders& folders) { g_folders = folders; }

LibraryFolders ReadLibraryFolders(QSettings& settings, const QString& baseFolder) {
    const QString base = WithTrailingSlash(baseFolder);
    LibraryFolders folders;
    folders.templates = ReadFolder(settings, "TemplatesFolder", base + "templates/");
    folders.textures = ReadFolder(settings, "TexturesFolder", base + "textures/");
    folders.veloras = ReadFolder(settings, "VelorasFolder", base + "veloras/");
    folders.exportFolder = ReadFolder(settings, "ExportFolder", base + "export/");
    return folders;
}

void WriteLibraryFolders(QSettings& settings, const LibraryFolders& folders) {
    settings.setValue("TemplatesFolder", folders.templates);
    settings.setValue("TexturesFolder", folders.textures);
    settings.setValue("VelorasFolder", folders.veloras);
    settings.setValue("ExportFolder", folders.exportFolder);
}

QString SettingsOrganization() { return QStringLiteral("Orvane"); }
QString SettingsApplication() { return QStringLiteral("Velora"); }

}  // namespace velora
