// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/import_file.h"

#include "core/common/errors.h"
#include "core/import/dxf_import.h"
#include "core/model/drawing_model.h"
#include "metafile_test_builder.h"
#include "support/scripted_user.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace velora {
namespace {

class ImportFileTest : public ::testing::Test {
protected:
    ImportFileTest() {
        model.SetUserInterface(&user);
        // Content that every import starts by clearing.
        model.AddCurve(std::make_unique<CCurve>());
        model.AddRegion(std::make_unique<CRegionItem>());
        model.SetTemplateName("old");
    }

    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    void ExpectEmpty() const {
        EXPECT_TRUE(model.Curves().empty());
        EXPECT_TRUE(model.Regions().empty());
        EXPECT_TRUE(model.Objects().empty());
        EXPECT_TRUE(model.GetTemplateName().isEmpty());
    }

    // The message of the import's failure, and its type checked.
    template <typename Error>
    QString FailureOf(const QString& path) {
        try {
            ImportFile(model, path);
        } catch (const Error& error) {
            return error.Message();
        }
        ADD_FAILURE() << "no failure for " << path.toStdString();
        return {};
    }

    QTemporaryDir folder;
    test::ScriptedUser user;
    CDrawingModel model;
};

TEST_F(ImportFileTest, MetafileOfAnyLetterCaseIsImported) {
    const QByteArray emf = test::EmfBuilder()
                               .Rectangle(0, 0, 200, 100)
                               .Poly16(86, {{20, 20}, {60, 20}, {40, 60}})
                               .Build();
    user.drawingSizes = {QSize(200, 100)};
    EXPECT_TRUE(ImportFile(model, Write("drawing.EMF", emf)));
    EXPECT_EQ(model.Curves().size(), 2u);
    EXPECT_EQ(model.GetWidth(), 220);
    EXPECT_EQ(model.GetMaskBitmap().Height(), 120);
    EXPECT_EQ(model.Regions().size(), 0u);
    EXPECT_TRUE(user.messages.isEmpty());
}

TEST_F(ImportFileTest, MetafileFailureNamesTheFileAndKeepsTheCode) {
    const QString path = Write("drawing.wmf", QByteArray("\x01\x00\x00\x00 not a metafile", 20));
    try {
        ImportFile(model, path);
        FAIL() << "a broken metafile was imported";
    } catch (const MetafileError& error) {
        EXPECT_EQ(error.File(), path);
        EXPECT_FALSE(error.Reason().isEmpty());
        EXPECT_GE(error.Code(), 1);
        EXPECT_LE(error.Code(), 9);
    }
    ExpectEmpty();
}

TEST_F(ImportFileTest, MissingMetafileCannotBeOpened) {
    EXPECT_EQ(FailureOf<MetafileError>(folder.filePath("gone.emf")),
              folder.filePath("gone.emf") + ": cannot be opened: No such file or directory");
    ExpectEmpty();
}

TEST_F(ImportFileTest, MissingDxfFileCannotBeOpened) {
    EXPECT_EQ(FailureOf<FileError>(folder.filePath("plan.DXF")),
              folder.filePath("plan.DXF") + ": cannot be opened: No such file or directory");
    ExpectEmpty();
}

TEST_F(ImportFileTest, OversizedDxfFileIsRefusedBeforeItIsRead) {
    // A sparse file: its size is what counts, not what it holds.
    QFile file(folder.filePath("huge.dxf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(kMaxDxfFileBytes + 1));
    file.close();
    EXPECT_EQ(FailureOf<FormatError>(file.fileName()),
              QStringLiteral("%1: is too large (%2 bytes; at most %3 bytes are read)")
                  .arg(file.fileName())
                  .arg(kMaxDxfFileBytes + 1)
                  .arg(kMaxDxfFileBytes));
    ExpectEmpty();
}

TEST_F(ImportFileTest, DxfDrawingBecomesCurvesAndMask) {
    QByteArray dxf = "0\nSECTION\n2\nENTITIES\n";
    const char* lines[] = {"0\n0\n10\n0\n", "10\n0\n10\n10\n", "10\n10\n0\n10\n", "0\n10\n0\n0\n"};
    for (const char* line : lines) {
        const QList<QByteArray> v = QByteArray(line).split('\n');
        dxf += "0\nLINE\n10\n" + v[0] + "\n20\n" + v[1] + "\n11\n" + v[2] + "\n21\n" + v[3] + "\n";
    }
    dxf += "0\nENDSEC\n0\nEOF\n";
    user.drawingSizes = {QSize(100, 100)};
    EXPECT_TRUE(ImportFile(model, Write("square.dxf", dxf)));
    ASSERT_EQ(model.Curves().size(), 1u);
    EXPECT_EQ(model.Curves()[0]->GetPath().WorldBoundsI(), (Rect{10, 10, 100, 100}));
    EXPECT_FALSE(model.GetMaskBitmap().Pixel(10, 50));
    EXPECT_TRUE(model.GetMaskBitmap().Pixel(50, 50));
}

TEST_F(ImportFileTest, CancelledSizeLeavesAnEmptyModel) {
    const QByteArray emf = test::EmfBuilder().Rectangle(0, 0, 20, 10).Build();
    EXPECT_TRUE(ImportFile(model, Write("drawing.emf", emf)));
    ExpectEmpty();
    EXPECT_EQ(model.GetWidth(), 0);
}

TEST_F(ImportFileTest, OtherNamesAreReadAsModelFiles) {
    // Only the file name's last dot counts: a folder named like a drawing
    // does not make its files drawings.
    QDir(folder.path()).mkdir("plans.dxf");
    EXPECT_FALSE(ImportFile(model, folder.filePath("plans.dxf/template")));
    ExpectEmpty();
    EXPECT_FALSE(ImportFile(model, folder.filePath("missing.mtp")));
    EXPECT_FALSE(ImportFile(model, folder.filePath("drawing.emf.vld")));
}

TEST_F(ImportFileTest, FileThatIsNoModelThrowsWrongFormat) {
    EXPECT_THROW(ImportFile(model, Write("notes.mtp", QByteArray(64, 'x'))), WrongFormatError);
    EXPECT_TRUE(user.messages.isEmpty());
    ExpectEmpty();
}

TEST_F(ImportFileTest, DamagedMetafilesFailCleanly) {
    const QDir corpus(QStringLiteral(VELORA_SHARED_CORPUS "/emf-damaged"));
    if (!corpus.exists()) GTEST_SKIP() << "no damaged metafiles in the shared corpus";
    for (const QString& name : corpus.entryList({"*.emf"}, QDir::Files)) {
        user.drawingSizes = {QSize(300, 200)};
        try {
            ImportFile(model, corpus.filePath(name));
            EXPECT_EQ(model.GetWidth(), 320) << name.toStdString();
        } catch (const VeloraError& error) {
            EXPECT_EQ(error.File(), corpus.filePath(name));
            ExpectEmpty();
        }
    }
}

}  // namespace
}  // namespace velora
