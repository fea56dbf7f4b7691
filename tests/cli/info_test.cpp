// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_fixture.h"
#include "core/model/drawing_model.h"
#include "core/model/model_file.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <memory>

namespace velora::clitest {
namespace {

QImage Solid(QSize size, QColor color) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

std::unique_ptr<CRegionItem> NamedRegion(const QString& name, const QRegion& pixels) {
    auto region = std::make_unique<CRegionItem>();
    region->SetName(name);
    region->AssignRegion(pixels);
    return region;
}

// A template with something in every list, so every field of the report can
// be checked against what was put in.
class GardenInfoTest : public CliTest {
protected:
    static constexpr int kWidth = 37;
    static constexpr int kHeight = 23;

    void SetUp() override {
        CliTest::SetUp();
        m_model.SetSize(kWidth, kHeight);
        m_model.SetTemplateName(QStringLiteral("Garden \"north\" \\ gate"));
        CArea sky;
        sky.SetName(QStringLiteral("Sky"));
        sky.AddName(QStringLiteral("Cloud"));
        sky.AddName(QStringLiteral("Sun"));
        sky.SetImage(Solid({5, 3}, Qt::blue));
        CArea lawn;
        // Characters that JSON must escape, and some beyond ASCII.
        lawn.SetName(QStringLiteral("Lawn\t\u00e9t\u00e9 \u2713\u0001/"));
        lawn.AddName(QStringLiteral("Grass"));
        m_model.AddArea(sky);
        m_model.AddArea(lawn);

        Path triangle;
        const std::vector<PointF> corners{{5, 4}, {30, 4}, {17, 20}};
        triangle.AddLines(corners);
        triangle.CloseFigure();
        m_trianglePoints = triangle.PointCount();
        m_model.AddCurve(std::make_unique<CCurve>(triangle, QStringLiteral("Object7")));
        m_model.SetTextures({QStringLiteral("stone/a.jpg"), QStringLiteral("wood/oak.png")});

        m_cloud = QRegion(2, 3, 5, 4) + QRegion(10, 3, 2, 8);
        m_model.AddRegion(NamedRegion(QStringLiteral("Cloud"), m_cloud));
        m_model.AddRegion(NamedRegion(QStringLiteral("Sun"), QRegion(20, 15, 3, 3)));

        MonoBitmap mask(kWidth, kHeight);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const bool light = (x * 7 + y * 3) % 5 < 2;
                mask.SetPixel(x, y, light);
                m_light += light ? 1 : 0;
            }
        }
        m_model.SetMaskBitmap(std::move(mask));
        m_file = PathOf(QStringLiteral("garden.mtp"));
        SaveModelFile(m_model, m_file);
    }

    CDrawingModel m_model;
    QRegion m_cloud;
    int m_trianglePoints = 0;
    qint64 m_light = 0;
    QString m_file;
};

TEST_F(GardenInfoTest, ContainerFieldsAgreeWithTheFileBytes) {
    const QByteArray bytes = ReadBytes(m_file);
    const QJsonObject info = Info(m_file);
    EXPECT_EQ(info["file"].toString(), m_file);
    const QJsonObject container = info["container"].toObject();
    EXPECT_EQ(container["magic"], QJsonValue(true));
    EXPECT_EQ(container["version"].toInteger(), 1);
    EXPECT_EQ(container["streamLength"].toInteger(), LittleEndianU32(bytes, 4));
    EXPECT_EQ(container["streamLength"].toInteger(), StreamOf(bytes).size());
    EXPECT_TRUE(container["checksumOk"].isNull());
    EXPECT_TRUE(container.contains("checksumOk"));
}

