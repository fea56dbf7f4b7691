// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace velora {

// "Velora size": the size in pixels of a drawing being imported, from a list
// of standard sizes or typed. The last size confirmed is remembered.
class CVeloraSizeDlg : public QDialog {
    Q_OBJECT
public:
    explicit CVeloraSizeDlg(QWidget* parent = nullptr);

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    void accept() override;

private:
    void ApplyStandardSize();
    // Takes each edit that holds an integer into its member.
    void TakeEdits();
    void ShowMembers();

    QComboBox* m_standardSizes;
    QLineEdit* m_widthEdit;
    QLineEdit* m_heightEdit;
    int m_height = 0;
    int m_width = 0;
};

}  // namespace velora
