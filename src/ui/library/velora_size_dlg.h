// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/user_interface.h"

#include <QDialog>
#include <QImage>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSlider;
class QSpinBox;

namespace velora {

// "Velora size": the size in pixels of a drawing being imported, from a list
// of standard sizes or typed. The last size confirmed is remembered. A
// document of several pages adds the page to import; raster line art adds
// the threshold between ink and paper, with a preview of the ink it gives,
// and the size of the specks to drop.
class CVeloraSizeDlg : public QDialog {
    Q_OBJECT
public:
    explicit CVeloraSizeDlg(QWidget* parent = nullptr);

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Shows the choices the drawing offers.
    void SetQuestion(const DrawingSizeQuestion& question);
    // The size and the choices, as confirmed.
    DrawingSizeAnswer Answer() const;

    void accept() override;

private:
    void ApplyStandardSize();
    // Takes each edit that holds an integer into its member.
    void TakeEdits();
    void ShowMembers();
    QGroupBox* MakeChoices();
    void ShowInkPreview();

    QComboBox* m_standardSizes;
    QLineEdit* m_widthEdit;
    QLineEdit* m_heightEdit;
    int m_height = 0;
    int m_width = 0;

    QGroupBox* m_choices = nullptr;
    QLabel* m_pageLabel = nullptr;
    QSpinBox* m_page = nullptr;
    QLabel* m_thresholdLabel = nullptr;
    QSlider* m_threshold = nullptr;
    QLabel* m_thresholdValue = nullptr;
    QLabel* m_speckLabel = nullptr;
    QSpinBox* m_speckSize = nullptr;
    QLabel* m_inkPreview = nullptr;
    // The line art scaled to the preview's size.
    QImage m_previewArt;
};

}  // namespace velora