TEST_F(GardenInfoTest, ModelFieldsAreWhatWasStored) {
    const QJsonObject info = Info(m_file);
    EXPECT_EQ(info["signature"], QJsonValue(true));
    EXPECT_EQ(info["templateName"].toString(), m_model.GetTemplateName());
    EXPECT_EQ(info["width"].toInt(), kWidth);
    EXPECT_EQ(info["height"].toInt(), kHeight);
    const QJsonObject thumbnail = info["thumbnail"].toObject();
    EXPECT_EQ(thumbnail["width"].toInt(), 100);
    EXPECT_EQ(thumbnail["height"].toInt(), 100 * kHeight / kWidth);

    const QJsonArray areas = info["areas"].toArray();
    ASSERT_EQ(areas.size(), 2);
    EXPECT_EQ(areas[0]["name"].toString(), "Sky");
    EXPECT_EQ(areas[0]["regions"].toArray(), QJsonArray({"Cloud", "Sun"}));
    EXPECT_EQ(areas[0]["image"]["width"].toInt(), 5);
    EXPECT_EQ(areas[0]["image"]["height"].toInt(), 3);
    EXPECT_EQ(areas[1]["name"].toString(), m_model.Areas()[1].GetName());
    EXPECT_EQ(areas[1]["regions"].toArray(), QJsonArray({"Grass"}));
    EXPECT_TRUE(areas[1].toObject().contains("image"));
    EXPECT_TRUE(areas[1]["image"].isNull());

    const QJsonArray curves = info["curves"].toArray();
    ASSERT_EQ(curves.size(), 1);
    EXPECT_EQ(curves[0]["name"].toString(), "Object7");
    EXPECT_EQ(curves[0]["points"].toInt(), m_trianglePoints);
    EXPECT_EQ(CurveBounds(curves[0].toObject()), QRect(5, 4, 25, 16));

    EXPECT_EQ(info["textures"].toArray(), QJsonArray({"stone/a.jpg", "wood/oak.png"}));

    const QJsonObject mask = info["mask"].toObject();
    EXPECT_EQ(mask["width"].toInt(), kWidth);
    EXPECT_EQ(mask["height"].toInt(), kHeight);
    EXPECT_EQ(mask["widthBytes"].toInt(), 6);  // 37 bits need 5 bytes, padded to even
    EXPECT_EQ(mask["light"].toInteger(), m_light);
}

TEST_F(GardenInfoTest, RegionsReportTheirBoxesPixelsAndRectanglesInOrder) {
    const QJsonObject plain = Info(m_file);
    const QJsonObject withRects = Info(m_file, true);
    const QJsonArray regions = withRects["regions"].toArray();
    ASSERT_EQ(regions.size(), 2);
    const QJsonObject cloud = regions[0].toObject();
    EXPECT_EQ(cloud["name"].toString(), "Cloud");
    EXPECT_EQ(cloud["bounds"].toArray(), QJsonArray({2, 3, 12, 11}));
    EXPECT_EQ(cloud["pixels"].toInteger(), 5 * 4 + 2 * 8);
    EXPECT_EQ(cloud["rects"].toInt(), m_cloud.rectCount());
    EXPECT_EQ(RegionOf(cloud), m_cloud);
    const QJsonObject sun = regions[1].toObject();
    EXPECT_EQ(sun["name"].toString(), "Sun");
    EXPECT_EQ(sun["bounds"].toArray(), QJsonArray({20, 15, 23, 18}));
    EXPECT_EQ(sun["rectList"].toArray(), QJsonArray({QJsonArray({20, 15, 23, 18})}));
    EXPECT_EQ(sun["pixels"].toInt(), 9);
    ExpectRegionsConsistent(withRects);

    // Without --rects the same report, minus the lists.
    const QJsonArray plainRegions = plain["regions"].toArray();
    ASSERT_EQ(plainRegions.size(), regions.size());
    for (qsizetype i = 0; i < regions.size(); ++i) {
        EXPECT_FALSE(plainRegions[i].toObject().contains("rectList"));
        QJsonObject stripped = regions[i].toObject();
        stripped.remove("rectList");
        EXPECT_EQ(plainRegions[i].toObject(), stripped);
    }
}

