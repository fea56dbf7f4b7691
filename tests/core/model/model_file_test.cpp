// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/model_file.h"
#include "area_image_support.h"
#include "core/archive/protected_archive.h"
#include "core/common/errors.h"
#include "core/model/drawing_model.h"
#include "core/model/image_decoder.h"
#include "core/model/image_record.h"
#include "core/model/model_stream.h"
#include "model_stream_support.h"
#include "scripted_user.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <stdexcept>

namespace velora {
namespace {

using test::Describe;
using test::Encode;
using test::SaveStream;
using test::ScriptedUser;
using test::Solid;

// A user whose every message box fails, to break a save half way.
class FailingUser : public ScriptedUser {
public:
    void ShowMessage(const QString& text, MessageIcon, const QString&) override {
        throw std::runtime_error(text.toStdString());
    }
};

class ModelFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_model.SetUserInterface(&m_user);
        m_model.SetSize(300, 150);
        m_model.SetTemplateName("Saved");
        CArea area;
        area.SetName("Blue");
        area.SetNames({"Area1"});
        area.SetImage(Solid(16, 16, qRgb(0, 0, 200)));
        m_model.AddArea(area);
        auto region = std::make_unique<CRegionItem>();
        region->SetName("Area1");
        region->AssignRegion(QRegion(10, 10, 50, 40));
        m_model.AddRegion(std::move(region));
        m_model.SetMaskBitmap(MonoBitmap(300, 150));
    }

    QString PathOf(const QString& name) const { return m_dir.filePath(name); }
    QStringList FilesInFolder() const { return QDir(m_dir.path()).entryList(QDir::Files); }

    // A model with content of its own, to see that failed loads leave it.
    void FillTarget(CDrawingModel& target) {
        target.SetUserInterface(&m_user);
        target.SetTemplateName("Before");
        target.SetTextures({"keep/me.png"});
        target.SetSize(5, 5);
    }

    QTemporaryDir m_dir;
    ScriptedUser m_user;
    CDrawingModel m_model;
};

TEST_F(ModelFileTest, SavedFileIsAVersionOneContainerAroundTheStream) {
    const QString path = PathOf("design.vld");
    SaveModelFile(m_model, path);
    const QByteArray file = test::FileBytes(path);
    EXPECT_EQ(file.left(4), QByteArray("akz\x01"));
    const QByteArray stream = CProtectedArchive::Unpack(AsBytes(file), {}, m_user);
    EXPECT_TRUE(stream.startsWith("MOSVELDAT"));
    EXPECT_EQ(CProtectedArchive::Inspect(AsBytes(file)).streamLength,
              static_cast<uint32_t>(stream.size()));

    CDrawingModel loaded;
    LoadModelFile(loaded, path);
    EXPECT_EQ(loaded.GetTemplateName(), "Saved");
    ASSERT_EQ(loaded.Areas().size(), 1u);
    EXPECT_EQ(loaded.Areas()[0].GetImage().size(), QSize(16, 16));
    ASSERT_EQ(loaded.Regions().size(), 1u);
    EXPECT_EQ(loaded.Regions()[0]->GetRegion(), QRegion(10, 10, 50, 40));
    EXPECT_EQ(loaded.GetMaskBitmap().Width(), 300);
    EXPECT_TRUE(m_user.messages.isEmpty());
}

TEST_F(ModelFileTest, PlainStreamWithoutContainerLoads) {
    const QString path = PathOf("plain.mtp");
    test::WriteFileBytes(path, SaveStream(m_model));
    CDrawingModel loaded;
    LoadModelFile(loaded, path);
    EXPECT_EQ(loaded.GetTemplateName(), "Saved");
}

TEST_F(ModelFileTest, EmptyFileReadsNothing) {
    const QString path = PathOf("empty.vld");
    test::WriteFileBytes(path, {});
    CDrawingModel target;
    FillTarget(target);
    const QString before = Describe(target);
    LoadModelFile(target, path);
    EXPECT_EQ(Describe(target), before);
    EXPECT_TRUE(m_user.messages.isEmpty());
}

