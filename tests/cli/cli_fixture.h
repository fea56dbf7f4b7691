// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/cli.h"

#include <QByteArray>
#include <QColor>
#include <QJsonArray>
#include <QJsonObject>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace velora::clitest {

// The drawing every template test starts from, in DXF units: two 10 x 10
// squares at x 0 and 20 and a circle of radius 5 centred at (45, 5). At the
// size 200x40 it fits with a scale of 4, so every corner of the squares
// lands on a whole pixel.
std::string ShapesDxf();
inline const QString kShapesSize = QStringLiteral("200x40");

// Runs the tool in this process, without a progress bar.
inline cli::CliResult RunTool(const QStringList& args) { return cli::RunCli(args, nullptr); }

// What the real program ended with.
struct ProgramResult {
    int exitCode = -1;
    QString out;
    QString err;
    bool crashed = false;
};

// Limits the real program runs under (0: none): its address space and the
// size of any file it writes.
struct ProgramLimits {
    qint64 addressSpace = 0;
    qint64 fileSize = 0;
};

// Runs the real program in the folder as a batch job runs it: no display of
// any kind, the C locale and a settings folder of its own. A run that does
// not end within timeoutMs fails the test.
ProgramResult RunProgram(const QStringList& args, const QString& folder,
                         const ProgramLimits& limits = {}, int timeoutMs = 30000);

// A point as --at takes it: "X,Y".
inline QString At(QPoint point) { return QStringLiteral("%1,%2").arg(point.x()).arg(point.y()); }

// A failure: exit status 1, nothing on stdout, exactly one line on stderr,
// naming the file (by its name; a path is fine too).
void ExpectFailureNaming(const cli::CliResult& result, const QString& file);
// Bad usage: exit status 2, nothing on stdout, the usage on stderr.
void ExpectUsageError(const cli::CliResult& result);

// Little-endian fields of file and stream bytes.
uint32_t LittleEndianU32(const QByteArray& bytes, qsizetype at);
void PutLittleEndianU32(QByteArray& bytes, qsizetype at, uint32_t value);
// The model stream of a template or design file, unpacked here with zlib
// rather than by the code under test, without trusting the stated length.
QByteArray StreamOf(const QByteArray& file);
// The stream in a container, as the program writes it.
QByteArray Pack(const QByteArray& stream, const QByteArray& password = {});
// The preview record's bytes at the start of a model stream.
QByteArray StoredPreview(const QByteArray& stream);

// The size of the preview of a drawing: 100 along the longer side, the other
// side in proportion, truncated (but at least 1).
QSize ThumbnailSizeFor(int width, int height);

// Integer pixel rectangles of the info JSON: curve bounds [l, t, w, h] and
// region bounds and rectList entries [l, t, r, b] (right, bottom exclusive).
QRect CurveBounds(const QJsonObject& curve);
QRect EdgesToRect(const QJsonArray& edges);

// The report without "file" and "container": what the model stream says.
QJsonObject ModelPart(QJsonObject info);

// The pixels of a region of info --rects, from its rectList.
QRegion RegionOf(const QJsonObject& region);
// Every region of info --rects agrees with itself: the rectangles do not
// overlap, their count is "rects", their areas add up to "pixels" and their
// union's box is "bounds".
void ExpectRegionsConsistent(const QJsonObject& info);

// The curves of ShapesDxf's squares (few points), left to right.
std::vector<QJsonObject> SquareCurves(const QJsonObject& info);

// A folder of its own for every test, with helpers that make its inputs.
class CliTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString PathOf(const QString& name) const { return m_dir.filePath(name); }
    QString WriteBytes(const QString& name, const QByteArray& bytes) const;
    QByteArray ReadBytes(const QString& name) const;
    // The names in the test folder, to see that a failure left nothing.
    QStringList Listing() const;

    // Prints info for the file and parses it; fails the test (and returns
    // an empty object) unless the command succeeds with one JSON object.
    QJsonObject Info(const QString& file, bool withRects = false) const;

    QString WriteShapesDxf(const QString& name = QStringLiteral("shapes.dxf")) const;
    // ShapesDxf imported at kShapesSize.
    QString ImportShapes(const QString& name = QStringLiteral("shapes.mtp")) const;
    // A model of size 0, as the program saves it: no preview, no mask.
    QString EmptyModelFile(const QString& name) const;
    // A one-colour texture image in the format the extension names.
    QString WriteTexture(const QString& name, QSize size, QColor color) const;

    QTemporaryDir m_dir;
};

}  // namespace velora::clitest
