// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/recent_file_list.h"

#include "ui/app/action_table.h"
#include "ui/controls/command_ids.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace velora {

namespace {
const QString kSection = QStringLiteral("Recent File List");
constexpr int kShownPathLength = 60;

QString Key(int index) { return QStringLiteral("File%1").arg(index + 1); }

// Long paths keep their start and their file name.
QString ShortPath(const QString& path) {
    const QString native = QDir::toNativeSeparators(path);
    if (native.size() <= kShownPathLength) return native;
    const QString name = QFileInfo(path).fileName();
    const qsizetype head = std::max<qsizetype>(3, kShownPathLength - name.size() - 4);
    return native.left(head) + QStringLiteral("...") + QDir::separator() + name;
}
}  // namespace

void RecentFileList::Read(QSettings& settings) {
    m_paths.clear();
    settings.beginGroup(kSection);
    for (int i = 0; i < kSize; ++i) {
        const QString path = settings.value(Key(i)).toString();
        if (!path.isEmpty()) m_paths.append(path);
    }
    settings.endGroup();
}

void RecentFileList::Write(QSettings& settings) const {
    settings.beginGroup(kSection);
    settings.remove(QString());
    for (int i = 0; i < m_paths.size(); ++i) settings.setValue(Key(i), m_paths[i]);
    settings.endGroup();
}

void RecentFileList::Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_paths.removeAll(absolute);
    m_paths.prepend(absolute);
    while (m_paths.size() > kSize) m_paths.removeLast();
}

void RecentFileList::Remove(int index) {
    if (index >= 0 && index < m_paths.size()) m_paths.removeAt(index);
}

void RecentFileList::ShowIn(const CommandActions& actions) const {
    for (int i = 0; i < kSize; ++i) {
        QAction* action = actions.Action(cmd::kFileMruFirst + i);
        const bool used = i < m_paths.size();
        action->setVisible(used || i == 0);
        action->setText(used ? QStringLiteral("&%1 %2").arg(i + 1).arg(ShortPath(m_paths[i]))
                             : QObject::tr("Recent File"));
        action->setStatusTip(used ? m_paths[i] : QObject::tr("Open this document"));
    }
}

}  // namespace velora
