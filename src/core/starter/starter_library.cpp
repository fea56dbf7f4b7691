// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/starter/starter_library.h"

#include "core/common/errors.h"
#include "core/common/folder_ops.h"
#include "core/common/library_folders.h"
#include "core/common/output_file.h"
#include "core/common/user_interface.h"
#include "core/starter/starter_drawings.h"
#include "core/starter/starter_textures.h"
#include "core/starter/texture_generator.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDirIterator>
#include <QFileInfo>

namespace velora {

namespace {

constexpr int kTileSize = 128;

bool HoldsFiles(const QString& folder) {
    return QDirIterator(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories).hasNext();
}

QByteArray PngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Writes what `make` gives to the path unless a file is there already.
template <typename Make>
void AddFile(const QString& path, Make&& make, StarterReport& report) {
    if (QFileInfo::exists(path)) {
        report.kept.append(path);
        return;
    }
    CreateFolderPath(QFileInfo(path).absolutePath() + QLatin1Char('/'));
    make(path);
    report.added.append(path);
}

}  // namespace

bool AreLibrariesEmpty(const LibraryFolders& folders) {
    for (const QString& folder :
         {folders.templates, folders.textures, folders.veloras, folders.exportFolder}) {
        if (HoldsFiles(folder)) return false;
    }
    return true;
}

StarterReport AddStarterLibrary(const LibraryFolders& folders, IUserInterface& user) {
    StarterReport report;
    const QList<StarterTexture>& textures = StarterTextures();
    const QList<StarterDrawing>& drawings = StarterDrawings();
    ProgressScope progress(user,
                           QCoreApplication::translate("velora", "Adding the starter library..."),
                           static_cast<int>(textures.size() + drawings.size()));
    for (const StarterTexture& texture : textures) {
        const QString path =
            QStringLiteral("%1%2/%3.png")
                .arg(folders.textures, QLatin1String(texture.group), QLatin1String(texture.name));
        AddFile(
            path,
            [&](const QString& target) {
                const QByteArray png = PngBytes(GenerateTexture(texture.recipe, kTileSize));
                OutputFile file(target);
                file.Write(png.constData(), png.size());
                file.Commit();
            },
            report);
        progress.Step();
    }
    for (const StarterDrawing& drawing : drawings) {
        const QString path =
            folders.templates + QLatin1String(drawing.name) + QLatin1String(".mtp");
        AddFile(
            path, [&](const QString& target) { SaveStarterTemplate(drawing, target); }, report);
        progress.Step();
    }
    return report;
}

}  // namespace velora
