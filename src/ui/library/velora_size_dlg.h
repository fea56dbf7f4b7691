// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/user_interface.h"

#include <QDialog>
#include <QImage>
#include <QSizeF>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSlider;
class QSpinBox;

namespace velora {

// "Velora size": the size in pixels of a drawing being imported, from a list
// of standard sizes or typed. Told the drawing's own extent, it shows it and
// proposes the remembered width with the height that keeps the drawing's
// aspect ratio, which a check box keeps while either side is typed. Only a
// size that can be made is accepted and remembered; after any other entry
// the dialog stays open with what was typed.
// A document of several pages adds the page to import; raster line art
// adds the threshold between ink and paper, with a preview of the ink it
// gives, and the size of the specks to drop.
class CVeloraSizeDlg : public QDialog {
    Q_OBJECT
public:
    explicit CVeloraSizeDlg(QWidget* parent = nullptr, QSizeF drawingExtent = {});

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Shows the choices the drawing offers besides its size.
    void SetChoices(const DrawingSizeRequest& request);
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
