// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_fixture.h"
#include "core/common/library_folders.h"

#include <QDir>
#include <QFile>
#include <QSettings>

namespace velora::clitest {
namespace {

// A template with the areas "Sky" (the left square) and "Sea" (the right
// square); the circle's inside is left out of both.
class DesignTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        const QString shapes = ImportShapes();
        const std::vector<QJsonObject> squares = SquareCurves(Info(shapes));
        ASSERT_EQ(squares.size(), 2u);
        const QString sky = PathOf("sky.mtp");
        ASSERT_EQ(RunTool({"capture", shapes, "-o", sky, "--at",
                           At(CurveBounds(squares[0]).center()), "--area", "Sky"})
                      .exitCode,
                  0);
        m_template = PathOf("template.mtp");
        ASSERT_EQ(RunTool({"capture", sky, "-o", m_template, "--at",
                           At(CurveBounds(squares[1]).center()), "--area", "Sea"})
                      .exitCode,
                  0);
        m_red = WriteTexture("red.png", {8, 6}, Qt::red);
        m_blue = WriteTexture("blue.bmp", {5, 7}, Qt::blue);
        m_out = PathOf("design.vld");
    }

    cli::CliResult Design(const QStringList& fills) {
        return RunTool(QStringList{"design", m_template, "-o", m_out} + fills);
    }

    static QSize ImageSize(const QJsonValue& area) {
        return {area["image"]["width"].toInt(), area["image"]["height"].toInt()};
    }

    QString m_template;
    QString m_red;
    QString m_blue;
    QString m_out;
};

TEST_F(DesignTest, FillsByNameAndByIndex) {
    const cli::CliResult result = Design({"--fill", "Sky=" + m_red, "--fill-index", "1=" + m_blue});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(result.err.isEmpty());
    const QJsonObject design = Info(m_out);
    const QJsonArray areas = design["areas"].toArray();
    ASSERT_EQ(areas.size(), 2);
    EXPECT_EQ(areas[0]["name"].toString(), "Sky");
    EXPECT_EQ(ImageSize(areas[0]), QSize(8, 6));
    EXPECT_EQ(areas[1]["name"].toString(), "Sea");
    EXPECT_EQ(ImageSize(areas[1]), QSize(5, 7));
}

TEST_F(DesignTest, DesignKeepsTheTemplatesDrawing) {
    ASSERT_EQ(Design({"--fill-index", "0=" + m_red}).exitCode, 0);
    const QJsonObject design = Info(m_out, true);
    const QJsonObject plan = Info(m_template, true);
    for (const char* key : {"width", "height", "curves", "regions", "mask"}) {
        EXPECT_EQ(design[key], plan[key]) << key;
    }
    const QJsonArray areas = design["areas"].toArray();
    ASSERT_EQ(areas.size(), 2);
    EXPECT_EQ(areas[0]["regions"], plan["areas"][0]["regions"]);
    EXPECT_EQ(ImageSize(areas[0]), QSize(8, 6));
    EXPECT_TRUE(areas[1]["image"].isNull());
    EXPECT_EQ(areas[1]["regions"], plan["areas"][1]["regions"]);
}

TEST_F(DesignTest, ResavedDesignKeepsItsImages) {
    ASSERT_EQ(Design({"--fill", "Sky=" + m_red, "--fill", "Sea=" + m_blue}).exitCode, 0);
    const QString resaved = PathOf("resaved.vld");
    ASSERT_EQ(RunTool({"resave", m_out, "-o", resaved}).exitCode, 0);
    const QJsonObject after = Info(resaved, true);
    EXPECT_EQ(ImageSize(after["areas"][1]), QSize(5, 7));
    EXPECT_EQ(ModelPart(after), ModelPart(Info(m_out, true)));
}

TEST_F(DesignTest, LaterFillOfTheSameAreaWinsWhicheverOptionNamesIt) {
    ASSERT_EQ(Design({"--fill", "Sea=" + m_red, "--fill-index", "1=" + m_blue}).exitCode, 0);
    EXPECT_EQ(ImageSize(Info(m_out)["areas"][1]), QSize(5, 7));
    ASSERT_EQ(Design({"--fill-index", "1=" + m_blue, "--fill", "Sea=" + m_red}).exitCode, 0);
    EXPECT_EQ(ImageSize(Info(m_out)["areas"][1]), QSize(8, 6));
}

TEST_F(DesignTest, DesignWithoutFillsHasNoImages) {
    ASSERT_EQ(Design({}).exitCode, 0);
    for (const QJsonValue& area : Info(m_out)["areas"].toArray()) {
        EXPECT_TRUE(area["image"].isNull());
    }
}

