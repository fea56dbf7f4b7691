// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/starter/starter_library.h"
#include "core/common/library_folders.h"
#include "core/common/user_interface.h"
#include "core/model/drawing_model.h"
#include "core/model/model_file.h"
#include "core/starter/starter_drawings.h"
#include "core/starter/starter_textures.h"

#include "test_files.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace velora {
namespace {

class StarterLibraryTest : public testing::Test {
protected:
    LibraryFolders Folders() const {
        const QString base = root.path() + "/";
        return {base + "templates/", base + "textures/", base + "veloras/", base + "export/"};
    }
    QTemporaryDir root;
    NullUserInterface user;
};

TEST_F(StarterLibraryTest, LibrariesAreEmptyUntilAnyOfThemHoldsAFile) {
    const LibraryFolders folders = Folders();
    EXPECT_TRUE(AreLibrariesEmpty(folders)) << "folders that do not exist yet";
    for (const QString& folder : {folders.templates, folders.textures + "Group/"})
        ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(AreLibrariesEmpty(folders)) << "empty folders and groups";
    for (const QString& file : {folders.exportFolder + "picture.png",
                                folders.textures + "Group/brick.png", folders.veloras + "a.vld"}) {
        QTemporaryDir fresh;
        const QString base = fresh.path() + "/";
        LibraryFolders one{base + "templates/", base + "textures/", base + "veloras/",
                           base + "export/"};
        const QString path = QString(file).replace(root.path() + "/", base);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
        test::WriteFileBytes(path, "x");
        EXPECT_FALSE(AreLibrariesEmpty(one)) << path.toStdString();
    }
}

TEST_F(StarterLibraryTest, TemplatesCarryTheirNamedAreasAndTexturesTheirGroups) {
    const StarterReport report = AddStarterLibrary(Folders(), user);
    EXPECT_TRUE(report.kept.isEmpty());
    EXPECT_EQ(report.added.size(), StarterTextures().size() + StarterDrawings().size());
    EXPECT_EQ(QDir(Folders().textures).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList({"Colours", "Fabric", "Natural"}));
    for (const StarterTexture& texture : StarterTextures()) {
        const QImage tile(Folders().textures + texture.group + "/" + texture.name + ".png");
        EXPECT_EQ(tile.size(), QSize(128, 128)) << texture.name;
    }
    for (const StarterDrawing& drawing : StarterDrawings()) {
        CDrawingModel model;
        LoadModelFile(model, Folders().templates + drawing.name + ".mtp");
        EXPECT_EQ(QSize(model.GetWidth(), model.GetHeight()), drawing.size + QSize(20, 20))
            << drawing.name;
        ASSERT_EQ(model.Areas().size(), drawing.areas.size()) << drawing.name;
        QStringList regionsSeen;
        for (qsizetype i = 0; i < drawing.areas.size(); ++i) {
            const CArea& area = model.Areas()[i];
            EXPECT_EQ(area.GetName(), drawing.areas[i].name);
            EXPECT_EQ(area.NameCount(), drawing.areas[i].points.size())
                << area.GetName().toStdString();
            regionsSeen += area.Names();
        }
        EXPECT_EQ(regionsSeen.size(), QSet<QString>(regionsSeen.begin(), regionsSeen.end()).size())
            << drawing.name << ": a region belongs to two areas";
    }
}

TEST_F(StarterLibraryTest, ASecondRunKeepsEveryFileAsItIs) {
    const QString oak = Folders().textures + "Natural/Oak.png";
    ASSERT_TRUE(QDir().mkpath(Folders().textures + "Natural"));
    test::WriteFileBytes(oak, "the user's own oak");
    const StarterReport first = AddStarterLibrary(Folders(), user);
    EXPECT_EQ(first.kept, QStringList{oak});
    EXPECT_EQ(test::FileBytes(oak), "the user's own oak");
    const QByteArray house = test::FileBytes(Folders().templates + "House.mtp");

    const StarterReport second = AddStarterLibrary(Folders(), user);
    EXPECT_TRUE(second.added.isEmpty());
    EXPECT_EQ(second.kept.size(), first.added.size() + 1);
    EXPECT_EQ(test::FileBytes(Folders().templates + "House.mtp"), house);
}

}  // namespace
}  // namespace velora