TEST_F(ModelFileTest, WrongSignatureThrowsAndChangesNothing) {
    const QString path = PathOf("other.vld");
    QByteArray stream = SaveStream(m_model);
    stream[0] = 'm';
    test::WriteFileBytes(path, CProtectedArchive::Pack(AsBytes(stream)));
    CDrawingModel target;
    FillTarget(target);
    const QString before = Describe(target);
    try {
        LoadModelFile(target, path);
        ADD_FAILURE() << "a stream of another kind loaded";
    } catch (const WrongFormatError& error) {
        EXPECT_EQ(error.Message(), "Wrong file format!");
    }
    EXPECT_EQ(Describe(target), before);
    EXPECT_TRUE(m_user.messages.isEmpty());
}

TEST_F(ModelFileTest, ScrambledFileAsksNoMoreAfterPasswordIncorrect) {
    const QString path = PathOf("locked.vld");
    test::WriteFileBytes(path, CProtectedArchive::Pack(AsBytes(SaveStream(m_model)), "key"));
    CDrawingModel target;
    FillTarget(target);
    const QString before = Describe(target);
    EXPECT_THROW(LoadModelFile(target, path), UserAlreadyToldError);
    EXPECT_EQ(Describe(target), before);
    EXPECT_EQ(m_user.messages, QStringList({"Password incorrect!!!"}));
}

TEST_F(ModelFileTest, EveryTruncationOfARealFileIsRefusedAndChangesNothing) {
    const QString source = PathOf("source.vld");
    SaveModelFile(m_model, source);
    const QByteArray file = test::FileBytes(source);
    CDrawingModel target;
    FillTarget(target);
    const QString before = Describe(target);
    const QString path = PathOf("cut.vld");
    for (qsizetype length = 3; length < file.size(); ++length) {
        test::WriteFileBytes(path, file.left(length));
        try {
            LoadModelFile(target, path);
            ADD_FAILURE() << "cut at " << length << " loaded";
        } catch (const FormatError& error) {
            EXPECT_TRUE(error.Message().contains(path)) << error.what();
        }
        ASSERT_EQ(Describe(target), before) << "cut at " << length;
    }
    EXPECT_TRUE(m_user.messages.isEmpty());
}

TEST_F(ModelFileTest, DamagedStreamInsideAGoodContainerNamesTheFile) {
    QByteArray stream = SaveStream(m_model);
    stream.chop(1);
    const QString path = PathOf("short.mtp");
    test::WriteFileBytes(path, CProtectedArchive::Pack(AsBytes(stream)));
    CDrawingModel target;
    try {
        LoadModelFile(target, path);
        ADD_FAILURE() << "a stream one byte short loaded";
    } catch (const FormatError& error) {
        EXPECT_EQ(error.File(), path);
        EXPECT_TRUE(error.Reason().startsWith("the mask of 300 x 150 pixels needs"))
            << error.what();
    }
}

TEST_F(ModelFileTest, MissingFileIsAFileError) {
    CDrawingModel target;
    EXPECT_THROW(LoadModelFile(target, PathOf("nowhere.vld")), FileError);
    EXPECT_THROW(SaveModelFile(m_model, PathOf("no/such/folder/x.vld")), FileError);
}

TEST_F(ModelFileTest, FailingSerializationLeavesTheOldFileAlone) {
    const QString path = PathOf("keep.vld");
    test::WriteFileBytes(path, "the old design");
    FailingUser failing;
    m_model.SetUserInterface(&failing);
    // JPEG cannot hold this image, so saving tells the user, who fails.
    m_model.SetAreaImage(0, Solid(70000, 1, qRgb(9, 9, 9)));
    EXPECT_THROW(SaveModelFile(m_model, path), std::runtime_error);
    EXPECT_EQ(test::FileBytes(path), "the old design");
    EXPECT_EQ(FilesInFolder(), QStringList({"keep.vld"}));
}

TEST_F(ModelFileTest, FailingWriteLeavesTheOldFileAlone) {
    // A file size limit makes the write of the new file fail half way.
    QImage noise(256, 256, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < noise.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(noise.scanLine(y));
        for (int x = 0; x < noise.width(); ++x) line[x] = random.generate() | 0xFF000000;
    }
    m_model.SetAreaImage(0, noise);
    const QString path = PathOf("keep.vld");
    test::WriteFileBytes(path, "the old design");

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 8192;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    EXPECT_THROW(SaveModelFile(m_model, path), FileError);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(test::FileBytes(path), "the old design");
    EXPECT_EQ(FilesInFolder(), QStringList({"keep.vld"}));
    SaveModelFile(m_model, path);
    EXPECT_GT(test::FileBytes(path).size(), 8192) << "the same save goes through without the limit";
}

