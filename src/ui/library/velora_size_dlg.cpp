// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/velora_size_dlg.h"

#include "core/common/library_folders.h"
#include "core/model/drawing_size.h"
#include "ui/controls/dialog_frame.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace velora {

namespace {
// The list shows them sorted, as text.
QStringList StandardSizes() {
    QStringList sizes{"320x200", "640x480", "800x600", "1024x768",
                      "100x100", "200x200", "400x400", "800x800"};
    std::sort(sizes.begin(), sizes.end());
    return sizes;
}

// atoi rules: leading digits (with a sign) count, anything after is ignored.
int LeadingInteger(const QString& text) {
    int end = 0;
    if (end < text.size() && (text[end] == '-' || text[end] == '+')) ++end;
    while (end < text.size() && text[end].isDigit()) ++end;
    return text.left(end).toInt();
}

// The preview of the ink fits in a square of this many pixels.
constexpr int kPreviewSide = 240;

// The other side of a size that keeps the ratio, at least one pixel.
int Proportional(int side, double ratio) {
    return std::max(1, static_cast<int>(std::lround(std::min(side * ratio, 1e9))));
}

bool IsInteger(const QLineEdit* edit) {
    bool ok = false;
    edit->text().trimmed().toInt(&ok);
    return ok;
}
}  // namespace

CVeloraSizeDlg::CVeloraSizeDlg(QWidget* parent, QSizeF drawingExtent)
    : QDialog(parent),
      m_extent(drawingExtent),
      m_standardSizes(new QComboBox(this)),
      m_widthEdit(new QLineEdit(this)),
      m_heightEdit(new QLineEdit(this)),
      m_keepAspect(new QCheckBox(tr("&Keep the drawing's aspect ratio"), this)) {
    ShowCloseButtonOnly(*this);
    setWindowTitle(tr("Velora size"));
    m_standardSizes->addItems(StandardSizes());
    m_standardSizes->setAccessibleName(tr("Standard sizes"));
    m_widthEdit->setAccessibleName(tr("Width"));
    m_heightEdit->setAccessibleName(tr("Height"));

    auto* group = new QGroupBox(tr("Please specify size for new velora"), this);
    auto* grid = new QGridLayout(group);
    auto* sizesLabel = new QLabel(tr("&Standard sizes:"), group);
    sizesLabel->setBuddy(m_standardSizes);
    grid->addWidget(sizesLabel, 0, 0);
    grid->addWidget(m_standardSizes, 0, 1, 1, 2);
    auto* widthLabel = new QLabel(tr("&Width:"), group);
    widthLabel->setBuddy(m_widthEdit);
    grid->addWidget(widthLabel, 1, 0);
    grid->addWidget(m_widthEdit, 1, 1);
    grid->addWidget(new QLabel(tr("pixels"), group), 1, 2);
    auto* heightLabel = new QLabel(tr("&Height:"), group);
    heightLabel->setBuddy(m_heightEdit);
    grid->addWidget(heightLabel, 2, 0);
    grid->addWidget(m_heightEdit, 2, 1);
    grid->addWidget(new QLabel(tr("pixels"), group), 2, 2);
    if (HasAspect()) {
        const QString extent = tr("Drawing: %1 \u00d7 %2 units")
                                   .arg(QString::number(m_extent.width(), 'g', 6),
                                        QString::number(m_extent.height(), 'g', 6));
        grid->addWidget(new QLabel(extent, group), 3, 0, 1, 3);
        grid->addWidget(m_keepAspect, 4, 0, 1, 3);
    }
    m_keepAspect->setVisible(HasAspect());

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CVeloraSizeDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CVeloraSizeDlg::reject);
    // After the size's edits, which come first among the dialog's edits.
    m_choices = MakeChoices();
    auto* left = new QVBoxLayout;
    left->addWidget(group);
    left->addWidget(m_choices);
    auto* layout = new QHBoxLayout(this);
    // A dialog of its natural size, which no window manager offers to maximise.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(left, 1);
    layout->addWidget(buttons);

    QSettings settings(SettingsOrganization(), SettingsApplication());
    m_width = settings.value("LastVeloraWidth", m_width).toInt();
    m_height = settings.value("LastVeloraHeight", m_height).toInt();
    m_standardSizes->setCurrentIndex(-1);
    if (m_width != 0 && m_height != 0) {
        const int found =
            m_standardSizes->findText(QStringLiteral("%1x%2").arg(m_width).arg(m_height));
        if (found >= 0) m_standardSizes->setCurrentIndex(found);
    } else if (m_standardSizes->count() > 0) {
        m_standardSizes->setCurrentIndex(0);
        ShowMembers();
        ApplyStandardSize();
    } else {
        m_width = m_height = 400;
    }
    if (HasAspect()) ProposeAspectSize();
    ShowMembers();
    m_keepAspect->setChecked(HasAspect());
    connect(m_standardSizes, &QComboBox::currentIndexChanged, this,
            &CVeloraSizeDlg::ApplyStandardSize);
    connect(m_widthEdit, &QLineEdit::textEdited, this, [this](const QString& typed) {
        Follow(typed, m_heightEdit, m_extent.height() / m_extent.width());
    });
    connect(m_heightEdit, &QLineEdit::textEdited, this, [this](const QString& typed) {
        Follow(typed, m_widthEdit, m_extent.width() / m_extent.height());
    });
}

