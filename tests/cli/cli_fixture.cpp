// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_fixture.h"

#include "core/archive/protected_archive.h"
#include "core/import/dxf_test_text.h"
#include "core/model/drawing_model.h"
#include "core/model/model_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonDocument>
#include <QProcess>
#include <QSettings>

#include <sys/resource.h>
#include <zlib.h>

#include <algorithm>
#include <csignal>
#include <memory>
#include <utility>

namespace velora::clitest {

namespace {
// The tool reads the desktop program's settings; every test run gets a
// settings store of its own, so the user's real one is never read or
// written.
class IsolatedSettings : public ::testing::Environment {
public:
    void SetUp() override {
        m_dir = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(m_dir->isValid());
        for (auto format : {QSettings::NativeFormat, QSettings::IniFormat}) {
            QSettings::setPath(format, QSettings::UserScope, m_dir->filePath("user"));
            QSettings::setPath(format, QSettings::SystemScope, m_dir->filePath("system"));
        }
    }
    void TearDown() override { m_dir.reset(); }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

[[maybe_unused]] const ::testing::Environment* const g_settings =
    ::testing::AddGlobalTestEnvironment(new IsolatedSettings);

std::string Square(double x, double y, double side) {
    using dxftest::LineEntity;
    return LineEntity(x, y, x + side, y) + LineEntity(x + side, y, x + side, y + side) +
           LineEntity(x + side, y + side, x, y + side) + LineEntity(x, y + side, x, y);
}
}  // namespace

std::string ShapesDxf() {
    return dxftest::InEntities(Square(0, 0, 10) + Square(20, 0, 10) +
                               dxftest::CircleEntity(45, 5, 5));
}

uint32_t LittleEndianU32(const QByteArray& bytes, qsizetype at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(bytes[at + i]);
    return value;
}

void PutLittleEndianU32(QByteArray& bytes, qsizetype at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

QByteArray StreamOf(const QByteArray& file) {
    EXPECT_TRUE(file.startsWith("akz"));
    z_stream zs{};
    EXPECT_EQ(inflateInit(&zs), Z_OK);
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(file.data() + 12));
    zs.avail_in = static_cast<uInt>(std::max<qsizetype>(0, file.size() - 12));
    QByteArray out;
    char chunk[16384];
    int status = Z_OK;
    while (status == Z_OK) {
        zs.next_out = reinterpret_cast<Bytef*>(chunk);
        zs.avail_out = sizeof(chunk);
        status = inflate(&zs, Z_NO_FLUSH);
        out.append(chunk, static_cast<qsizetype>(sizeof(chunk) - zs.avail_out));
    }
    inflateEnd(&zs);
    EXPECT_EQ(status, Z_STREAM_END);
    return out;
}

QByteArray Pack(const QByteArray& stream, const QByteArray& password) {
    return CProtectedArchive::Pack(
        {reinterpret_cast<const uint8_t*>(stream.constData()), static_cast<size_t>(stream.size())},
        password);
}

QByteArray StoredPreview(const QByteArray& stream) {
    constexpr qsizetype kSignature = 9;
    return stream.mid(kSignature + 4, LittleEndianU32(stream, kSignature));
}

void ExpectFailureNaming(const cli::CliResult& result, const QString& file) {
    EXPECT_EQ(result.exitCode, 1) << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
    EXPECT_TRUE(result.err.endsWith('\n')) << result.err.toStdString();
    EXPECT_EQ(result.err.count('\n'), 1) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(QFileInfo(file).fileName())) << result.err.toStdString();
}

void ExpectUsageError(const cli::CliResult& result) {
    EXPECT_EQ(result.exitCode, 2) << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
    EXPECT_TRUE(result.err.contains("Usage:")) << result.err.toStdString();
}

ProgramResult RunProgram(const QStringList& args, const QString& folder,
                         const ProgramLimits& limits, int timeoutMs) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(name);
    }
    environment.insert("LC_ALL", "C");
    environment.insert("XDG_CONFIG_HOME", QDir(folder).filePath("config"));
    // Never the keyring of whoever runs the tests.
    environment.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/velora-test-bus");
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.setChildProcessModifier([limits] {
        // A file size limit shows as a failing write, as a full disk does.
        std::signal(SIGXFSZ, SIG_IGN);
        for (const auto& [resource, bytes] : {std::pair{RLIMIT_AS, limits.addressSpace},
                                              std::pair{RLIMIT_FSIZE, limits.fileSize}}) {
            if (bytes <= 0) continue;
            const rlimit limit{rlim_t(bytes), rlim_t(bytes)};
            setrlimit(resource, &limit);
        }
    });
    process.start(QStringLiteral(VELORA_CLI_PROGRAM), args);
    const bool ended = process.waitForFinished(timeoutMs);
    EXPECT_TRUE(ended) << args.join(' ').toStdString();
    if (!ended) process.kill();
    process.waitForFinished();
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError()),
            process.exitStatus() != QProcess::NormalExit};
}