TEST_F(ModelFileTest, ThumbnailIsReadFromTheFileAlone) {
    const QString path = PathOf("thumb.vld");
    SaveModelFile(m_model, path);
    const QImage thumbnail = ReadThumbnail(path);
    EXPECT_EQ(thumbnail.size(), QSize(100, 50));
    // The blue region (10..60, 10..50) shows in the scaled-down picture.
    EXPECT_GT(thumbnail.pixelColor(10, 10).blue(), 150);
    EXPECT_LT(thumbnail.pixelColor(10, 10).red(), 60);

    CDrawingModel sizeless;
    const QString none = PathOf("none.vld");
    SaveModelFile(sizeless, none);
    EXPECT_TRUE(ReadThumbnail(none).isNull()) << "length 0: no image";
    const QString other = PathOf("other.vld");
    test::WriteFileBytes(other, "MOSVELDAX");
    EXPECT_TRUE(ReadThumbnail(other).isNull());
    EXPECT_TRUE(ReadThumbnail(PathOf("missing.vld")).isNull());
    test::WriteFileBytes(other, CProtectedArchive::Pack(AsBytes(SaveStream(m_model)), "pw"));
    EXPECT_TRUE(ReadThumbnail(other).isNull()) << "a scrambled file is not opened";
    EXPECT_TRUE(m_user.messages.isEmpty());
}

TEST_F(ModelFileTest, TheThumbnailNeedsOnlyTheStartOfTheFile) {
    // Area images of noise make the file long; the preview comes first.
    QImage noise(400, 400, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < noise.height(); ++y) {
        for (int x = 0; x < noise.width(); ++x) noise.setPixel(x, y, random.generate());
    }
    m_model.SetAreaImage(0, noise);
    const QString path = PathOf("long.vld");
    SaveModelFile(m_model, path);
    const QByteArray whole = test::FileBytes(path);
    ASSERT_GT(whole.size(), 200'000);
    test::WriteFileBytes(path, whole.left(whole.size() / 3));
    EXPECT_EQ(ReadThumbnail(path).size(), QSize(100, 50));
}

// The stream with its preview record replaced by the bytes.
QByteArray WithPreview(const QByteArray& stream, const QByteArray& preview) {
    constexpr qsizetype kRecordStart = kModelSignatureSize + sizeof(uint32_t);
    const uint32_t oldLength =
        qFromLittleEndian<uint32_t>(stream.constData() + kModelSignatureSize);
    QByteArray length(sizeof(uint32_t), Qt::Uninitialized);
    qToLittleEndian<uint32_t>(static_cast<uint32_t>(preview.size()), length.data());
    return stream.left(kModelSignatureSize) + length + preview +
           stream.mid(kRecordStart + static_cast<qsizetype>(oldLength));
}

// A library shows the previews of files others put there: one that claims a
// picture larger than any preview is passed over instead of decoded, however
// well it decodes; up to that size it shows.
TEST_F(ModelFileTest, APreviewLargerThanAnyPreviewIsPassedOver) {
    const QByteArray stream = SaveStream(m_model);
    const QString path = PathOf("preview.vld");
    for (const QSize size : {QSize(1000, 30), QSize(30, 1000), QSize(1001, 30), QSize(30, 1001)}) {
        const bool shown = size.width() <= 1000 && size.height() <= 1000;
        const QByteArray preview = Encode(Solid(size.width(), size.height(), qRgb(0, 0, 200)));
        test::WriteFileBytes(path, CProtectedArchive::Pack(AsBytes(WithPreview(stream, preview))));
        EXPECT_EQ(ReadThumbnail(path).size(), shown ? size : QSize(0, 0)) << size.width();
    }
    // One byte more than anything a preview needs, claiming the largest picture.
    test::WriteFileBytes(path, CProtectedArchive::Pack(AsBytes(WithPreview(
                                   stream, test::JpegDeclaring(kMaxModelSide, kMaxModelSide)))));
    EXPECT_TRUE(ReadThumbnail(path).isNull());
}

// Nothing writes to a pipe put among the files: reading its preview ends at
// once instead of waiting for a writer.
TEST_F(ModelFileTest, APipeHasNoPreview) {
    const QString path = PathOf("pipe.vld");
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    EXPECT_TRUE(ReadThumbnail(path).isNull());
}

}  // namespace
}  // namespace velora