bool CVeloraSizeDlg::HasAspect() const { return m_extent.width() > 0 && m_extent.height() > 0; }

// The remembered width (or the first standard one), with the height of the
// drawing's shape; a drawing far taller than wide starts from the tallest
// size instead.
void CVeloraSizeDlg::ProposeAspectSize() {
    const double heightPerWidth = m_extent.height() / m_extent.width();
    if (m_width < 1 || m_width > kMaxDrawingSide) m_width = 100;
    m_height = Proportional(m_width, heightPerWidth);
    if (m_height > kMaxDrawingSide) {
        m_height = kMaxDrawingSide;
        m_width = Proportional(m_height, 1 / heightPerWidth);
    }
    SelectStandardSizeShown();
}

void CVeloraSizeDlg::SelectStandardSizeShown() {
    m_standardSizes->setCurrentIndex(
        m_standardSizes->findText(QStringLiteral("%1x%2").arg(m_width).arg(m_height)));
}

void CVeloraSizeDlg::Follow(const QString& typed, QLineEdit* other, double otherPerTyped) {
    bool ok = false;
    const int side = typed.trimmed().toInt(&ok);
    if (!m_keepAspect->isChecked() || !ok || side < 1) return;
    other->setText(QString::number(Proportional(side, otherPerTyped)));
}

QGroupBox* CVeloraSizeDlg::MakeChoices() {
    auto* box = new QGroupBox(tr("Drawing"), this);
    m_pageLabel = new QLabel(tr("&Page:"), box);
    m_page = new QSpinBox(box);
    m_page->setAccessibleName(tr("Page"));
    m_pageLabel->setBuddy(m_page);
    m_thresholdLabel = new QLabel(tr("&Threshold:"), box);
    m_threshold = new QSlider(Qt::Horizontal, box);
    m_threshold->setRange(0, 255);
    m_threshold->setAccessibleName(tr("Threshold"));
    m_threshold->setToolTip(tr("Grey values up to the threshold are ink, lighter ones paper"));
    m_thresholdLabel->setBuddy(m_threshold);
    m_thresholdValue = new QLabel(box);
    m_thresholdValue->setMinimumWidth(m_thresholdValue->fontMetrics().horizontalAdvance("000"));
    m_speckLabel = new QLabel(tr("Drop &specks smaller than:"), box);
    m_speckSize = new QSpinBox(box);
    m_speckSize->setRange(1, kMaxSpeckSize);
    m_speckSize->setSuffix(tr(" pixels"));
    m_speckSize->setAccessibleName(tr("Speck size"));
    m_speckLabel->setBuddy(m_speckSize);
    m_inkPreview = new QLabel(box);
    m_inkPreview->setObjectName(QStringLiteral("inkPreview"));
    m_inkPreview->setAccessibleName(tr("Ink preview"));
    m_inkPreview->setAlignment(Qt::AlignCenter);

    auto* grid = new QGridLayout(box);
    grid->addWidget(m_pageLabel, 0, 0);
    grid->addWidget(m_page, 0, 1);
    grid->addWidget(m_thresholdLabel, 1, 0);
    auto* thresholdRow = new QHBoxLayout;
    thresholdRow->addWidget(m_threshold, 1);
    thresholdRow->addWidget(m_thresholdValue);
    grid->addLayout(thresholdRow, 1, 1);
    grid->addWidget(m_speckLabel, 2, 0);
    grid->addWidget(m_speckSize, 2, 1);
    grid->addWidget(m_inkPreview, 3, 0, 1, 2);
    connect(m_threshold, &QSlider::valueChanged, this, &CVeloraSizeDlg::ShowInkPreview);
    box->hide();
    return box;
}

