// SPDX-License-Identifier: GPL-3.0-or-later
// Small files that describe something enormous, files that are no files, and
// a disk that fills up: the real program, held to a gigabyte of address
// space, ends each in one line naming the file and the cause, within seconds,
// or does the work.

#include "cli_fixture.h"
#include "core/model/model_stream_support.h"
#include "model_stream_builder.h"
#include "sanitizer_skip.h"

#include <QImage>
#include <QRgb>

#include <sys/stat.h>
#include <unistd.h>

#include <zlib.h>

namespace velora::clitest {
namespace {

using test::AreaRecord;
using test::Bytes;
using test::ModelStream;
using test::StreamParts;

constexpr qint64 kGigabyte = qint64(1) << 30;
// Every run here must end well within this; a run that blocks fails.
constexpr int kTimeoutMs = 20000;

// A container whose body is packed as tightly as zlib can.
QByteArray PackedTightly(const QByteArray& stream) {
    uLongf size = compressBound(static_cast<uLong>(stream.size()));
    QByteArray body(static_cast<qsizetype>(size), '\0');
    EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(body.data()), &size,
                        reinterpret_cast<const Bytef*>(stream.constData()),
                        static_cast<uLong>(stream.size()), Z_BEST_COMPRESSION),
              Z_OK);
    body.resize(static_cast<qsizetype>(size));
    const uint32_t checksum = static_cast<uint32_t>(
        adler32(adler32(0, nullptr, 0), reinterpret_cast<const Bytef*>(body.constData()),
                static_cast<uInt>(body.size())));
    return Bytes()
        .Raw("akz")
        .U8(1)
        .U32(static_cast<uint32_t>(stream.size()))
        .U32(checksum)
        .Raw(body);
}

QByteArray SizedDesign(int width, int height) {
    StreamParts parts;
    parts.width = width;
    parts.height = height;
    return ModelStream(parts);
}

