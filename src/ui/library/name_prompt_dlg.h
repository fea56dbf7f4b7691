// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace velora {

// The one-line name prompt of the library and texture-group dialogs: a
// label, an edit with a proposal, OK and Cancel.
class CNamePromptDlg : public QDialog {
    Q_OBJECT
public:
    explicit CNamePromptDlg(QWidget* parent = nullptr);

    // The window title; an empty caption leaves the default one.
    void SetCaption(const QString& caption);
    void SetLabel(const QString& label);
    void SetText(const QString& text);
    QString Text() const;

private:
    QLabel* m_label;
    QLineEdit* m_edit;
};

}  // namespace velora
