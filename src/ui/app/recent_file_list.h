// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QSettings;

namespace velora {

class CommandActions;

// The recent-file list: up to 16 paths, newest first, kept in the settings
// and shown as the File menu's numbered entries.
class RecentFileList {
public:
    static constexpr int kSize = 16;

    void Read(QSettings& settings);
    void Write(QSettings& settings) const;

    void Add(const QString& path);
    void Remove(int index);
    const QStringList& Paths() const { return m_paths; }

    // Numbered entries on the recent-file commands; with an empty list the
    // first one reads "Recent File".
    void ShowIn(const CommandActions& actions) const;

private:
    QStringList m_paths;
};

}  // namespace velora