class HostileFileTest : public CliTest {
protected:
    void SetUp() override {
        VELORA_SKIP_ADDRESS_CEILING();
        CliTest::SetUp();
    }
    ProgramResult Run(const QStringList& args, ProgramLimits limits = {kGigabyte, 0}) const {
        const ProgramResult result = RunProgram(args, m_dir.path(), limits, kTimeoutMs);
        EXPECT_FALSE(result.crashed) << args.join(' ').toStdString();
        return result;
    }
    // One line on stderr, the file as given and the reason, status 1.
    void ExpectRefused(const QStringList& args, const QString& file, const QString& reason,
                       ProgramLimits limits = {kGigabyte, 0}) const {
        const ProgramResult result = Run(args, limits);
        EXPECT_EQ(result.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
        EXPECT_EQ(result.err, "velora-cli: " + file + ": " + reason + "\n")
            << args.join(' ').toStdString();
    }
    void ExpectDone(const QStringList& args) const {
        const ProgramResult result = Run(args);
        EXPECT_EQ(result.exitCode, 0)
            << args.join(' ').toStdString() << ": " << result.err.toStdString();
    }
    void MakeFifo(const QString& name) const {
        ASSERT_EQ(::mkfifo(PathOf(name).toLocal8Bit().constData(), 0600), 0);
    }
    // A template with one area per region, to fill with textures.
    QString TemplateWithAreas() const {
        const QString shapes = ImportShapes();
        EXPECT_EQ(RunTool({"capture", shapes, "-o", shapes, "--all", "--area-per-region"}).exitCode,
                  0);
        return "shapes.mtp";
    }
};

TEST_F(HostileFileTest, DrawingsLargerThanAnyImportMakesAreRefusedByEveryCommand) {
    WriteBytes("tall.vld", SizedDesign(1, 2147483647));
    WriteBytes("wide.vld", SizedDesign(46341, 46341));
    const QString tall =
        "the drawing is 1 \u00d7 2147483647 pixels; the largest this program handles is 30020 "
        "\u00d7 30020";
    const QString wide =
        "the drawing is 46341 \u00d7 46341 pixels; the largest this program handles is 30020 "
        "\u00d7 30020";
    ExpectRefused({"resave", "tall.vld", "-o", "out.vld"}, "tall.vld", tall);
    for (const QStringList& args : {QStringList{"render", "wide.vld", "-o", "out.png"},
                                    QStringList{"resave", "wide.vld", "-o", "out.vld"},
                                    QStringList{"export", "wide.vld", "-o", PathOf("out.png")},
                                    QStringList{"info", "wide.vld"},
                                    QStringList{"capture", "wide.vld", "-o", "out.mtp", "--all"},
                                    QStringList{"design", "wide.vld", "-o", "out.vld"}}) {
        ExpectRefused(args, "wide.vld", wide);
    }
    EXPECT_FALSE(Listing().contains("out.vld"));
}

// The tile was sized to the region's box (60000 x 60000, 7 GB); it is the
// part of the box inside the drawing.
TEST_F(HostileFileTest, RegionFarLargerThanItsDrawingCostsOnlyItsPartInside) {
    StreamParts parts;
    parts.areaCount = 1;
    parts.areas = AreaRecord("A", "R", test::Encode(test::Solid(1, 1, qRgb(0, 0, 255))));
    parts.regionCount = 1;
    parts.regions = Bytes().Str("R").RegionData({{0, 0, 1, 1}, {59999, 59999, 60000, 60000}});
    parts.mask = Bytes().Mask(24, 12, 4, QByteArray(4 * 12, '\xff'));
    WriteBytes("box.vld", PackedTightly(ModelStream(parts)));
    ASSERT_LT(ReadBytes("box.vld").size(), 1024);

    ExpectDone({"render", "box.vld", "-o", "box.png"});
    const QImage picture(PathOf("box.png"));
    ASSERT_EQ(picture.size(), QSize(24, 12));
    EXPECT_EQ(picture.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(picture.pixel(23, 11), qRgb(255, 255, 255));
    ExpectDone({"export", "box.vld", "-o", PathOf("box.bmp")});
    ExpectDone({"resave", "box.vld", "-o", "again.vld"});
    ExpectDone({"capture", "box.vld", "-o", "again.mtp", "--at", "5,5"});
}

// 97 KB unpacking to 100 MB of twenty million empty curves took 8.5 GB and
// then aborted; the count is refused before the curves are made.
TEST_F(HostileFileTest, TwentyMillionEmptyCurvesAreRefusedAsDamaged) {
    WriteBytes("curves.vld", PackedTightly(test::EmptyCurvesStream(20000000)));
    ASSERT_LT(ReadBytes("curves.vld").size(), 200 * 1024);
    const ProgramResult result = Run({"info", "curves.vld"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(
        result.err.startsWith("velora-cli: curves.vld: is damaged: 20000000 curves would take "))
        << result.err.toStdString();
    EXPECT_EQ(result.err.count('\n'), 1);
}

// Nothing writes to these pipes: a read that waited would block for ever.
TEST_F(HostileFileTest, PipesDevicesAndFoldersAreRefusedAtOnce) {
    const QString shapes = TemplateWithAreas();
    MakeFifo("pipe.png");
    MakeFifo("pipe.mtp");
    MakeFifo("pipe.dxf");
    ASSERT_EQ(::symlink("/dev/zero", PathOf("zero.png").toLocal8Bit().constData()), 0);
    WriteBytes("folder.vld/inside", "x");
    const QString pipe = "is a pipe, not a regular file";
    ExpectRefused({"design", shapes, "-o", "d.vld", "--fill-index", "0=pipe.png"}, "pipe.png",
                  pipe);
    ExpectRefused({"design", "pipe.mtp", "-o", "d.vld"}, "pipe.mtp", pipe);
    ExpectRefused({"render", "pipe.mtp", "-o", "r.png"}, "pipe.mtp", pipe);
    ExpectRefused({"import", "pipe.dxf", "-o", "i.mtp", "--size", "100x100"}, "pipe.dxf", pipe);
    ExpectRefused({"design", shapes, "-o", "d.vld", "--fill-index", "0=zero.png"}, "zero.png",
                  "is a device, not a regular file");
    ExpectRefused({"info", "folder.vld"}, "folder.vld", "is a folder, not a file");
}

// Qt's readers stopped at 128 MB; a texture as large as the largest drawing
// decodes, and one pixel more is refused with its size.
TEST_F(HostileFileTest, TexturesUpToTheLargestDrawingDecode) {
    const QString shapes = TemplateWithAreas();
    WriteTexture("large.png", QSize(5800, 5800), QColor(200, 30, 30));
    ExpectDone({"design", shapes, "-o", "d.vld", "--fill-index", "0=large.png"});

    WriteTexture("wide.png", QSize(30021, 1), QColor(0, 0, 0));
    ExpectRefused({"design", shapes, "-o", "d.vld", "--fill-index", "0=wide.png"}, "wide.png",
                  "cannot be decoded: the image is too large (30021 x 1 pixels; at most 30020 x "
                  "30020)");

    // A GIF of 35 bytes that claims 30000 x 30000 pixels, which the reader
    // would fill.
    const QByteArray gif = Bytes()
                               .Raw("GIF89a")
                               .U16(30000)
                               .U16(30000)
                               .U8(0x80)
                               .U8(0)
                               .U8(0)
                               .Raw(QByteArray("\0\0\0\xff\xff\xff,", 7))
                               .U16(0)
                               .U16(0)
                               .U16(30000)
                               .U16(30000)
                               .U8(0)
                               .Raw(QByteArray("\x02\x02\x4c\x01\0;", 6));
    WriteBytes("claim.gif", gif);
    ExpectRefused({"design", shapes, "-o", "d.vld", "--fill-index", "0=claim.gif"}, "claim.gif",
                  QStringLiteral("cannot be decoded: the image claims 30000 x 30000 pixels, "
                                 "more than its %1 bytes can hold")
                      .arg(gif.size()));
}

// A full disk (here a file size limit) is told in the system's words, and
// the old file stays as it was.
TEST_F(HostileFileTest, FullDiskIsToldInTheSystemsWordsAndKeepsTheOldFile) {
    TemplateWithAreas();
    const QByteArray old("the old file");
    WriteBytes("out.mtp", old);
    WriteBytes("out.bmp", old);
    const ProgramLimits room{kGigabyte, 2048};
    ExpectRefused({"resave", "shapes.mtp", "-o", "out.mtp"}, "out.mtp",
                  "cannot be written: File too large", room);
    ExpectRefused({"export", "shapes.mtp", "-o", PathOf("out.bmp")}, PathOf("out.bmp"),
                  "cannot be written: File too large", room);
    EXPECT_EQ(ReadBytes("out.mtp"), old);
    EXPECT_EQ(ReadBytes("out.bmp"), old);
}

TEST_F(HostileFileTest, DamagedCompressedDataIsToldInWords) {
    WriteBytes("damaged.vld", Bytes().Raw("akz").U8(1).U32(100).U32(0).Raw("no zlib here"));
    ExpectRefused({"info", "damaged.vld"}, "damaged.vld", "the compressed data is damaged");
    ExpectRefused({"resave", "damaged.vld", "-o", "out.vld"}, "damaged.vld",
                  "the compressed data is damaged");
}

// The mask of the largest drawing, 113 MB in a file of 110 KB, is a real
// template; in 250 MB of address space it cannot be held, and running out
// of memory ends in one line too.
TEST_F(HostileFileTest, RunningOutOfMemoryEndsInOneLine) {
    StreamParts parts;
    parts.width = 30020;
    parts.height = 30000;
    const int stride = (parts.width + 15) / 16 * 2;
    parts.mask = Bytes().Mask(parts.width, parts.height, stride,
                              QByteArray(qsizetype(stride) * parts.height, '\xff'));
    WriteBytes("largest.mtp", PackedTightly(ModelStream(parts)));
    ExpectRefused({"info", "largest.mtp"}, "largest.mtp", "not enough memory",
                  {250 * (qint64(1) << 20), 0});
}

}  // namespace
}  // namespace velora::clitest
