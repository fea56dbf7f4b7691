// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QSizeF>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace velora {

// "Velora size": the size in pixels of a drawing being imported, from a list
// of standard sizes or typed. Told the drawing's own extent, it shows it and
// proposes the remembered width with the height that keeps the drawing's
// aspect ratio, which a check box keeps while either side is typed. Only a
// size that can be made is accepted and remembered; after any other entry
// the dialog stays open with what was typed.
class CVeloraSizeDlg : public QDialog {
    Q_OBJECT
public:
    explicit CVeloraSizeDlg(QWidget* parent = nullptr, QSizeF drawingExtent = {});

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    void accept() override;

private:
    void ApplyStandardSize();
    // Takes each edit that holds an integer into its member.
    void TakeEdits();
    void ShowMembers();
    bool HasAspect() const;
    // The remembered size, or the proposal from the drawing's aspect ratio.
    void ProposeAspectSize();
    void SelectStandardSizeShown();
    // Sets the other side from a typed one when the ratio is kept.
    void Follow(const QString& typed, QLineEdit* other, double otherPerTyped);
    // Says why the typed size is refused and puts the focus on the edit to
    // correct.
    void Refuse(const QString& message, QLineEdit* edit);

    QSizeF m_extent;
    QComboBox* m_standardSizes;
    QLineEdit* m_widthEdit;
    QLineEdit* m_heightEdit;
    QCheckBox* m_keepAspect;
    int m_height = 0;
    int m_width = 0;
};

}  // namespace velora
