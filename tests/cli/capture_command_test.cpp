// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_fixture.h"
#include "core/import/dxf_test_text.h"
#include "core/model/drawing_model.h"
#include "core/model/model_file.h"

#include <QFile>

namespace velora::clitest {
namespace {

// Templates of ShapesDxf: the squares' places come from the curves' bounds.
class CaptureTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        m_template = ImportShapes();
        const QJsonObject info = Info(m_template);
        const std::vector<QJsonObject> squares = SquareCurves(info);
        ASSERT_EQ(squares.size(), 2u);
        m_left = CurveBounds(squares[0]);
        m_right = CurveBounds(squares[1]);
        m_size = QSize(info["width"].toInt(), info["height"].toInt());
    }

    // Captures into a new file and returns its info with rectangles.
    QJsonObject Capture(const QStringList& options, const QString& from = {}) {
        const QString out = PathOf(QStringLiteral("capture%1.mtp").arg(m_outputs++));
        const cli::CliResult result = RunTool(
            QStringList{"capture", from.isEmpty() ? m_template : from, "-o", out} + options);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty());
        m_lastOutput = out;
        const QJsonObject info = Info(out, true);
        ExpectRegionsConsistent(info);
        return info;
    }

    // The pixels of a square's outline and everything inside it: the curve
    // bounds give the outline's corner pixels.
    static QRect Closed(const QRect& bounds) {
        return QRect(bounds.topLeft(), bounds.size() + QSize(1, 1));
    }

    static QStringList RegionNames(const QJsonObject& info) {
        QStringList names;
        for (const QJsonValue& region : info["regions"].toArray()) {
            names << region["name"].toString();
        }
        return names;
    }

    QString m_template;
    QString m_lastOutput;
    QRect m_left;
    QRect m_right;
    QSize m_size;
    int m_outputs = 0;
};

TEST_F(CaptureTest, ClickInASquareCapturesItsInsideAndOutline) {
    const QJsonObject info = Capture({"--at", At(m_left.center())});
    const QJsonArray regions = info["regions"].toArray();
    ASSERT_EQ(regions.size(), 1);
    const QRegion pixels = RegionOf(regions[0].toObject());
    EXPECT_EQ(pixels, QRegion(Closed(m_left)));
    EXPECT_EQ(regions[0]["pixels"].toInteger(), qint64{m_left.width() + 1} * (m_left.height() + 1));
    EXPECT_TRUE(regions[0]["name"].toString().startsWith("Area"));
    EXPECT_TRUE(info["areas"].toArray().isEmpty());
    // The rest of the template is kept.
    EXPECT_EQ(info["curves"].toArray().size(), 3);
    EXPECT_EQ(info["width"].toInt(), m_size.width());
}

TEST_F(CaptureTest, ClicksAreMadeInOrderAndTheAreaTakesTheSelected) {
    const QJsonObject info =
        Capture({"--at", At(m_left.center()), "--at", At(m_right.center()), "--area", "Windows"});
    const QStringList names = RegionNames(info);
    ASSERT_EQ(names.size(), 2);
    EXPECT_EQ(EdgesToRect(info["regions"][0]["bounds"].toArray()), Closed(m_left));
    EXPECT_EQ(EdgesToRect(info["regions"][1]["bounds"].toArray()), Closed(m_right));
    const QJsonArray areas = info["areas"].toArray();
    ASSERT_EQ(areas.size(), 1);
    EXPECT_EQ(areas[0]["name"].toString(), "Windows");
    EXPECT_EQ(areas[0]["regions"].toArray(), QJsonArray::fromStringList(names));
    EXPECT_TRUE(areas[0]["image"].isNull());
}