QSize ThumbnailSizeFor(int width, int height) {
    // A side that truncates to nothing keeps one pixel: a JPEG cannot be
    // empty.
    if (height < width) return {100, std::max(1, static_cast<int>(100LL * height / width))};
    if (width < height) return {std::max(1, static_cast<int>(100LL * width / height)), 100};
    return {100, 100};
}

QRect CurveBounds(const QJsonObject& curve) {
    const QJsonArray b = curve["bounds"].toArray();
    return {b[0].toInt(), b[1].toInt(), b[2].toInt(), b[3].toInt()};
}

QRect EdgesToRect(const QJsonArray& edges) {
    return QRect(QPoint(edges[0].toInt(), edges[1].toInt()),
                 QPoint(edges[2].toInt() - 1, edges[3].toInt() - 1));
}

QJsonObject ModelPart(QJsonObject info) {
    info.remove("file");
    info.remove("container");
    return info;
}

QRegion RegionOf(const QJsonObject& region) {
    QRegion pixels;
    for (const QJsonValue& rect : region["rectList"].toArray()) {
        pixels += EdgesToRect(rect.toArray());
    }
    return pixels;
}

void ExpectRegionsConsistent(const QJsonObject& info) {
    for (const QJsonValue& value : info["regions"].toArray()) {
        const QJsonObject region = value.toObject();
        SCOPED_TRACE(region["name"].toString().toStdString());
        const QJsonArray rects = region["rectList"].toArray();
        EXPECT_EQ(rects.size(), region["rects"].toInteger());
        QRegion pixels;
        qint64 area = 0;
        for (const QJsonValue& rect : rects) {
            const QRect r = EdgesToRect(rect.toArray());
            EXPECT_FALSE(r.isEmpty());
            EXPECT_FALSE(pixels.intersects(r)) << "overlapping rectangles";
            pixels += r;
            area += qint64{r.width()} * r.height();
        }
        EXPECT_EQ(area, region["pixels"].toInteger());
        EXPECT_EQ(pixels.boundingRect(), EdgesToRect(region["bounds"].toArray()));
    }
}

std::vector<QJsonObject> SquareCurves(const QJsonObject& info) {
    std::vector<QJsonObject> squares;
    for (const QJsonValue& curve : info["curves"].toArray()) {
        if (curve["points"].toInt() <= 10) squares.push_back(curve.toObject());
    }
    std::sort(squares.begin(), squares.end(), [](const QJsonObject& a, const QJsonObject& b) {
        return CurveBounds(a).left() < CurveBounds(b).left();
    });
    return squares;
}

QString CliTest::WriteBytes(const QString& name, const QByteArray& bytes) const {
    const QString path = PathOf(name);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
    return path;
}

QByteArray CliTest::ReadBytes(const QString& name) const {
    QFile file(QFileInfo(name).isAbsolute() ? name : PathOf(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

QStringList CliTest::Listing() const {
    return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

QJsonObject CliTest::Info(const QString& file, bool withRects) const {
    QStringList args{"info", file};
    if (withRects) args << "--rects";
    const cli::CliResult result = RunTool(args);
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(result.out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_TRUE(document.isObject()) << result.out.toStdString();
    return document.object();
}

QString CliTest::WriteShapesDxf(const QString& name) const {
    const std::string text = ShapesDxf();
    return WriteBytes(name, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
}

QString CliTest::ImportShapes(const QString& name) const {
    const QString out = PathOf(name);
    const cli::CliResult result =
        RunTool({"import", WriteShapesDxf(), "-o", out, "--size", kShapesSize});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    return out;
}

QString CliTest::EmptyModelFile(const QString& name) const {
    CDrawingModel empty;
    const QString path = PathOf(name);
    SaveModelFile(empty, path);
    return path;
}

QString CliTest::WriteTexture(const QString& name, QSize size, QColor color) const {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    const QString path = PathOf(name);
    QDir().mkpath(QFileInfo(path).path());
    EXPECT_TRUE(image.save(path)) << path.toStdString();
    return path;
}

}  // namespace velora::clitest
