// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFlags>
#include <QString>
#include <QStringList>

#include <functional>

namespace velora {

// How WalkFolder walks; the flags combine.
enum class WalkFlag : unsigned {
    NoRecurse = 0x1,    // only the entries of the folder itself
    SkipFiles = 0x2,    // files are not reported
    SkipFolders = 0x4,  // folders are not reported, but still walked into
    FullPaths = 0x8,    // entries come as folder path + name instead of the name alone
};
Q_DECLARE_FLAGS(WalkFlags, WalkFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(WalkFlags)

// Receives one entry and whether it is a file; returning false stops the walk.
using WalkCallback = std::function<bool(const QString& entry, bool isFile)>;

// Called before each folder is read. Core has no event loop of its own; the
// desktop program passes a hook that lets its event loop run, so windows
// repaint during a long walk, and it can show progress from here too.
using WalkKeepAlive = std::function<void()>;

// Walks a folder tree and reports every entry whose name matches `mask` (see
// MatchWildcard: letter case ignored, "*.*" matches everything). The mask
// applies to folders as well: a folder it refuses is neither reported nor
// entered. Hidden entries are reported like any other.
//
// Entries of one folder come sorted by name, letter case ignored; a folder is
// reported and then walked before the next entry of its parent. With
// FullPaths an entry is the walked path with one "/" added + the name; the
// entries of subfolders carry their subfolder path.
//
// A symbolic link to a folder is reported as a folder but never entered, so
// a link can neither loop the walk nor lead it out of the tree; any other
// link, and anything that is not a folder, is reported as a file. A subfolder
// that cannot be read is reported but its contents are left out.
//
// When `path` names a file, that file alone is reported (unless SkipFiles)
// and the callback's answer does not matter. Returns false when the mask is
// empty (without reporting anything), when the path does not exist or cannot
// be read (errno says why), or when the callback stopped the walk.
bool WalkFolder(const QString& path, const WalkCallback& callback, WalkFlags flags = {},
                const QString& mask = QStringLiteral("*.*"), const WalkKeepAlive& keepAlive = {});

// The number of entries WalkFolder would report with the same arguments.
int CountFolderEntries(const QString& path, WalkFlags flags = {},
                       const QString& mask = QStringLiteral("*.*"),
                       const WalkKeepAlive& keepAlive = {});

// The files and folders ListFolder finds, each in walk order.
struct FolderListing {
    QStringList files;
    QStringList folders;
};

// Lists a folder as WalkFolder walks it with the mask "*.*", except that files
// are kept only when MatchFileMask accepts their name against `maskList`;
// folders are kept whatever their name. Empty when `folder` is not a folder.
FolderListing ListFolder(const QString& folder, WalkFlags flags = {}, const QString& maskList = {},
                         const WalkKeepAlive& keepAlive = {});

}  // namespace velora
