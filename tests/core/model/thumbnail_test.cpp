// SPDX-License-Identifier: GPL-3.0-or-later
// The preview of a large drawing is made band by band: the same picture as
// one made from the whole drawing at once, in a fraction of the memory.

#include "core/model/thumbnail.h"

#include "core/model/drawing_model.h"

#include "model_test_support.h"
#include "sanitizer_skip.h"

#include <QFile>
#include <QPainter>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace velora {
namespace {

using test::AddArea;
using test::AddRegion;

// A drawing with something in every quarter: four textured bars of
// different colours and a blue square near the bottom right corner, so a
// band rendered at the wrong rows or a block averaged into the wrong place
// shows. The bars are narrow: their tiles are pictures too.
void Furnish(CDrawingModel& model, int width, int height) {
    model.SetSize(width, height);
    model.SetSmoothLines(false);
    const QRgb colours[] = {qRgb(200, 30, 30), qRgb(30, 200, 30), qRgb(30, 30, 200),
                            qRgb(200, 200, 30)};
    for (int i = 0; i < 4; ++i) {
        const QString name = QStringLiteral("Q%1").arg(i);
        AddRegion(
            model,
            QRegion((i % 2) * width / 2, (i / 2) * height / 2 + height / 8, width / 2, height / 16),
            false, name);
        AddArea(model, name, {name});
        QImage texture = test::SolidImage(7, 5, colours[i]);
        texture.setPixel(3, 2, qRgb(255, 255, 255));
        model.SetAreaImage(i, texture);
    }
    AddRegion(model, QRegion(width * 7 / 8, height * 7 / 8, width / 16, height / 16), false, "B");
    AddArea(model, "B", {"B"});
    model.SetAreaImage(4, test::SolidImage(1, 1, qRgb(0, 0, 255)));
}

// The preview as made from one picture of the whole drawing.
QImage OnePictureThumbnail(CDrawingModel& model) {
    QImage picture(model.GetWidth(), model.GetHeight(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    model.Render(painter, true);
    painter.end();
    return picture.scaled(ThumbnailSize(model.GetWidth(), model.GetHeight()), Qt::IgnoreAspectRatio,
                          Qt::SmoothTransformation);
}

int LargestChannelDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

TEST(ThumbnailTest, SmallDrawingIsOnePictureScaledDown) {
    CDrawingModel model;
    Furnish(model, 300, 150);
    const QImage thumbnail = MakeThumbnail(model);
    EXPECT_EQ(thumbnail, OnePictureThumbnail(model));
}

// 5003 x 4001 is beyond one picture and divides into no whole number of
// blocks or bands, so the edges take partial ones.
TEST(ThumbnailTest, LargeDrawingInBandsLooksLikeOnePicture) {
    CDrawingModel model;
    Furnish(model, 5003, 4001);
    ASSERT_GT(qint64(5003) * 4001, kOnePicturePixels);
    const QImage thumbnail = MakeThumbnail(model);
    ASSERT_EQ(thumbnail.size(), QSize(100, 79));
    const QImage expected = OnePictureThumbnail(model);
    // Averaging blocks first rounds differently and weighs the pixels along
    // a shape's edge a little differently, by a few levels at most; a band
    // at the wrong rows or a block in the wrong place differs by a hundred.
    EXPECT_LE(LargestChannelDifference(thumbnail.convertToFormat(QImage::Format_RGB32), expected),
              8);
    EXPECT_EQ(thumbnail.pixel(90, 71), qRgb(0, 0, 255));
}

// Holds this process to a ceiling of address space above what it uses now
// while it lives. A child process cannot be used here: the smooth scaling
// hands work to Qt's thread pool, whose threads a forked child lacks.
class AddressSpaceCeiling {
public:
    explicit AddressSpaceCeiling(rlim_t headroom) {
        getrlimit(RLIMIT_AS, &m_old);
        QFile statm(QStringLiteral("/proc/self/statm"));
        const bool read = statm.open(QIODevice::ReadOnly);
        const rlim_t used =
            read ? statm.readAll().split(' ').value(0).toULongLong() * sysconf(_SC_PAGESIZE) : 0;
        const rlimit ceiling{std::min(used + headroom, m_old.rlim_max), m_old.rlim_max};
        m_applied = read && setrlimit(RLIMIT_AS, &ceiling) == 0;
    }
    ~AddressSpaceCeiling() { setrlimit(RLIMIT_AS, &m_old); }
    AddressSpaceCeiling(const AddressSpaceCeiling&) = delete;
    AddressSpaceCeiling& operator=(const AddressSpaceCeiling&) = delete;
    bool Applied() const { return m_applied; }

private:
    rlimit m_old{};
    bool m_applied = false;
};

// One picture of 12000 x 12000 pixels takes 550 MB; bands take a fraction.
TEST(ThumbnailTest, LargeDrawingNeedsNoPictureOfItsWholeSize) {
    VELORA_SKIP_ADDRESS_CEILING();
    CDrawingModel model;
    Furnish(model, 12000, 12000);
    QImage thumbnail;
    {
        const AddressSpaceCeiling ceiling(rlim_t(300) << 20);
        ASSERT_TRUE(ceiling.Applied());
        thumbnail = MakeThumbnail(model);
    }
    EXPECT_EQ(thumbnail.size(), QSize(100, 100));
    EXPECT_EQ(thumbnail.pixel(90, 90), qRgb(0, 0, 255));
}

}  // namespace
}  // namespace velora
