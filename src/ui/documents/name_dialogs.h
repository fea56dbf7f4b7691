// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;

namespace velora {

// A dialog that asks for one line of text under a label.
class NamePromptDialog : public QDialog {
    Q_OBJECT
public:
    NamePromptDialog(const QString& caption, const QString& label, const QString& okText,
                     const QString& cancelText, QWidget* parent);

    QString Name() const;
    void SetName(const QString& name);

private:
    QLineEdit* m_name;
};

// "Area name": the name of an area made from the selected regions.
class CAreaNameDlg : public NamePromptDialog {
    Q_OBJECT
public:
    explicit CAreaNameDlg(QWidget* parent = nullptr);
};

// "Template name": the name stored in a template.
class CTemplateNameDlg : public NamePromptDialog {
    Q_OBJECT
public:
    explicit CTemplateNameDlg(QWidget* parent = nullptr);
};

}  // namespace velora
