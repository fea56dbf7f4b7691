// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export/options_panels.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>

namespace velora {

namespace {

const EncoderParameterInfo* ParameterOf(const Guid& encoder, const Guid& parameter) {
    const EncoderInfo* info = FindEncoder(encoder);
    if (!info) return nullptr;
    for (const EncoderParameterInfo& candidate : info->parameters) {
        if (candidate.guid == parameter) return &candidate;
    }
    return nullptr;
}

// The codes the encoder lists for a parameter, each as its decimal text with
// the code as item data; the last one is chosen.
void FillCodes(QComboBox* combo, const Guid& encoder, const Guid& parameter) {
    const EncoderParameterInfo* info = ParameterOf(encoder, parameter);
    if (!info || info->type != kValueTypeLong) return;
    for (int32_t value : info->values) combo->addItem(QString::number(value), value);
    combo->setCurrentIndex(combo->count() - 1);
}

QLabel* BuddyLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

CJpegOptionsPanel::CJpegOptionsPanel(QWidget* parent)
    : COptionsPanel(parent),
      m_quality(new QSpinBox(this)),
      m_slider(new QSlider(Qt::Horizontal, this)),
      m_transformation(new QComboBox(this)) {
    m_slider->setAccessibleName(tr("Jpeg quality"));
    const EncoderParameterInfo* quality = ParameterOf(kJpegEncoderId, kEncoderQuality);
    if (quality && quality->type == kValueTypeLongRange && quality->values.size() == 2) {
        m_quality->setRange(quality->values[0], quality->values[1]);
        m_slider->setRange(quality->values[0], quality->values[1]);
        m_slider->setTickPosition(QSlider::TicksBelow);
        m_slider->setTickInterval(10);
        m_slider->setPageStep(20);
        m_slider->setSingleStep(10);
        m_quality->setValue(quality->values[1]);
        m_slider->setValue(quality->values[1]);
    } else {
        m_quality->setRange(100, 100);
        m_quality->setValue(100);
        m_slider->setEnabled(false);
    }
    connect(m_slider, &QSlider::valueChanged, m_quality, &QSpinBox::setValue);
    connect(m_quality, &QSpinBox::valueChanged, m_slider, &QSlider::setValue);

    // Turning or mirroring the picture is a choice, not something an export
    // does unasked.
    m_transformation->addItem(tr("None"));
    FillCodes(m_transformation, kJpegEncoderId, kEncoderTransformation);
    m_transformation->setCurrentIndex(0);

    auto* qualityRow = new QHBoxLayout;
    qualityRow->addWidget(m_quality);
    qualityRow->addWidget(m_slider, 1);
    auto* layout = new QFormLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addRow(BuddyLabel(tr("Jpeg &quality:"), m_quality), qualityRow);
    layout->addRow(BuddyLabel(tr("Transformation:"), m_transformation), m_transformation);
}

int CJpegOptionsPanel::Quality() const { return m_quality->value(); }

std::optional<int> CJpegOptionsPanel::Transformation() const {
    const QVariant code = m_transformation->currentData();
    return code.isValid() ? std::optional<int>(code.toInt()) : std::nullopt;
}

EncoderParameters CJpegOptionsPanel::BuildParameters() const {
    if (const std::optional<int> transformation = Transformation()) {
        return BuildJpegParameters(Quality(), *transformation);
    }
    return BuildJpegQualityParameters(Quality());
}

CTiffOptionsPanel::CTiffOptionsPanel(QWidget* parent)
    : COptionsPanel(parent), m_compression(new QComboBox(this)), m_colorDepth(new QComboBox(this)) {
    FillCodes(m_compression, kTiffEncoderId, kEncoderCompression);
    FillCodes(m_colorDepth, kTiffEncoderId, kEncoderColorDepth);
    auto* layout = new QFormLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addRow(BuddyLabel(tr("Compression:"), m_compression), m_compression);
    layout->addRow(BuddyLabel(tr("Color depth:"), m_colorDepth), m_colorDepth);
}

EncoderParameters CTiffOptionsPanel::BuildParameters() const {
    return BuildTiffParameters(m_compression->currentData().toInt(),
                               m_colorDepth->currentData().toInt());
}

}  // namespace velora