TEST_F(GardenInfoTest, PlainStreamHasNoContainerButTheSameModel) {
    const QString plainFile = WriteBytes("plain.mtp", StreamOf(ReadBytes(m_file)));
    const QJsonObject plain = Info(plainFile, true);
    const QJsonObject container = plain["container"].toObject();
    EXPECT_EQ(container["magic"], QJsonValue(false));
    for (const char* key : {"version", "streamLength", "checksumOk"}) {
        EXPECT_TRUE(container.contains(key)) << key;
        EXPECT_TRUE(container[key].isNull()) << key;
    }
    EXPECT_EQ(ModelPart(plain), ModelPart(Info(m_file, true)));
}

TEST_F(GardenInfoTest, ScrambledFileWhosePasswordCancelsOutChecksOut) {
    // A password whose bytes XOR to zero scrambles nothing, so the empty
    // password the tool reads with unpacks it and the checksum matches.
    const QString file =
        WriteBytes("scrambled.mtp", Pack(StreamOf(ReadBytes(m_file)), QByteArrayLiteral("zz")));
    const QJsonObject info = Info(file);
    const QJsonObject container = info["container"].toObject();
    EXPECT_EQ(container["version"].toInt(), 3);
    EXPECT_EQ(container["checksumOk"], QJsonValue(true));
    EXPECT_EQ(info["templateName"].toString(), m_model.GetTemplateName());
}

TEST_F(GardenInfoTest, ScrambledFileWithAnotherPasswordIsRefused) {
    // The tool has no password to give, so the checksum cannot match and the
    // stream cannot be read.
    const QString file =
        WriteBytes("locked.mtp", Pack(StreamOf(ReadBytes(m_file)), QByteArrayLiteral("key")));
    const cli::CliResult result = RunTool({"info", file});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err.count('\n'), 1) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("locked.mtp")) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("Password incorrect")) << result.err.toStdString();
    // The container is still described, with the checksum that failed.
    const QJsonObject info = QJsonDocument::fromJson(result.out.toUtf8()).object();
    EXPECT_EQ(info["container"].toObject()["version"].toInt(), 3);
    EXPECT_EQ(info["container"].toObject()["checksumOk"], QJsonValue(false));
    EXPECT_FALSE(info.contains("signature"));
}

TEST_F(GardenInfoTest, StreamWithoutTheSignatureStopsAfterSayingSo) {
    QByteArray stream = StreamOf(ReadBytes(m_file));
    stream[8] = 'X';  // "MOSVELDAX"
    const QString file = WriteBytes("foreign.mtp", Pack(stream));
    const cli::CliResult result = RunTool({"info", file});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QJsonObject info = Info(file);
    EXPECT_EQ(info.keys(), QStringList({"container", "file", "signature"}));
    EXPECT_EQ(info["signature"], QJsonValue(false));
    EXPECT_EQ(info["container"]["streamLength"].toInteger(), stream.size());
}

TEST_F(GardenInfoTest, PreviewFollowsTheLongerSide) {
    for (const QSize size : {QSize(300, 150), QSize(150, 300), QSize(64, 64), QSize(301, 2)}) {
        SCOPED_TRACE(size.width());
        CDrawingModel model;
        model.SetSize(size.width(), size.height());
        model.SetMaskBitmap(MonoBitmap(size.width(), size.height()));
        const QString file = PathOf(QStringLiteral("size.mtp"));
        SaveModelFile(model, file);
        const QJsonObject info = Info(file);
        const QSize expected = ThumbnailSizeFor(size.width(), size.height());
        EXPECT_EQ(info["thumbnail"]["width"].toInt(), expected.width());
        EXPECT_EQ(info["thumbnail"]["height"].toInt(), expected.height());
        EXPECT_EQ(info["mask"]["widthBytes"].toInt(), (size.width() + 15) / 16 * 2);
        EXPECT_EQ(info["mask"]["light"].toInt(), 0);
    }
}

