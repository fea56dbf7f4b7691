// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/library_folders.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace velora {
namespace {

TEST(LibraryFoldersTest, EmptySettingsGiveSubfoldersOfTheBaseFolder) {
    QTemporaryDir dir;
    QSettings settings(dir.filePath("v.ini"), QSettings::IniFormat);
    const LibraryFolders folders = ReadLibraryFolders(settings, "/home/ann/Work");
    EXPECT_EQ(folders.templates, "/home/ann/Work/templates/");
    EXPECT_EQ(folders.textures, "/home/ann/Work/textures/");
    EXPECT_EQ(folders.veloras, "/home/ann/Work/veloras/");
    EXPECT_EQ(folders.exportFolder, "/home/ann/Work/export/");
}

TEST(LibraryFoldersTest, StoredFoldersKeepTheirCaseAndEndWithASeparator) {
    QTemporaryDir dir;
    QSettings settings(dir.filePath("v.ini"), QSettings::IniFormat);
    settings.setValue("ExportFolder", "/data/Exports");
    settings.setValue("TexturesFolder", "/data/Textures/");
    const LibraryFolders folders = ReadLibraryFolders(settings, "/base/");
    EXPECT_EQ(folders.exportFolder, "/data/Exports/");
    EXPECT_EQ(folders.textures, "/data/Textures/");
    EXPECT_EQ(folders.templates, "/base/templates/");

    WriteLibraryFolders(settings, folders);
    EXPECT_EQ(ReadLibraryFolders(settings, "/elsewhere").veloras, "/base/veloras/");
}

}  // namespace
}  // namespace velora
