// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace velora {

// "About Orvane Velora": the icon, the program's name and its version.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace velora
