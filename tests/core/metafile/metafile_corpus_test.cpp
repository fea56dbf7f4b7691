// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/errors.h"
#include "core/metafile/metafile_reader.h"
#include "core/metafile/metafile_texture.h"
#include "test_files.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>

namespace velora {
namespace {

QString CorpusPath(const QString& folder) {
    return QStringLiteral(VELORA_SHARED_CORPUS) + QLatin1Char('/') + folder;
}

// Every file ends in records or a MetafileError, never anything else; the
// texture either draws or gives a reason.
void ReadEveryFile(const QString& folder) {
    const QDir dir(CorpusPath(folder));
    if (!dir.exists()) GTEST_SKIP() << "corpus folder absent: " << dir.path().toStdString();
    const QStringList files = dir.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        try {
            ReadMetafileRecordsFromFile(dir.filePath(name));
        } catch (const MetafileError& error) {
            EXPECT_GE(error.Code(), 1);
            EXPECT_LE(error.Code(), 9);
            EXPECT_FALSE(error.Message().isEmpty());
        }
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QString reason;
        const QImage image = RenderMetafileTexture(file.readAll(), &reason);
        EXPECT_TRUE(!image.isNull() || !reason.isEmpty());
    }
}

TEST(MetafileCorpusTest, DamagedEnhancedMetafilesEndInAnErrorOrAResult) {
    ReadEveryFile(QStringLiteral("emf-damaged"));
}

TEST(MetafileCorpusTest, RealMetafilesEndInAnErrorOrAResult) {
    ReadEveryFile(QStringLiteral("metafiles"));
}

QByteArray CorpusBytes(const QString& name) {
    return test::FileBytes(CorpusPath(QStringLiteral("metafiles/") + name));
}

std::vector<MetafileRecord> RecordsOfType(const QByteArray& bytes, uint32_t type) {
    auto records = ReadMetafileRecords(bytes);
    std::erase_if(records, [type](const MetafileRecord& r) { return r.type != type; });
    return records;
}

// The reference Windows metafile counts its 22-byte placeable header in the
// size its metafile header declares, so the file holds 22 bytes less than
// declared. It still ends with the end-of-metafile record, so it is read as
// far as it goes.
TEST(MetafileCorpusTest, ReferenceWindowsMetafileIsReadAlthoughItDeclaresMoreThanItHolds) {
    const QByteArray wmf = CorpusBytes(QStringLiteral("test_libuemf_ref.wmf"));
    if (wmf.isEmpty()) GTEST_SKIP() << "corpus absent";
    EXPECT_FALSE(ReadMetafileRecords(wmf).empty());
    QByteArray cut = wmf;
    cut.chop(6);
    try {
        ReadMetafileRecords(cut);
        FAIL() << "a file cut before its end record was read";
    } catch (const MetafileError& error) {
        EXPECT_EQ(error.Code(), 6);
    }
}

TEST(MetafileCorpusTest, ReferenceWindowsMetafileAgreesWithItsEnhancedTwin) {
    const QByteArray wmf = CorpusBytes(QStringLiteral("test_libuemf_ref.wmf"));
    const QByteArray emf = CorpusBytes(QStringLiteral("test_libuemf_ref.emf"));
    if (wmf.isEmpty() || emf.isEmpty()) GTEST_SKIP() << "corpus absent";

    const auto wmfEllipses = RecordsOfType(wmf, 42);
    const auto emfEllipses = RecordsOfType(emf, 42);
    ASSERT_EQ(wmfEllipses.size(), 1u);
    ASSERT_EQ(emfEllipses.size(), 1u);
    // The conversion makes right and bottom inclusive.
    EXPECT_EQ(wmfEllipses[0].points[0], emfEllipses[0].points[0]);
    EXPECT_EQ(wmfEllipses[0].points[1], emfEllipses[0].points[1] - QPoint(1, 1));

    // The page frame rectangle is the first rectangle of both.
    const auto wmfRectangles = RecordsOfType(wmf, 43);
    const auto emfRectangles = RecordsOfType(emf, 43);
    ASSERT_FALSE(wmfRectangles.empty());
    ASSERT_FALSE(emfRectangles.empty());
    EXPECT_EQ(wmfRectangles[0].points[0], emfRectangles[0].points[0]);
    EXPECT_EQ(wmfRectangles[0].points[1], emfRectangles[0].points[1] - QPoint(1, 1));

    const auto wmfPolyPolygons = RecordsOfType(wmf, 91);
    const auto emfPolyPolygons = RecordsOfType(emf, 91);
    ASSERT_EQ(wmfPolyPolygons.size(), 2u);
    ASSERT_EQ(emfPolyPolygons.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(wmfPolyPolygons[i].polygonSizes, emfPolyPolygons[i].polygonSizes);
        ASSERT_EQ(wmfPolyPolygons[i].points.size(), emfPolyPolygons[i].points.size());
        for (size_t k = 0; k < wmfPolyPolygons[i].points.size(); ++k)
            EXPECT_EQ(wmfPolyPolygons[i].points[k] + QPoint(0, 500), emfPolyPolygons[i].points[k]);
    }
}

}  // namespace
}  // namespace velora
