// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QTextBrowser;

namespace velora {

// The short user guide that ships with the program, in a window of its own
// that stays open beside the work.
class CHelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget* parent = nullptr);

    QTextBrowser& Browser() const { return *m_browser; }

private:
    QTextBrowser* m_browser;
};

// The name of the help file looked for in the current folder.
inline constexpr char kHelpFileName[] = "velora.chm";

// Help: the help file of the current folder, opened by the desktop, when it
// is there and something opens it; else the user guide. Returns the guide's
// window when that is what shows.
CHelpWindow* OpenHelp(QWidget* owner);

}  // namespace velora
