// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/texture_image.h"
#include "metafile_test_builder.h"

#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <vector>

namespace velora {
namespace {

// Left half red, right half blue.
QImage TwoColourImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, x < width / 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
        }
    }
    return image;
}

// A GIF of TwoColourImage written with giflib itself, as another program
// would write it.
void WriteTwoColourGif(const QString& path, int width, int height) {
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.toLocal8Bit().constData(), false, &error);
    ASSERT_NE(gif, nullptr) << error;
    GifColorType colours[2] = {{255, 0, 0}, {0, 0, 255}};
    ColorMapObject* map = GifMakeMapObject(2, colours);
    EXPECT_EQ(EGifPutScreenDesc(gif, width, height, 1, 0, map), GIF_OK);
    EXPECT_EQ(EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr), GIF_OK);
    std::vector<GifPixelType> row(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x) row[x] = x < width / 2 ? 0 : 1;
    for (int y = 0; y < height; ++y) EXPECT_EQ(EGifPutLine(gif, row.data(), width), GIF_OK);
    GifFreeMapObject(map);
    EXPECT_EQ(EGifCloseFile(gif, &error), GIF_OK) << error;
}

class TextureImageTest : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QByteArray Encoded(const QImage& image, const char* format) {
        const QString path = m_dir.filePath(QStringLiteral("encoded.") + format);
        EXPECT_TRUE(QImageWriter(path, format).write(image));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    // Loads and checks that a null image always comes with a reason.
    static QImage Load(const QString& path, QString* reason) {
        const QImage image = LoadTextureImage(path, reason);
        EXPECT_EQ(image.isNull(), !reason->isEmpty()) << reason->toStdString();
        return image;
    }

    QTemporaryDir m_dir;
};

TEST_F(TextureImageTest, DecodesTheCommonFormats) {
    const QImage source = TwoColourImage(40, 20);
    const QString bmp = Write("t.bmp", Encoded(source, "bmp"));
    const QString png = Write("t.png", Encoded(source, "png"));
    const QString jpg = Write("t.jpg", Encoded(source, "jpg"));
    const QString ico = Write("t.ico", Encoded(source, "ico"));
    const QString tiff = Write("t.tiff", Encoded(source, "tiff"));
    const QString gif = m_dir.filePath("t.gif");
    WriteTwoColourGif(gif, source.width(), source.height());

    for (const QString& path : {bmp, png, jpg, ico, gif, tiff}) {
        QString reason;
        const QImage image = Load(path, &reason);
        ASSERT_EQ(image.size(), QSize(40, 20)) << path.toStdString();
        EXPECT_LE(std::abs(qRed(image.pixel(5, 10)) - 255), 8) << path.toStdString();
        EXPECT_LE(std::abs(qBlue(image.pixel(35, 10)) - 255), 8) << path.toStdString();
        EXPECT_LE(qRed(image.pixel(35, 10)), 8) << path.toStdString();
    }
}

TEST_F(TextureImageTest, AJpegWithBytesAfterItsEndStillDecodes) {
    const QByteArray jpeg = Encoded(TwoColourImage(16, 16), "jpg");
    ASSERT_TRUE(jpeg.endsWith("\xFF\xD9"));
    QString reason;
    const QImage image = Load(Write("tail.jpg", jpeg + QByteArray(5000, 'x')), &reason);
    EXPECT_EQ(image.size(), QSize(16, 16));
}

TEST_F(TextureImageTest, TheFormatComesFromTheContentNotTheName) {
    QString reason;
    const QImage image =
        Load(Write("really_png.jpg", Encoded(TwoColourImage(6, 4), "png")), &reason);
    EXPECT_EQ(image.size(), QSize(6, 4));
}

TEST_F(TextureImageTest, FileIsReadWholeSoItCanGoAwayAfterwards) {
    const QString path = Write("gone.png", Encoded(TwoColourImage(8, 8), "png"));
    QString reason;
    const QImage image = Load(path, &reason);
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(image.pixel(1, 1), qRgb(255, 0, 0));
}

