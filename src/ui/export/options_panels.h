// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/export/encoder_table.h"

#include <QWidget>

#include <optional>

class QComboBox;
class QSlider;
class QSpinBox;

namespace velora {

// A panel of format options in the Export dialog; it builds the encoder
// parameters from what the user chose.
class COptionsPanel : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    virtual EncoderParameters BuildParameters() const = 0;
};

// JPEG: the quality, as a number and a slider that move together, and the
// transformation by its name, with its code as the item's data. The encoder's quality range sets
// the slider's; "None" leaves the picture as it is.
class CJpegOptionsPanel : public COptionsPanel {
    Q_OBJECT
public:
    explicit CJpegOptionsPanel(QWidget* parent = nullptr);

    int Quality() const;
    void SetQuality(int quality);
    // The chosen transformation code; none for "None".
    std::optional<int> Transformation() const;
    QSpinBox& QualityEdit() const { return *m_quality; }
    QSlider& QualitySlider() const { return *m_slider; }
    QComboBox& TransformationCombo() const { return *m_transformation; }

    EncoderParameters BuildParameters() const override;

private:
    QSpinBox* m_quality;
    QSlider* m_slider;
    QComboBox* m_transformation;
};

// TIFF: compression and colour depth, each by its name with the code the
// encoder lists as the item's data.
class CTiffOptionsPanel : public COptionsPanel {
    Q_OBJECT
public:
    explicit CTiffOptionsPanel(QWidget* parent = nullptr);

    int Compression() const;
    int ColorDepth() const;
    // Chooses the codes where the encoder lists them.
    void Choose(int compression, int colorDepth);
    QComboBox& CompressionCombo() const { return *m_compression; }
    QComboBox& ColorDepthCombo() const { return *m_colorDepth; }

    EncoderParameters BuildParameters() const override;

private:
    QComboBox* m_compression;
    QComboBox* m_colorDepth;
};

}  // namespace velora