TEST_F(DesignTest, UnknownAreaIsNamed) {
    cli::CliResult result = Design({"--fill", "Nope=" + m_red});
    ExpectFailureNaming(result, m_template);
    EXPECT_TRUE(result.err.contains("Nope")) << result.err.toStdString();
    for (const char* index : {"2", "-1"}) {
        result = Design({"--fill-index", QString(index) + "=" + m_red});
        ExpectFailureNaming(result, m_template);
        EXPECT_TRUE(result.err.contains(QString("area ") + index)) << result.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(m_out));
}

TEST_F(DesignTest, TextureThatCannotBeReadIsNamed) {
    const QString broken = WriteBytes("broken.png", "not a picture at all");
    const QString missing = PathOf("missing.png");
    for (const QString& texture : {broken, missing}) {
        ExpectFailureNaming(Design({"--fill", "Sky=" + m_red, "--fill", "Sea=" + texture}),
                            texture);
    }
    EXPECT_FALSE(QFile::exists(m_out));
}

TEST_F(DesignTest, RelativeTextureIsFoundInTheTexturesFolder) {
    WriteTexture("library/stone/grey.png", {3, 4}, Qt::gray);
    const cli::CliResult result =
        Design({"--textures", PathOf("library"), "--fill", "Sky=stone/grey.png"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(ImageSize(Info(m_out)["areas"][0]), QSize(3, 4));
}

TEST_F(DesignTest, TexturesFolderComesFromTheSettings) {
    WriteTexture("library/stone/grey.png", {3, 4}, Qt::gray);
    {
        QSettings settings(SettingsOrganization(), SettingsApplication());
        settings.setValue("TexturesFolder", PathOf("library/"));
    }
    const cli::CliResult result = Design({"--fill", "Sky=stone/grey.png"});
    QSettings(SettingsOrganization(), SettingsApplication()).clear();
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(ImageSize(Info(m_out)["areas"][0]), QSize(3, 4));
}

TEST_F(DesignTest, RelativeTextureMissingFromTheFolderIsNamed) {
    QDir().mkpath(PathOf("library"));
    const cli::CliResult result =
        Design({"--textures", PathOf("library"), "--fill", "Sky=stone/none.png"});
    ExpectFailureNaming(result, "none.png");
    EXPECT_FALSE(QFile::exists(m_out));
}

TEST_F(DesignTest, MalformedFillIsUsage) {
    for (const QString& file : {m_template, PathOf("missing.mtp")}) {
        SCOPED_TRACE(file.toStdString());
        for (const QStringList& fill :
             {QStringList{"--fill", "Sky"}, QStringList{"--fill", "=" + m_red},
              QStringList{"--fill", "Sky="}, QStringList{"--fill-index", "first=" + m_red},
              QStringList{"--fill-index", "0"}}) {
            ExpectUsageError(RunTool(QStringList{"design", file, "-o", m_out} + fill));
        }
    }
    EXPECT_FALSE(QFile::exists(m_out));
}

TEST_F(DesignTest, TemplateWithoutDrawingIsRefused) {
    for (const QString& file : {WriteBytes("zero.mtp", {}), EmptyModelFile("empty.mtp")}) {
        ExpectFailureNaming(RunTool({"design", file, "-o", m_out}), file);
    }
    EXPECT_FALSE(QFile::exists(m_out));
}

// A design is never written under a template's name: above all not over the
// template it is made from.
TEST_F(DesignTest, OutputThatIsNoDesignIsUsageAndLeavesTheTemplate) {
    const QByteArray templateBytes = ReadBytes(m_template);
    ExpectUsageError(RunTool({"design", m_template, "-o", m_template, "--fill", "Sky=" + m_red}));
    EXPECT_EQ(ReadBytes(m_template), templateBytes);
    for (const char* name : {"design.mtp", "design.png", "design"}) {
        SCOPED_TRACE(name);
        ExpectUsageError(RunTool({"design", m_template, "-o", PathOf(name)}));
        EXPECT_FALSE(QFile::exists(PathOf(name)));
    }
}

TEST_F(DesignTest, DrawingOrMissingTemplateIsRefused) {
    const QString drawing = WriteShapesDxf();
    ExpectFailureNaming(RunTool({"design", drawing, "-o", m_out}), drawing);
    const QString missing = PathOf("missing.mtp");
    ExpectFailureNaming(RunTool({"design", missing, "-o", m_out}), missing);
    EXPECT_FALSE(QFile::exists(m_out));
}

}  // namespace
}  // namespace velora::clitest