void CVeloraSizeDlg::SetChoices(const DrawingSizeRequest& request) {
    const int pages = static_cast<int>(request.pageSizes.size());
    const bool lineArt = !request.lineArt.isNull();
    m_page->setRange(1, std::max(1, pages));
    m_page->setSuffix(tr(" of %1").arg(pages));
    m_page->setValue(1);
    m_pageLabel->setVisible(pages > 1);
    m_page->setVisible(pages > 1);
    for (QWidget* widget :
         std::initializer_list<QWidget*>{m_thresholdLabel, m_threshold, m_thresholdValue,
                                         m_speckLabel, m_speckSize, m_inkPreview})
        widget->setVisible(lineArt);
    m_previewArt = lineArt ? request.lineArt
                                 .scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio,
                                         Qt::SmoothTransformation)
                                 .convertToFormat(QImage::Format_Grayscale8)
                           : QImage();
    m_threshold->setValue(request.threshold);
    m_speckSize->setValue(request.speckSize);
    ShowInkPreview();
    m_choices->setVisible(pages > 1 || lineArt);
}

// Ink black, paper white, as the tracing will see them.
void CVeloraSizeDlg::ShowInkPreview() {
    const int threshold = m_threshold->value();
    m_thresholdValue->setText(QString::number(threshold));
    if (m_previewArt.isNull()) return;
    QImage ink(m_previewArt.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < ink.height(); ++y) {
        const uchar* grey = m_previewArt.constScanLine(y);
        uchar* out = ink.scanLine(y);
        for (int x = 0; x < ink.width(); ++x) out[x] = grey[x] <= threshold ? 0 : 255;
    }
    m_inkPreview->setPixmap(QPixmap::fromImage(ink));
}

DrawingSizeAnswer CVeloraSizeDlg::Answer() const {
    return {QSize(m_width, m_height), m_page->value(), m_threshold->value(), m_speckSize->value()};
}

void CVeloraSizeDlg::ShowMembers() {
    m_widthEdit->setText(QString::number(m_width));
    m_heightEdit->setText(QString::number(m_height));
}

void CVeloraSizeDlg::ApplyStandardSize() {
    TakeEdits();
    const QString entry = m_standardSizes->currentText();
    if (m_standardSizes->currentIndex() < 0) return;
    const qsizetype x = entry.indexOf('x');
    m_width = LeadingInteger(entry.left(x));
    m_height = LeadingInteger(entry.mid(x + 1));
    ShowMembers();
    // A size chosen from the list is taken as it is.
    m_keepAspect->setChecked(false);
}

void CVeloraSizeDlg::TakeEdits() {
    bool ok = false;
    if (const int width = m_widthEdit->text().trimmed().toInt(&ok); ok) m_width = width;
    if (const int height = m_heightEdit->text().trimmed().toInt(&ok); ok) m_height = height;
}

// Only a size that can be made is taken and remembered; anything else is
// said and left as typed, with the dialog open on it.
void CVeloraSizeDlg::accept() {
    for (QLineEdit* edit : {m_widthEdit, m_heightEdit}) {
        if (!IsInteger(edit)) {
            Refuse(tr("Please enter an integer."), edit);
            return;
        }
    }
    TakeEdits();
    const QString refusal = AskedSizeRefusal(QSize(m_width, m_height));
    if (!refusal.isEmpty()) {
        const bool widthFits = m_width >= 1 && m_width <= kMaxDrawingSide;
        Refuse(refusal, widthFits ? m_heightEdit : m_widthEdit);
        return;
    }
    QSettings settings(SettingsOrganization(), SettingsApplication());
    settings.setValue("LastVeloraWidth", m_width);
    settings.setValue("LastVeloraHeight", m_height);
    QDialog::accept();
}

void CVeloraSizeDlg::Refuse(const QString& message, QLineEdit* edit) {
    QMessageBox box(QMessageBox::Warning, windowTitle(), message, QMessageBox::Ok, this);
    ShowCloseButtonOnly(box);
    box.exec();
    edit->setFocus();
    edit->selectAll();
}

}  // namespace velora
