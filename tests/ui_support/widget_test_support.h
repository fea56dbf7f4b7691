// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/library_folders.h"
#include "core/model/drawing_model.h"
#include "core/model/model_file.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

// Helpers shared by the widget tests of every desktop folder.
namespace velora::test {

// A folder of its own for each test, with helpers to fill it.
class ScratchFolder {
public:
    // The path below the folder, or the folder itself with "/".
    QString Path(const QString& relative = {}) const {
        return relative.isEmpty() ? m_dir.path() + "/" : m_dir.filePath(relative);
    }
    void MakeFolder(const QString& relative) const {
        ASSERT_TRUE(QDir().mkpath(Path(relative))) << relative.toStdString();
    }
    void WriteText(const QString& relative, const QByteArray& text) const {
        QFile file(Path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << relative.toStdString();
        file.write(text);
    }
    QByteArray ReadText(const QString& relative) const {
        QFile file(Path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool Exists(const QString& relative) const { return QFileInfo::exists(Path(relative)); }
    QStringList Files(const QString& relative = {}) const {
        return QDir(Path(relative)).entryList(QDir::Files, QDir::Name);
    }

private:
    QTemporaryDir m_dir;
};

inline QImage Solid(int width, int height, QColor color) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

inline void WritePicture(const QString& path, const QImage& image) {
    ASSERT_TRUE(image.save(path, "PNG")) << path.toStdString();
}

// A design of the size whose one area, covering it all, is the colour.
inline void WriteDesign(const QString& path, QSize size, QColor color) {
    CDrawingModel model;
    model.SetSize(size.width(), size.height());
    model.SetMaskBitmap(MonoBitmap(size.width(), size.height()));
    CArea area;
    area.SetName("All");
    area.SetNames({"Area1"});
    area.SetImage(Solid(16, 16, color));
    model.AddArea(area);
    auto region = std::make_unique<CRegionItem>();
    region->SetName("Area1");
    region->AssignRegion(QRegion(0, 0, size.width(), size.height()));
    model.AddRegion(std::move(region));
    SaveModelFile(model, path);
}

// Sets the library folders for the test's life.
class LibraryFoldersScope {
public:
    explicit LibraryFoldersScope(const LibraryFolders& folders) : m_saved(CurrentLibraryFolders()) {
        SetCurrentLibraryFolders(folders);
    }
    ~LibraryFoldersScope() { SetCurrentLibraryFolders(m_saved); }

private:
    LibraryFolders m_saved;
};

// Gives the scroll area's client area this size and shows it.
inline void ShowWithClientSize(QAbstractScrollArea& area, QSize client) {
    area.show();
    const QSize frame = area.size() - area.viewport()->size();
    area.resize(client + frame);
    QApplication::processEvents();
}

// The button with this text; fails the test when there is none.
inline QPushButton* Button(QWidget& parent, const QString& text) {
    for (QPushButton* button : parent.findChildren<QPushButton*>()) {
        if (button->text() == text) return button;
    }
    ADD_FAILURE() << "no button " << text.toStdString();
    return nullptr;
}

}  // namespace velora::test
