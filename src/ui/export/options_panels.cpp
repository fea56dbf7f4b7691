// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export/options_panels.h"

#include <QComboBox>
#include <QCoreApplication>
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

// What a code means, in the words the user knows it by; a code the table
// does not know shows as its number.
QString CodeName(const Guid& parameter, int32_t value) {
    struct Name {
        const Guid* parameter;
        int32_t value;
        const char* text;
    };
    static const Name names[] = {
        {&kEncoderTransformation, kTransformRotate90, QT_TRANSLATE_NOOP("velora", "Rotate 90°")},
        {&kEncoderTransformation, kTransformRotate180, QT_TRANSLATE_NOOP("velora", "Rotate 180°")},
        {&kEncoderTransformation, kTransformRotate270, QT_TRANSLATE_NOOP("velora", "Rotate 270°")},
        {&kEncoderTransformation, kTransformFlipHorizontal,
         QT_TRANSLATE_NOOP("velora", "Flip horizontally")},
        {&kEncoderTransformation, kTransformFlipVertical,
         QT_TRANSLATE_NOOP("velora", "Flip vertically")},
        {&kEncoderCompression, kCompressionLzw, QT_TRANSLATE_NOOP("velora", "LZW")},
        {&kEncoderCompression, kCompressionCcitt3,
         QT_TRANSLATE_NOOP("velora", "CCITT Group 3 (black and white)")},
        {&kEncoderCompression, kCompressionCcitt4,
         QT_TRANSLATE_NOOP("velora", "CCITT Group 4 (black and white)")},
        {&kEncoderCompression, kCompressionRle,
         QT_TRANSLATE_NOOP("velora", "CCITT RLE (black and white)")},
        {&kEncoderCompression, kCompressionNone, QT_TRANSLATE_NOOP("velora", "None")},
        {&kEncoderColorDepth, 1, QT_TRANSLATE_NOOP("velora", "1 bit (black and white)")},
        {&kEncoderColorDepth, 4, QT_TRANSLATE_NOOP("velora", "4 bits (16 colours)")},
        {&kEncoderColorDepth, 8, QT_TRANSLATE_NOOP("velora", "8 bits (256 colours)")},
        {&kEncoderColorDepth, 24, QT_TRANSLATE_NOOP("velora", "24 bits (true colour)")},
        {&kEncoderColorDepth, 32, QT_TRANSLATE_NOOP("velora", "32 bits (true colour and alpha)")},
    };
    for (const Name& name : names) {
        if (*name.parameter == parameter && name.value == value) {
            return QCoreApplication::translate("velora", name.text);
        }
    }
    return QString::number(value);
}

// The codes the encoder lists for a parameter, each by its name with the
// code as item data; the last one is chosen.
void FillCodes(QComboBox* combo, const Guid& encoder, const Guid& parameter) {
    const EncoderParameterInfo* info = ParameterOf(encoder, parameter);
    if (!info || info->type != kValueTypeLong) return;
    for (int32_t value : info->values) combo->addItem(CodeName(parameter, value), value);
    combo->setCurrentIndex(combo->count() - 1);
}

// Chooses the item with the code; an unknown code changes nothing.
void ChooseCode(QComboBox* combo, int code) {
    const int index = combo->findData(code);
    if (index >= 0) combo->setCurrentIndex(index);
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
    layout->addRow(BuddyLabel(tr("T&ransformation:"), m_transformation), m_transformation);
}

void CJpegOptionsPanel::SetQuality(int quality) { m_quality->setValue(quality); }

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
    layout->addRow(BuddyLabel(tr("&Compression:"), m_compression), m_compression);
    layout->addRow(BuddyLabel(tr("Color &depth:"), m_colorDepth), m_colorDepth);
}

int CTiffOptionsPanel::Compression() const { return m_compression->currentData().toInt(); }
int CTiffOptionsPanel::ColorDepth() const { return m_colorDepth->currentData().toInt(); }

void CTiffOptionsPanel::Choose(int compression, int colorDepth) {
    ChooseCode(m_compression, compression);
    ChooseCode(m_colorDepth, colorDepth);
}

EncoderParameters CTiffOptionsPanel::BuildParameters() const {
    return BuildTiffParameters(Compression(), ColorDepth());
}

}  // namespace velora
