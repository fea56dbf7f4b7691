// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/folder_tree.h"
#include "ui/controls/file_drop_target.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace velora {
namespace {

void Send(QWidget* surface, QEvent::Type type, QPoint position, const QMimeData& data) {
    const Qt::DropActions actions = Qt::MoveAction | Qt::CopyAction;
    if (type == QEvent::DragEnter) {
        QDragEnterEvent event(position, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(surface, &event);
    } else if (type == QEvent::DragMove) {
        QDragMoveEvent event(position, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(surface, &event);
    } else if (type == QEvent::Drop) {
        QDropEvent event(position, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(surface, &event);
    } else {
        QDragLeaveEvent event;
        QApplication::sendEvent(surface, &event);
    }
}

class FolderTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"one", "two", "three"}) {
            m_items.append(new QTreeWidgetItem(&m_tree, QStringList(name)));
        }
        m_tree.resize(200, 200);
        m_tree.show();
        m_tree.DropTarget().Register(&m_tree);
    }

    QPoint At(int index) const { return m_tree.visualItemRect(m_items[index]).center(); }
    bool Highlighted(int index) const {
        return m_items[index]->data(0, Qt::BackgroundRole).isValid();
    }

    CFolderTree m_tree;
    QList<QTreeWidgetItem*> m_items;
    FileDragData m_files{{"/tmp/a.png", "/tmp/b.png", "/tmp/c.png"}};
};

TEST_F(FolderTreeTest, TheItemUnderADragIsHighlightedInTurnUntilTheDragLeaves) {
    QWidget* surface = m_tree.viewport();
    Send(surface, QEvent::DragEnter, At(0), m_files);
    EXPECT_EQ(m_tree.DropHighlightItem(), m_items[0]);
    EXPECT_TRUE(Highlighted(0));
    Send(surface, QEvent::DragMove, At(2), m_files);
    EXPECT_EQ(m_tree.DropHighlightItem(), m_items[2]);
    EXPECT_FALSE(Highlighted(0));
    EXPECT_TRUE(Highlighted(2));
    Send(surface, QEvent::DragMove, {100, 190}, m_files);
    EXPECT_EQ(m_tree.DropHighlightItem(), nullptr) << "the empty part of the tree";
    Send(surface, QEvent::DragMove, At(1), m_files);
    Send(surface, QEvent::DragLeave, {}, m_files);
    EXPECT_EQ(m_tree.DropHighlightItem(), nullptr);
    EXPECT_FALSE(Highlighted(1));
    EXPECT_EQ(m_tree.currentItem(), nullptr) << "highlighting selects nothing";
}

TEST_F(FolderTreeTest, ADropPassesTheFilesInOrderWhileTheTargetIsHighlighted) {
    QStringList received;
    QTreeWidgetItem* target = nullptr;
    QObject::connect(&m_tree, &CFolderTree::filesDropped, [&](DroppedFiles& files) {
        received = files.paths;
        target = m_tree.DropHighlightItem();
        files.delivered = files.paths.mid(1);
    });
    Send(m_tree.viewport(), QEvent::DragEnter, At(1), m_files);
    Send(m_tree.viewport(), QEvent::Drop, At(1), m_files);
    EXPECT_EQ(received, QStringList({"/tmp/a.png", "/tmp/b.png", "/tmp/c.png"}));
    EXPECT_EQ(target, m_items[1]);
    EXPECT_EQ(m_tree.DropHighlightItem(), nullptr);
    EXPECT_FALSE(Highlighted(1));
    EXPECT_EQ(m_files.Delivered(), QStringList({"/tmp/b.png", "/tmp/c.png"}))
        << "the receipt reaches the drag's data";
}

TEST_F(FolderTreeTest, DragsWithoutLocalFilesAreRefusedAndDropNothing) {
    int drops = 0;
    QObject::connect(&m_tree, &CFolderTree::filesDropped, [&](DroppedFiles&) { ++drops; });
    QMimeData text;
    text.setText("words");
    QMimeData web;
    web.setUrls({QUrl("https://example.org/a.png")});
    for (const QMimeData* data : {&text, &web}) {
        QDragEnterEvent enter(At(0), Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_tree.viewport(), &enter);
        EXPECT_FALSE(enter.isAccepted());
        Send(m_tree.viewport(), QEvent::Drop, At(0), *data);
    }
    EXPECT_EQ(drops, 0);
    EXPECT_EQ(m_tree.DropHighlightItem(), nullptr);
}

TEST(FileDropTargetTest, RevokedTargetsStopReceivingAndDropsFromOtherProgramsAreCopies) {
    QWidget window;
    window.resize(100, 100);
    window.show();
    CFileDropTarget target;
    EXPECT_TRUE(target.Register(&window));
    EXPECT_FALSE(target.Register(&window)) << "once is enough";
    int drops = 0;
    QObject::connect(&target, &CFileDropTarget::filesDropped, [&](DroppedFiles&) { ++drops; });
    const FileDragData files({"/tmp/x.png"});
    const auto drop = [&](Qt::KeyboardModifiers modifiers) {
        const Qt::DropActions actions = Qt::MoveAction | Qt::CopyAction;
        QDragEnterEvent enter({10, 10}, actions, &files, Qt::LeftButton, modifiers);
        QApplication::sendEvent(&window, &enter);
        QDropEvent event({10, 10}, actions, &files, Qt::LeftButton, modifiers);
        QApplication::sendEvent(&window, &event);
        return event.dropAction();
    };
    EXPECT_EQ(drop(Qt::NoModifier), Qt::CopyAction);
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(drop(Qt::ShiftModifier), Qt::MoveAction) << "a move when the other program asks";
    EXPECT_EQ(drops, 2);

    target.Revoke();
    EXPECT_FALSE(target.IsRegistered());
    drop(Qt::NoModifier);
    EXPECT_EQ(drops, 2);
}

TEST(DeliverDroppedFilesTest, CopiesReplaceKeepFilesInTheirOwnFolderAndReportFailures) {
    QTemporaryDir dir;
    const QString base = dir.path() + "/";
    QDir().mkpath(base + "to");
    for (const QString& path : {base + "a.txt", base + "to/b.txt"}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(path.toUtf8());
    }
    DroppedFiles files{{base + "a.txt", base + "to/b.txt", base + "missing.txt"}, {}};
    const QStringList failures = DeliverDroppedFiles(files, base + "to");
    EXPECT_EQ(files.delivered, QStringList({base + "a.txt"}));
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].startsWith("missing.txt: "));
    EXPECT_TRUE(QFileInfo::exists(base + "to/a.txt"));
    EXPECT_TRUE(QFileInfo::exists(base + "a.txt")) << "copying leaves the source";
}

}  // namespace
}  // namespace velora