TEST_F(CliTest, EmptyModelHasNoPreviewAndNoMask) {
    const QString file = EmptyModelFile("empty.mtp");
    const QJsonObject info = Info(file);
    EXPECT_EQ(info["width"].toInt(-1), 0);
    EXPECT_EQ(info["height"].toInt(-1), 0);
    for (const char* key : {"thumbnail", "mask"}) {
        EXPECT_TRUE(info.contains(key)) << key;
        EXPECT_TRUE(info[key].isNull()) << key;
    }
    for (const char* key : {"areas", "curves", "textures", "regions"}) {
        EXPECT_TRUE(info[key].isArray()) << key;
        EXPECT_TRUE(info[key].toArray().isEmpty()) << key;
    }
}

TEST_F(CliTest, ImportedTemplateIsFittedInsideItsMargin) {
    const QJsonObject info = Info(ImportShapes(), true);
    EXPECT_EQ(info["width"].toInt(), 220);
    EXPECT_EQ(info["height"].toInt(), 60);
    EXPECT_EQ(info["thumbnail"]["width"].toInt(), 100);
    EXPECT_EQ(info["thumbnail"]["height"].toInt(), 100 * 60 / 220);
    EXPECT_TRUE(info["areas"].toArray().isEmpty());
    EXPECT_TRUE(info["regions"].toArray().isEmpty());
    EXPECT_TRUE(info["textures"].toArray().isEmpty());

    const QJsonArray curves = info["curves"].toArray();
    ASSERT_EQ(curves.size(), 3);
    // Names come from a counter of the process: consecutive, in list order.
    static const QRegularExpression objectName("^Object(\\d+)$");
    int firstNumber = -1;
    QRect all;
    for (qsizetype i = 0; i < curves.size(); ++i) {
        const QJsonObject curve = curves[i].toObject();
        const QRegularExpressionMatch match = objectName.match(curve["name"].toString());
        ASSERT_TRUE(match.hasMatch()) << curve["name"].toString().toStdString();
        if (i == 0) firstNumber = match.captured(1).toInt();
        EXPECT_EQ(match.captured(1).toInt(), firstNumber + i);
        EXPECT_GE(curve["points"].toInt(), 4);
        all |= CurveBounds(curve);
    }
    // The drawing's 50 x 10 units fill the 200 x 40 pixels exactly, 10 pixels in.
    EXPECT_EQ(all, QRect(10, 10, 200, 40));
    const std::vector<QJsonObject> squares = SquareCurves(info);
    ASSERT_EQ(squares.size(), 2u);
    EXPECT_EQ(CurveBounds(squares[0]), QRect(10, 10, 40, 40));
    EXPECT_EQ(CurveBounds(squares[1]), QRect(90, 10, 40, 40));

    const QJsonObject mask = info["mask"].toObject();
    EXPECT_EQ(mask["width"].toInt(), 220);
    EXPECT_EQ(mask["height"].toInt(), 60);
    EXPECT_EQ(mask["widthBytes"].toInt(), 28);
    // Only the outlines are dark: at least the squares' 2 x 160 pixels, and
    // not more than a few pixels' width of every outline.
    const qint64 dark = 220 * 60 - mask["light"].toInteger();
    EXPECT_GE(dark, 2 * 160);
    EXPECT_LE(dark, 3 * (2 * 160 + 130));
}

// Damaged files: the tool says so in one line naming the file, whatever
// command reads them.
class DamagedFileTest : public GardenInfoTest {
protected:
    // A damaged container: not even the preview can be had.
    void ExpectEveryReaderRefuses(const QString& file) {
        ExpectFailureNaming(RunTool({"thumbnail", file, "-o", PathOf("t.jpg")}), file);
        ExpectModelReadersRefuse(file);
    }