TEST_F(CaptureTest, SecondClickInTheSameRegionTogglesIt) {
    const QString at = At(m_left.center());
    // Captured, then deselected: one region, and nothing left for an area.
    const QJsonObject info = Capture({"--at", at, "--at", at});
    EXPECT_EQ(info["regions"].toArray().size(), 1);

    const QString out = PathOf("toggled.mtp");
    const cli::CliResult result =
        RunTool({"capture", m_template, "-o", out, "--at", at, "--at", at, "--area", "Sky"});
    ExpectFailureNaming(result, m_template);
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(CaptureTest, ClickInARegionOfTheFileSelectsItInsteadOfCapturing) {
    const QJsonObject first = Capture({"--at", At(m_left.center())});
    // Regions load unselected; a click inside one selects it.
    const QJsonObject second =
        Capture({"--at", At(m_left.center() + QPoint(3, -2)), "--area", "Sky"}, m_lastOutput);
    EXPECT_EQ(second["regions"], first["regions"]);
    const QJsonArray areas = second["areas"].toArray();
    ASSERT_EQ(areas.size(), 1);
    EXPECT_EQ(areas[0]["regions"].toArray(), QJsonArray({first["regions"][0]["name"]}));
}

TEST_F(CaptureTest, AreaInALaterRunHoldsOnlyThatRunsSelection) {
    const QJsonObject first = Capture({"--at", At(m_left.center()), "--area", "Left"});
    const QJsonObject second =
        Capture({"--at", At(m_right.center()), "--area", "Right"}, m_lastOutput);
    const QStringList names = RegionNames(second);
    ASSERT_EQ(names.size(), 2);
    const QJsonArray areas = second["areas"].toArray();
    ASSERT_EQ(areas.size(), 2);
    EXPECT_EQ(areas[0]["name"].toString(), "Left");
    EXPECT_EQ(areas[0]["regions"].toArray(), QJsonArray({names[0]}));
    EXPECT_EQ(areas[1]["name"].toString(), "Right");
    EXPECT_EQ(areas[1]["regions"].toArray(), QJsonArray({names[1]}));
}

TEST_F(CaptureTest, AllCapturesEachEnclosedSpaceOnce) {
    const QJsonObject info = Capture({"--all"});
    const QJsonArray regions = info["regions"].toArray();
    // Inside the two squares and the circle; the space around them touches
    // the border and is left alone.
    ASSERT_EQ(regions.size(), 3);
    EXPECT_EQ(RegionOf(regions[0].toObject()), QRegion(Closed(m_left)));
    EXPECT_EQ(RegionOf(regions[1].toObject()), QRegion(Closed(m_right)));
    const QRect drawing(QPoint(0, 0), m_size);
    const QRect inner = drawing.adjusted(1, 1, -1, -1);
    for (const QJsonValue& region : regions) {
        EXPECT_TRUE(inner.contains(EdgesToRect(region["bounds"].toArray())));
    }
    EXPECT_TRUE(info["areas"].toArray().isEmpty());

    // Nothing is left to capture the second time.
    const QJsonObject again = Capture({"--all"}, m_lastOutput);
    EXPECT_EQ(again["regions"], info["regions"]);
}

TEST_F(CaptureTest, AllLeavesSpacesThatRegionsCoverAlready) {
    const QJsonObject clicked = Capture({"--at", At(m_right.center())});
    const QJsonObject info = Capture({"--all"}, m_lastOutput);
    const QJsonArray regions = info["regions"].toArray();
    ASSERT_EQ(regions.size(), 3);
    EXPECT_EQ(regions[0], clicked["regions"][0]);
    EXPECT_EQ(RegionOf(regions[1].toObject()), QRegion(Closed(m_left)));
}

TEST_F(CaptureTest, AreaPerRegionNamesAreasLikeTheirRegions) {
    const QJsonObject info = Capture({"--all", "--area-per-region"});
    const QStringList names = RegionNames(info);
    ASSERT_EQ(names.size(), 3);
    EXPECT_EQ(names.size(), QSet<QString>(names.begin(), names.end()).size());
    const QJsonArray areas = info["areas"].toArray();
    ASSERT_EQ(areas.size(), 3);
    for (qsizetype i = 0; i < areas.size(); ++i) {
        EXPECT_EQ(areas[i]["name"].toString(), names[i]);
        EXPECT_EQ(areas[i]["regions"].toArray(), QJsonArray({names[i]}));
    }
}

TEST_F(CaptureTest, TemplateCanBeCapturedInPlace) {
    const cli::CliResult result = RunTool({"capture", m_template, "-o", m_template, "--all"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QJsonObject info = Info(m_template, true);
    EXPECT_EQ(info["regions"].toArray().size(), 3);
    EXPECT_EQ(info["curves"].toArray().size(), 3);
    ExpectRegionsConsistent(info);
}

TEST_F(CaptureTest, ClickOutsideTheMaskFails) {
    const QString out = PathOf("out.mtp");
    for (const QPoint point : {QPoint(m_size.width(), 5), QPoint(5, m_size.height()), QPoint(-1, 5),
                               QPoint(100000, 100000)}) {
        ExpectFailureNaming(RunTool({"capture", m_template, "-o", out, "--at", At(point)}),
                            m_template);
    }
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(CaptureTest, TemplateWithoutMaskFails) {
    const QString file = EmptyModelFile("empty.mtp");
    const QString out = PathOf("out.mtp");
    ExpectFailureNaming(RunTool({"capture", file, "-o", out, "--all"}), file);
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(CaptureTest, ConflictingOrMissingChoicesAreUsage) {
    const QString out = PathOf("out.mtp");
    const QString at = At(m_left.center());
    const QString missing = PathOf("missing.mtp");
    for (const QString& file : {m_template, missing}) {
        SCOPED_TRACE(file.toStdString());
        ExpectUsageError(RunTool({"capture", file, "-o", out}));
        ExpectUsageError(RunTool({"capture", file, "-o", out, "--all", "--at", at}));
        ExpectUsageError(RunTool({"capture", file, "-o", out, "--all", "--area", "Sky"}));
        ExpectUsageError(RunTool({"capture", file, "-o", out, "--at", at, "--area-per-region"}));
        ExpectUsageError(RunTool({"capture", file, "-o", out, "--at", "12"}));
        ExpectUsageError(RunTool({"capture", file, "-o", out, "--at", "1,x"}));
        ExpectUsageError(RunTool({"capture", file, "-o", out, "--at", at, "--at", "1;2"}));
        ExpectUsageError(RunTool({"capture", file, "--at", at}));
    }
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(CaptureTest, OutputThatIsNoTemplateIsUsage) {
    for (const char* name : {"out.vld", "out.png", "out"}) {
        SCOPED_TRACE(name);
        ExpectUsageError(RunTool({"capture", m_template, "-o", PathOf(name), "--all"}));
        EXPECT_FALSE(QFile::exists(PathOf(name)));
    }
}

// design --fill NAME= finds an area by its name: capture gives no area an
// empty name or one that another area has. Nothing is written then.
TEST_F(CaptureTest, AreaNameMustBeGivenAndNew) {
    const QString out = PathOf("out.mtp");
    const QString at = At(m_left.center());
    ExpectUsageError(RunTool({"capture", m_template, "-o", out, "--at", at, "--area", ""}));
    ExpectUsageError(RunTool({"capture", m_template, "-o", out, "--at", at, "--area", "  "}));
    EXPECT_FALSE(QFile::exists(out));

    Capture({"--at", at, "--area", "Sky"});
    const QString named = m_lastOutput;
    const QByteArray before = ReadBytes(named);
    const cli::CliResult again =
        RunTool({"capture", named, "-o", named, "--at", At(m_right.center()), "--area", "Sky"});
    ExpectFailureNaming(again, named);
    EXPECT_TRUE(again.err.contains("\"Sky\"")) << again.err.toStdString();
    EXPECT_EQ(ReadBytes(named), before);
    // Another name is fine, and so is a name differing in letter case.
    const QJsonObject info = Capture({"--at", At(m_right.center()), "--area", "sky"}, named);
    EXPECT_EQ(info["areas"].toArray().size(), 2);
}

// A click whose fill reaches the edge of the drawing captured the space
// around the drawing, or leaked out of an open outline: the user is told.
TEST_F(CaptureTest, ClickReachingTheEdgeIsWarnedAbout) {
    const QString out = PathOf("out.mtp");
    const cli::CliResult outside = RunTool({"capture", m_template, "-o", out, "--at", "3,3"});
    EXPECT_EQ(outside.exitCode, 0);
    EXPECT_EQ(outside.err, "velora-cli: " + m_template +
                               ": 3,3: the region reaches the edge of the drawing: its outline "
                               "may be open\n");
    EXPECT_EQ(Info(out)["regions"].toArray().size(), 1);  // captured all the same

    // Inside a square, and a second click toggling the region: nothing said.
    const cli::CliResult inside = RunTool({"capture", m_template, "-o", out, "--at",
                                           At(m_left.center()), "--at", At(m_left.center())});
    EXPECT_EQ(inside.exitCode, 0);
    EXPECT_TRUE(inside.err.isEmpty()) << inside.err.toStdString();
}

// A template whose mask is cut through from top to bottom by a dark line has
// one more space reaching the edge than the one around the drawing; --all
// leaves it out and says how many it left.
TEST_F(CaptureTest, AllSaysHowManySpacesReachingTheEdgeItLeftOut) {
    CDrawingModel model;
    LoadModelFile(model, m_template);
    MonoBitmap mask = model.GetMaskBitmap();
    const int x = mask.Width() - 5;
    for (int y = 0; y < mask.Height(); ++y) mask.SetPixel(x, y, false);
    model.SetMaskBitmap(std::move(mask));
    const QString cut = PathOf("cut.mtp");
    SaveModelFile(model, cut);

    const cli::CliResult result = RunTool({"capture", cut, "-o", cut, "--all"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "velora-cli: " + cut +
                              ": left out 1 space that reaches the edge of the drawing: its "
                              "outline may be open\n");
    EXPECT_EQ(Info(cut)["regions"].toArray().size(), 3);
}

// A square whose left side has a gap of three pixels: a click inside floods
// the drawing, unless --close-gaps joins the gap first. Bad distances are
// usage and write nothing.
TEST_F(CaptureTest, CloseGapsJoinsTheOpenOutlineBeforeClicking) {
    using dxftest::LineEntity;
    const std::string dxf = dxftest::InEntities(
        LineEntity(0, 0, 10, 0) + LineEntity(10, 0, 10, 10) + LineEntity(10, 10, 0, 10) +
        LineEntity(0, 10, 0, 5.15) + LineEntity(0, 5, 0, 0));
    const QString drawing = WriteBytes("gap.dxf", QByteArray::fromStdString(dxf));
    const QString gapped = PathOf("gapped.mtp");
    ASSERT_EQ(RunTool({"import", drawing, "-o", gapped, "--size", "200x200"}).exitCode, 0);
    const QString out = PathOf("out.mtp");

    const cli::CliResult plain = RunTool({"capture", gapped, "-o", out, "--at", "110,110"});
    EXPECT_TRUE(plain.err.contains("reaches the edge")) << plain.err.toStdString();

    const cli::CliResult closed =
        RunTool({"capture", gapped, "-o", out, "--close-gaps", "5", "--at", "110,110"});
    EXPECT_EQ(closed.exitCode, 0);
    EXPECT_EQ(closed.err, "velora-cli: " + gapped + ": closed 1 gap\n");
    const QJsonArray regions = Info(out)["regions"].toArray();
    ASSERT_EQ(regions.size(), 1);
    EXPECT_EQ(EdgesToRect(regions[0]["bounds"].toArray()), QRect(10, 10, 201, 201));

    for (const char* distance : {"0", "101", "five"}) {
        SCOPED_TRACE(distance);
        const QString refused = PathOf("refused.mtp");
        ExpectUsageError(
            RunTool({"capture", gapped, "-o", refused, "--close-gaps", distance, "--all"}));
        EXPECT_FALSE(QFile::exists(refused));
    }
}

}  // namespace
}  // namespace velora::clitest
