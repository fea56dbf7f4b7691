// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_fixture.h"
#include "core/import/dxf_test_text.h"
#include "metafile_test_builder.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>

namespace velora::clitest {
namespace {

class ImportCommandTest : public CliTest {
protected:
    // Imports and expects exit 0 with nothing said.
    QJsonObject Import(const QString& drawing, const QString& size) {
        const QString out = PathOf("out.mtp");
        const cli::CliResult result = RunTool({"import", drawing, "-o", out, "--size", size});
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
        return Info(out);
    }

    QByteArray Metafile() const {
        return test::EmfBuilder().Rectangle(10, 10, 60, 40).Ellipse(70, 10, 95, 40).Build();
    }
};

TEST_F(ImportCommandTest, DrawingGetsTheSizeAndTheMargin) {
    const QJsonObject info = Import(WriteShapesDxf(), "300x80");
    EXPECT_EQ(info["width"].toInt(), 320);
    EXPECT_EQ(info["height"].toInt(), 100);
    EXPECT_EQ(info["curves"].toArray().size(), 3);
    EXPECT_EQ(info["mask"]["width"].toInt(), 320);
    EXPECT_EQ(info["mask"]["height"].toInt(), 100);
    EXPECT_TRUE(info["regions"].toArray().isEmpty());
}

TEST_F(ImportCommandTest, SizesAtTheLimitsAreAccepted) {
    const QString drawing = WriteShapesDxf();
    QJsonObject info = Import(drawing, "1x1");
    EXPECT_EQ(info["width"].toInt(), 21);
    EXPECT_EQ(info["height"].toInt(), 21);
    info = Import(drawing, "30000x1");
    EXPECT_EQ(info["width"].toInt(), 30020);
    EXPECT_EQ(info["height"].toInt(), 21);
}

TEST_F(ImportCommandTest, EnhancedMetafileBecomesATemplate) {
    const QJsonObject info = Import(WriteBytes("shapes.emf", Metafile()), "170x60");
    EXPECT_EQ(info["width"].toInt(), 190);
    EXPECT_EQ(info["height"].toInt(), 80);
    const QJsonArray curves = info["curves"].toArray();
    ASSERT_EQ(curves.size(), 2);
    for (const QJsonValue& curve : curves) {
        const QRect bounds = CurveBounds(curve.toObject());
        EXPECT_TRUE(QRect(9, 9, 172, 62).contains(bounds)) << bounds.x() << "," << bounds.y();
    }
}

TEST_F(ImportCommandTest, PlaceableWindowsMetafileBecomesATemplate) {
    const QByteArray wmf =
        test::WmfBuilder().Box(0, 0, 100, 50, 1440).Rectangle(10, 10, 90, 40).Build();
    const QJsonObject info = Import(WriteBytes("box.wmf", wmf), "160x60");
    EXPECT_EQ(info["width"].toInt(), 180);
    EXPECT_EQ(info["curves"].toArray().size(), 1);
}

TEST_F(ImportCommandTest, SizeIsRequired) {
    const QString out = PathOf("out.mtp");
    ExpectUsageError(RunTool({"import", WriteShapesDxf(), "-o", out}));
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(ImportCommandTest, SizeThatIsNoSizeIsUsage) {
    const QString drawing = WriteShapesDxf();
    const QString out = PathOf("out.mtp");
    for (const char* size : {"abc", "200", "200x", "x40", "200*40", "2.5x40", "99999999999x10"}) {
        SCOPED_TRACE(size);
        ExpectUsageError(RunTool({"import", drawing, "-o", out, "--size", size}));
    }
    EXPECT_FALSE(QFile::exists(out));
}

// A size the size dialog would refuse is bad usage, said as for a size that
// is no size at all, and no template is written.
TEST_F(ImportCommandTest, SizeOutsideTheRangeIsUsageWithTheSameMessage) {
    const QString drawing = WriteShapesDxf();
    const QStringList before = Listing();
    const QString out = PathOf("out.mtp");
    const auto firstLine = [&](const char* size) {
        const cli::CliResult result = RunTool({"import", drawing, "-o", out, "--size", size});
        ExpectUsageError(result);
        return result.err.section('\n', 0, 0);
    };
    for (const char* size : {"0x10", "10x0", "-5x10", "40000x10", "10x30001"}) {
        SCOPED_TRACE(size);
        const QString said = firstLine(size);
        EXPECT_EQ(said, firstLine("abc").replace("\"abc\"", QString("\"%1\"").arg(size)));
        EXPECT_TRUE(said.contains("from 1 to 30000")) << said.toStdString();
    }
    EXPECT_EQ(Listing(), before);
}

// An output that is not a template would be a template under another
// kind's name.
TEST_F(ImportCommandTest, OutputThatIsNoTemplateIsUsage) {
    const QString drawing = WriteShapesDxf();
    const QStringList before = Listing();
    for (const char* name : {"out.vld", "out.png", "out", "out.mtp.bak"}) {
        SCOPED_TRACE(name);
        ExpectUsageError(RunTool({"import", drawing, "-o", PathOf(name), "--size", "100x100"}));
    }
    EXPECT_EQ(Listing(), before);
    const cli::CliResult upper =
        RunTool({"import", drawing, "-o", PathOf("OUT.MTP"), "--size", "100x100"});
    EXPECT_EQ(upper.exitCode, 0) << upper.err.toStdString();
}

// What the drawing holds that the template leaves out is said on stderr,
// and the template is made all the same.
TEST_F(ImportCommandTest, EntitiesLeftOutAreCountedOnStderr) {
    using dxftest::Groups;
    const std::string entities =
        Groups({"0", "INSERT", "2", "door"}) + Groups({"0", "TEXT", "1", "Kitchen"}) +
        Groups({"0", "POINT", "10", "1"}) + Groups({"0", "TEXT", "1", "Hall"}) +
        Groups({"0", "INSERT", "2", "shelf", "70", "2", "44", "3"}) +
        dxftest::LineEntity(0, 0, 10, 0) + dxftest::LineEntity(10, 0, 10, 10) +
        dxftest::LineEntity(10, 10, 0, 0);
    // What blocks hold counts where inserts place it.
    const std::string blocks = Groups({"0", "SECTION", "2", "BLOCKS", "0", "BLOCK", "2", "shelf",
                                       "0", "TEXT", "0", "ENDBLK", "0", "ENDSEC"});
    const QString drawing =
        WriteBytes("plan.dxf", QByteArray::fromStdString(blocks + dxftest::InEntities(entities)));
    const QString out = PathOf("plan.mtp");
    const cli::CliResult result = RunTool({"import", drawing, "-o", out, "--size", "100x100"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "velora-cli: " + drawing +
                              ": ignored: 1 INSERT of a missing block, 4 TEXT, 1 POINT\n");
    EXPECT_EQ(Info(out)["curves"].toArray().size(), 1);
}

TEST_F(ImportCommandTest, DrawingWithoutClosedShapesSaysSo) {
    const QString drawing = WriteBytes(
        "open.dxf", QByteArray::fromStdString(dxftest::InEntities(
                        dxftest::LineEntity(0, 0, 10, 0) + dxftest::LineEntity(10, 0, 10, 10))));
    const QString out = PathOf("open.mtp");
    const cli::CliResult result = RunTool({"import", drawing, "-o", out, "--size", "100x100"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "velora-cli: " + drawing + ": no closed shapes found\n");
    EXPECT_EQ(Info(out)["curves"].toArray().size(), 1);
}

// A file that is not the drawing its name claims, an empty one, or a drawing
// of nothing the template can use is refused with the reason, and no
// template is written.
TEST_F(ImportCommandTest, FilesThatAreNoDrawingAreRefusedWithTheReason) {
    const QByteArray readme = "README\n\nThis folder holds the plans of the house.\n";
    const QByteArray words = QByteArray::fromStdString(dxftest::InEntities(
        dxftest::Groups({"0", "TEXT", "1", "nothing", "0", "MTEXT", "1", "here"})));
    const struct {
        const char* name;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"readme.dxf", readme, "is not a DXF drawing: it has no DXF sections"},
        {"empty.dxf", "", "is empty"},
        {"words.dxf", words, "has no shapes to make a template of (left out: 1 TEXT, 1 MTEXT)"},
        {"readme.emf", readme, "not a valid enhanced metafile"},
        {"readme.wmf", readme, "not a valid enhanced metafile"},
        {"empty.wmf", "", "is empty"},
        {"blank.emf", test::EmfBuilder().Build(), "has no shapes to make a template of"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = WriteBytes(c.name, c.bytes);
        const QString out = PathOf("out.mtp");
        const cli::CliResult result = RunTool({"import", file, "-o", out, "--size", "100x100"});
        ExpectFailureNaming(result, file);
        EXPECT_TRUE(result.err.startsWith("velora-cli: " + file + ": " + c.reason))
            << result.err.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
}

// The drawing's choices are checked before it is read; then each line art
// format imports through the real program, an SVG with text among them.
TEST_F(ImportCommandTest, LineArtFormatsTakeTheirOwnChoices) {
    const QString svg = WriteBytes(
        "label.svg",
        "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 200 100\"><rect x=\"5\" y=\"5\" "
        "width=\"190\" height=\"90\" fill=\"none\" stroke=\"black\" stroke-width=\"2\"/><text "
        "x=\"20\" "
        "y=\"60\" font-size=\"40\">O</text></svg>");
    // A dark box and a speck of two pixels on grey.
    QImage art(60, 40, QImage::Format_Grayscale8);
    art.fill(150);
    for (int y = 10; y < 30; ++y) std::fill_n(art.scanLine(y) + 10, 40, 20);
    std::fill_n(art.scanLine(2) + 2, 2, 20);
    const QString png = PathOf("art.png");
    ASSERT_TRUE(art.save(png));
    // One filled box, and the same protected by a password.
    const QString pdf = PathOf("box.pdf");
    {
        QPdfWriter writer(pdf);
        writer.setPageSize(QPageSize(QSizeF(200, 100), QPageSize::Point));
        QPainter painter(&writer);
        painter.fillRect(QRect(500, 500, 1000, 400), Qt::black);
    }
    const QString locked = PathOf("locked.pdf");
    ASSERT_EQ(QProcess::execute("qpdf", {"--encrypt", "pw", "pw", "256", "--", pdf, locked}), 0);
    const QString out = PathOf("out.mtp");
    for (const QStringList& usage : {QStringList{svg, "--page", "2"},
                                     {png, "--threshold", "256"},
                                     {png, "--threshold", "-1"},
                                     {svg, "--threshold", "100"},
                                     {png, "--page", "1"},
                                     {png, "--speck-size", "0"},
                                     {pdf, "--speck-size", "3"},
                                     {svg, "--password", "pw"}}) {
        SCOPED_TRACE(usage.join(' ').toStdString());
        ExpectUsageError(
            RunTool(QStringList{"import"} + usage + QStringList{"-o", out, "--size", "100x100"}));
    }
    struct Case {
        QStringList args;
        int curves;  // 0: refused
        const char* refusal = "";
    };
    // The dark box is ink by the threshold chosen from the picture; below
    // its grey there is no ink, and nothing to make a template of. The speck
    // stays when specks of one pixel only are dropped. The text adds the two
    // outlines of its glyph to the frame's two edges.
    const std::vector<Case> cases = {
        {{png}, 1},
        {{png, "--speck-size", "1"}, 2},
        {{png, "--threshold", "10"}, 0, "has no shapes to make a template of"},
        {{svg}, 4},
        {{pdf}, 1},
        {{pdf, "--page", "2"}, 0, "has no page 2"},
        {{locked, "--password", "pw"}, 1},
        {{locked, "--password", "guess"}, 0, "the password is wrong"},
        {{locked}, 0, "is protected by a password"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        QFile::remove(out);
        const ProgramResult result =
            RunProgram(QStringList{"import"} + c.args + QStringList{"-o", out, "--size", "300x200"},
                       m_dir.path());
        if (c.curves == 0) {
            EXPECT_EQ(result.exitCode, 1);
            EXPECT_TRUE(result.err.contains(c.refusal)) << result.err.toStdString();
            EXPECT_FALSE(QFile::exists(out));
            continue;
        }
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_EQ(Info(out)["curves"].toArray().size(), c.curves);
    }
}

TEST_F(ImportCommandTest, FileThatIsNoDrawingIsRefused) {
    const QString text = WriteBytes("notes.txt", "0\nSECTION\n");
    const QString out = PathOf("out.mtp");
    ExpectFailureNaming(RunTool({"import", text, "-o", out, "--size", "100x100"}), text);
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(ImportCommandTest, MissingDrawingIsNamed) {
    const QString out = PathOf("out.mtp");
    for (const char* name : {"gone.dxf", "gone.emf", "gone.wmf"}) {
        const QString missing = PathOf(name);
        ExpectFailureNaming(RunTool({"import", missing, "-o", out, "--size", "100x100"}), missing);
    }
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(ImportCommandTest, TruncatedMetafileIsRefusedNamingIt) {
    const QByteArray emf = Metafile();
    const QString cut = WriteBytes("cut.emf", emf.left(60));
    const QString out = PathOf("out.mtp");
    const cli::CliResult result = RunTool({"import", cut, "-o", out, "--size", "100x100"});
    ExpectFailureNaming(result, cut);
    EXPECT_TRUE(result.err.startsWith("velora-cli: " + cut + ": ")) << result.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(ImportCommandTest, OutputInAMissingFolderIsNamed) {
    const QString out = PathOf("missing/out.mtp");
    ExpectFailureNaming(RunTool({"import", WriteShapesDxf(), "-o", out, "--size", "100x100"}), out);
}

// Damaged metafiles end in a template or in one line naming the file, never
// in a crash.
TEST_F(ImportCommandTest, DamagedMetafilesOfTheCorpusEndCleanly) {
    const QDir corpus(QStringLiteral(VELORA_SHARED_CORPUS "/emf-damaged"));
    if (!corpus.exists()) GTEST_SKIP() << "corpus folder absent: " << corpus.path().toStdString();
    const QStringList files = corpus.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    const QString out = PathOf("out.mtp");
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        QFile::remove(out);
        const cli::CliResult result =
            RunTool({"import", corpus.filePath(name), "-o", out, "--size", "100x100"});
        if (result.exitCode == 0) {
            EXPECT_EQ(Info(out)["width"].toInt(), 120);
        } else {
            ExpectFailureNaming(result, name);
            EXPECT_TRUE(result.err.startsWith("velora-cli: " + corpus.filePath(name) + ": "))
                << result.err.toStdString();
            EXPECT_FALSE(QFile::exists(out));
        }
    }
}

}  // namespace
}  // namespace velora::clitest