TEST_F(TextureImageTest, UnreadableFilesGiveNoImageAndAReason) {
    QString reason;
    EXPECT_TRUE(Load(m_dir.filePath("missing.png"), &reason).isNull());

    reason.clear();
    EXPECT_TRUE(Load(Write("empty.png", {}), &reason).isNull());
    EXPECT_TRUE(reason.contains("empty"));

    reason.clear();
    EXPECT_TRUE(Load(Write("text.png", "this is not a picture at all"), &reason).isNull());
    EXPECT_TRUE(reason.contains("cannot be decoded")) << reason.toStdString();

    reason.clear();
    const QByteArray png = Encoded(TwoColourImage(64, 64), "png");
    EXPECT_TRUE(Load(Write("cut.png", png.left(png.size() / 2)), &reason).isNull());

    reason.clear();
    QDir(m_dir.path()).mkdir("folder.png");
    EXPECT_TRUE(Load(m_dir.filePath("folder.png"), &reason).isNull());

    EXPECT_TRUE(LoadTextureImage(m_dir.filePath("missing.png"), nullptr).isNull());
}

TEST_F(TextureImageTest, MetafilesAreDrawnAtTheirFrameSize) {
    // A 1 x 1 inch frame: a red rectangle on the left, a black one on the
    // right, without outlines.
    const QByteArray emf = test::EmfBuilder()
                               .Frame(0, 0, 2540, 2540)
                               .Record(39, {1, 0, 0x0000FF, 0})  // CREATEBRUSHINDIRECT red
                               .Record(37, {0x80000008})         // SELECTOBJECT NULL_PEN
                               .Record(37, {1})
                               .Rectangle(0, 0, 50, 100)
                               .Record(37, {0x80000004})  // BLACK_BRUSH
                               .Rectangle(50, 0, 100, 100)
                               .Build();
    QString reason;
    const QImage image = Load(Write("red.EMF", emf), &reason);
    ASSERT_EQ(image.size(), QSize(96, 96)) << reason.toStdString();
    EXPECT_EQ(image.pixel(10, 48) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.pixel(85, 48) & 0xFFFFFF, 0x000000u);

    // Placeable WMF: 1000 x 500 units at 1000 a inch.
    const QByteArray wmf =
        test::WmfBuilder().Box(0, 0, 1000, 500, 1000).Rectangle(0, 0, 1000, 500).Build();
    reason.clear();
    EXPECT_EQ(Load(Write("plain.wmf", wmf), &reason).size(), QSize(96, 48)) << reason.toStdString();
}

TEST_F(TextureImageTest, BrokenMetafilesGiveAReason) {
    QString reason;
    EXPECT_TRUE(Load(Write("broken.emf", QByteArray(40, '\x01')), &reason).isNull());
    // A PNG named .emf is taken for a metafile and fails as one.
    reason.clear();
    EXPECT_TRUE(Load(Write("png.wmf", Encoded(TwoColourImage(4, 4), "png")), &reason).isNull());
}

}  // namespace
}  // namespace velora

namespace velora {
namespace {

class TextureCornerTest : public TextureImageTest {};

TEST_F(TextureCornerTest, OnlyTheTopLeftPartIsKeptAlongWithTheWholeSize) {
    const QImage texture = TwoColourImage(300, 200);
    for (const char* format : {"png", "jpg", "bmp"}) {
        const TextureCorner corner =
            LoadTextureCorner(Write(QString("t.") + format, Encoded(texture, format)), {90, 45});
        EXPECT_EQ(corner.fullSize, QSize(300, 200)) << format;
        ASSERT_EQ(corner.image.size(), QSize(90, 45)) << format;
        EXPECT_GT(qRed(corner.image.pixel(80, 40)), 200) << format << ": the red left half";
    }
    const TextureCorner small =
        LoadTextureCorner(Write("small.png", Encoded(TwoColourImage(40, 30), "png")), {90, 45});
    EXPECT_EQ(small.image.size(), QSize(40, 30)) << "a smaller texture stays whole";
    EXPECT_EQ(small.fullSize, QSize(40, 30));
}

TEST_F(TextureCornerTest, MetafilesAndUnreadableFiles) {
    const QByteArray wmf =
        test::WmfBuilder().Box(0, 0, 1000, 500, 1000).Rectangle(0, 0, 1000, 500).Build();
    const TextureCorner drawn = LoadTextureCorner(Write("plain.wmf", wmf), {50, 20});
    EXPECT_EQ(drawn.fullSize, QSize(96, 48));
    EXPECT_EQ(drawn.image.size(), QSize(50, 20));
    EXPECT_TRUE(LoadTextureCorner(Write("text.png", "not an image"), {50, 20}).image.isNull());
    EXPECT_TRUE(LoadTextureCorner(m_dir.filePath("missing.png"), {50, 20}).image.isNull());
}

}  // namespace
}  // namespace velora
