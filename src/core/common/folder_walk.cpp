// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/folder_walk.h"

#include "core/common/file_mask.h"
#include "core/common/native_path.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <vector>

namespace velora {

namespace {
namespace fs = std::filesystem;

struct FolderEntry {
    QString name;
    bool isFolder = false;
    bool enterable = false;  // a real folder, not a link to one
};

bool NameOrder(const FolderEntry& a, const FolderEntry& b) {
    const int order = a.name.compare(b.name, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a.name < b.name;
}

FolderEntry DescribeEntry(const fs::directory_entry& entry) {
    std::error_code ignored;  // an entry we cannot stat is reported as a file
    FolderEntry result;
    result.name = QFile::decodeName(QByteArray::fromStdString(entry.path().filename().native()));
    result.isFolder = entry.is_directory(ignored);
    result.enterable = result.isFolder && !entry.is_symlink(ignored);
    return result;
}

// The matching entries of one folder, read in full so that no directory
// handle stays open while deeper folders are walked; nothing when the folder
// cannot be read, with errno saying why.
std::optional<std::vector<FolderEntry>> ReadFolder(const QString& folder, const QString& mask) {
    std::error_code error;
    std::vector<FolderEntry> entries;
    for (fs::directory_iterator it(NativePath(folder), error), end; !error && it != end;
         it.increment(error)) {
        FolderEntry entry = DescribeEntry(*it);
        if (MatchWildcard(entry.name, mask)) entries.push_back(std::move(entry));
    }
    if (error) {
        errno = error.value();
        return std::nullopt;
    }
    std::sort(entries.begin(), entries.end(), NameOrder);
    return entries;
}

// Depth first over an explicit stack of folders being read, so the depth of
// a tree never depends on the call stack.
class FolderWalker {
public:
    FolderWalker(const WalkCallback& callback, WalkFlags flags, const QString& mask,
                 const WalkKeepAlive& keepAlive)
        : m_callback(callback), m_flags(flags), m_mask(mask), m_keepAlive(keepAlive) {}

    bool Walk(const QString& folder) {
        if (!Enter(folder)) return false;
        while (!m_stack.empty()) {
            if (!Step()) return false;
        }
        return true;
    }

private:
    struct OpenFolder {
        QString path;  // ends with "/"
        std::vector<FolderEntry> entries;
        size_t next = 0;
    };

    bool Enter(const QString& folder) {
        if (m_keepAlive) m_keepAlive();
        std::optional<std::vector<FolderEntry>> entries = ReadFolder(folder, m_mask);
        if (!entries) return false;
        m_stack.push_back({folder, std::move(*entries)});
        return true;
    }

    // Reports the next entry of the innermost folder; false when the callback
    // stops the walk.
    bool Step() {
        OpenFolder& current = m_stack.back();
        if (current.next == current.entries.size()) {
            m_stack.pop_back();
            return true;
        }
        const FolderEntry entry = current.entries[current.next++];
        const QString path = current.path + entry.name;
        const QString reported = m_flags.testFlag(WalkFlag::FullPaths) ? path : entry.name;
        if (!entry.isFolder) {
            return m_flags.testFlag(WalkFlag::SkipFiles) || m_callback(reported, true);
        }
        if (!m_flags.testFlag(WalkFlag::SkipFolders) && !m_callback(reported, false)) return false;
        // A subfolder that cannot be read is left out; the walk goes on.
        if (entry.enterable && !m_flags.testFlag(WalkFlag::NoRecurse)) Enter(path + '/');
        return true;
    }

    const WalkCallback& m_callback;
    WalkFlags m_flags;
    const QString& m_mask;
    const WalkKeepAlive& m_keepAlive;
    std::vector<OpenFolder> m_stack;
};
}  // namespace

bool WalkFolder(const QString& path, const WalkCallback& callback, WalkFlags flags,
                const QString& mask, const WalkKeepAlive& keepAlive) {
    if (mask.isEmpty()) return false;
    std::error_code error;
    const fs::file_status status = fs::status(NativePath(path), error);
    if (!fs::exists(status)) {
        errno = error ? error.value() : ENOENT;
        return false;
    }
    if (!fs::is_directory(status)) {
        if (!flags.testFlag(WalkFlag::SkipFiles)) callback(path, true);
        return true;
    }
    const QString folder = path.endsWith('/') ? path : path + '/';
    return FolderWalker(callback, flags, mask, keepAlive).Walk(folder);
}

int CountFolderEntries(const QString& path, WalkFlags flags, const QString& mask,
                       const WalkKeepAlive& keepAlive) {
    int count = 0;
    WalkFolder(
        path,
        [&count](const QString&, bool) {
            ++count;
            return true;
        },
        flags, mask, keepAlive);
    return count;
}

FolderListing ListFolder(const QString& folder, WalkFlags flags, const QString& maskList,
                         const WalkKeepAlive& keepAlive) {
    FolderListing listing;
    // The "/" makes a path naming a file fail instead of listing that file.
    const QString asFolder = folder.endsWith('/') ? folder : folder + '/';
    WalkFolder(
        asFolder,
        [&](const QString& entry, bool isFile) {
            if (!isFile) {
                listing.folders.append(entry);
            } else if (MatchFileMask(entry.mid(entry.lastIndexOf('/') + 1), maskList)) {
                listing.files.append(entry);
            }
            return true;
        },
        flags, QStringLiteral("*.*"), keepAlive);
    return listing;
}

}  // namespace velora