    // A damaged model stream; its preview, read alone, may still be intact.
    void ExpectModelReadersRefuse(const QString& file) {
        for (const QStringList& args :
             {QStringList{"info", file}, QStringList{"info", file, "--rects"},
              QStringList{"render", file, "-o", PathOf("r.png")},
              QStringList{"resave", file, "-o", PathOf("r.mtp")}}) {
            SCOPED_TRACE(args.join(' ').toStdString());
            ExpectFailureNaming(RunTool(args), file);
        }
        for (const char* output : {"t.jpg", "r.png", "r.mtp"}) {
            EXPECT_FALSE(QFile::exists(PathOf(output))) << output;
        }
    }

    QByteArray Bytes() const { return ReadBytes(m_file); }
};

TEST_F(DamagedFileTest, TruncatedFile) {
    const QByteArray bytes = Bytes();
    ExpectEveryReaderRefuses(WriteBytes("cut.mtp", bytes.left(bytes.size() / 2)));
}

TEST_F(DamagedFileTest, HeaderCutShort) {
    ExpectEveryReaderRefuses(WriteBytes("header.mtp", Bytes().left(7)));
}

TEST_F(DamagedFileTest, BodyThatIsNotZlib) {
    QByteArray bytes = Bytes();
    for (qsizetype i = 12; i < 20; ++i) bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
    ExpectEveryReaderRefuses(WriteBytes("body.mtp", bytes));
}

TEST_F(DamagedFileTest, HeaderClaimingALongerStream) {
    QByteArray bytes = Bytes();
    PutLittleEndianU32(bytes, 4, LittleEndianU32(bytes, 4) + 1);
    ExpectEveryReaderRefuses(WriteBytes("longer.mtp", bytes));
    PutLittleEndianU32(bytes, 4, 0xFFFFFFF0u);
    ExpectEveryReaderRefuses(WriteBytes("huge.mtp", bytes));
}

TEST_F(DamagedFileTest, StreamWithALyingCount) {
    QByteArray stream = StreamOf(Bytes());
    // signature, preview record, template name (one length byte), area count
    const qsizetype nameAt = 9 + 4 + StoredPreview(stream).size();
    const qsizetype areaCountAt = nameAt + 1 + static_cast<uint8_t>(stream[nameAt]);
    ASSERT_EQ(LittleEndianU32(stream, areaCountAt), 2u);
    PutLittleEndianU32(stream, areaCountAt, 0x7FFFFFFFu);
    ExpectModelReadersRefuse(WriteBytes("areas.mtp", Pack(stream)));
}

TEST_F(DamagedFileTest, PreviewLongerThanTheStream) {
    QByteArray stream = StreamOf(Bytes());
    PutLittleEndianU32(stream, 9, 0xFFFFFFF0u);
    ExpectEveryReaderRefuses(WriteBytes("preview.mtp", Pack(stream)));
}

TEST_F(DamagedFileTest, PreviewThatIsNoPictureIsAbsent) {
    QByteArray stream = StreamOf(Bytes());
    const qsizetype length = StoredPreview(stream).size();
    ASSERT_GT(length, 0);
    stream.replace(13, length, QByteArray(length, 'x'));
    const QString file = WriteBytes("garbled.mtp", Pack(stream));
    const QJsonObject info = Info(file);
    EXPECT_TRUE(info.contains("thumbnail"));
    EXPECT_TRUE(info["thumbnail"].isNull());
    EXPECT_EQ(info["width"].toInt(), kWidth);
    const QString out = PathOf("t.jpg");
    ExpectFailureNaming(RunTool({"thumbnail", file, "-o", out}), file);
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(DamagedFileTest, StreamCutAfterTheSignature) {
    const QByteArray stream = StreamOf(Bytes());
    ExpectModelReadersRefuse(WriteBytes("short.mtp", Pack(stream.left(stream.size() - 7))));
}

TEST_F(CliTest, MissingFileIsNamed) {
    const QString missing = PathOf(QStringLiteral("nowhere.mtp"));
    ExpectFailureNaming(RunTool({"info", missing}), missing);
    ExpectFailureNaming(RunTool({"render", missing, "-o", PathOf("r.png")}), missing);
}

}  // namespace
}  // namespace velora::clitest
