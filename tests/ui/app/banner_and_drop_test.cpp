// SPDX-License-Identifier: GPL-3.0-or-later
#include "app_fixture.h"
#include "modal_answer.h"
#include "test_drawings.h"
#include "ui/app/banner_bar.h"

#include <QMessageBox>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

namespace velora {
namespace {

TEST(BannerBarTest, CyclesThroughThreeImagesOnItsTimer) {
    CBannerBar banner;
    banner.resize(1000, CBannerBar::kHeight);
    banner.show();
    ASSERT_EQ(banner.ImageCount(), 3);
    EXPECT_EQ(banner.sizeHint().height(), 60);
    QList<int> seen{banner.CurrentIndex()};
    for (int i = 0; i < 3; ++i) {
        const int before = banner.CurrentIndex();
        QTRY_VERIFY_WITH_TIMEOUT(banner.CurrentIndex() != before, 3 * CBannerBar::kIntervalMs);
        seen.append(banner.CurrentIndex());
    }
    EXPECT_EQ(seen, QList<int>({0, 1, 2, 0}));
}

TEST(BannerBarTest, ImageIsCentredAndAClickOnItAsksForTheProductPage) {
    CBannerBar banner;
    banner.resize(1000, CBannerBar::kHeight);
    banner.show();
    const QRect image = banner.ImageRect();
    EXPECT_EQ(image.left(), (1000 - image.width()) / 2);
    EXPECT_EQ(image.top(), (CBannerBar::kHeight - image.height()) / 2);
    QSignalSpy asked(&banner, &CBannerBar::productPageRequested);
    QTest::mouseClick(&banner, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(asked.count(), 0);
    QTest::mouseMove(&banner, image.center());
    EXPECT_NE(banner.cursor().shape(), Qt::ArrowCursor);
    QTest::mouseClick(&banner, Qt::LeftButton, {}, image.center());
    ASSERT_EQ(asked.count(), 1);
    EXPECT_EQ(asked[0][0].toUrl(), CBannerBar::ProductPage());
    QTest::mouseMove(&banner, QPoint(2, 2));
    EXPECT_EQ(banner.cursor().shape(), Qt::ArrowCursor);
}

class DropTest : public test::AppFixture {
protected:
    // What a drop on the window hands over: the dropped files as URLs.
    void Drop(const QStringList& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths) urls.append(QUrl::fromLocalFile(path));
        data.setUrls(urls);
        EXPECT_TRUE(Frame().TakeDroppedFiles(data));
        Settle();
    }
};

TEST_F(DropTest, DroppedTemplateAndVeloraOpen) {
    test::WriteModelFile(Path("a.mtp"), kTemplateDocument, {30, 30}, "A");
    test::WriteModelFile(Path("b.vld"), kDesignDocument, {30, 30}, "B");
    Drop({Path("a.mtp"), Path("b.vld")});
    ASSERT_EQ(app->Documents().Documents().size(), 2);
    EXPECT_EQ(ActiveDocument()->GetTitle(), "b.vld");
    // Dropping an open file again brings its window forward instead.
    Drop({Path("a.mtp")});
    EXPECT_EQ(app->Documents().Documents().size(), 2);
    EXPECT_EQ(ActiveDocument()->GetTitle(), "a.mtp");
}

TEST_F(DropTest, DroppedDrawingIsNotImportedButExplained) {
    test::DxfDrawing().Square({0, 0, 10, 10}).WriteTo(Path("plan.dxf"));
    QString said;
    test::AnswerNextModal<QMessageBox>([&said](QMessageBox* box) {
        said = box->text();
        box->accept();
    });
    Drop({Path("plan.dxf")});
    EXPECT_TRUE(said.contains("plan.dxf"));
    EXPECT_TRUE(app->Documents().Documents().isEmpty());
}

}  // namespace
}  // namespace velora
