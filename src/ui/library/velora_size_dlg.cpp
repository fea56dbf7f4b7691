// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/library/velora_size_dlg.h"

#include "core/common/library_folders.h"
#include "ui/controls/dialog_frame.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>

#include <algorithm>

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
}  // namespace

CVeloraSizeDlg::CVeloraSizeDlg(QWidget* parent)
    : QDialog(parent),
      m_standardSizes(new QComboBox(this)),
      m_widthEdit(new QLineEdit(this)),
      m_heightEdit(new QLineEdit(this)) {
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

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CVeloraSizeDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CVeloraSizeDlg::reject);
    auto* layout = new QHBoxLayout(this);
    // A dialog of its natural size, which no window manager offers to maximise.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(group, 1);
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
    ShowMembers();
    connect(m_standardSizes, &QComboBox::currentIndexChanged, this,
            &CVeloraSizeDlg::ApplyStandardSize);
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
}

void CVeloraSizeDlg::TakeEdits() {
    bool ok = false;
    if (const int width = m_widthEdit->text().trimmed().toInt(&ok); ok) m_width = width;
    if (const int height = m_heightEdit->text().trimmed().toInt(&ok); ok) m_height = height;
}

// The size is remembered as it was taken, even when an edit still holds no
// integer; the dialog then stays open on that edit.
void CVeloraSizeDlg::accept() {
    TakeEdits();
    QSettings settings(SettingsOrganization(), SettingsApplication());
    settings.setValue("LastVeloraWidth", m_width);
    settings.setValue("LastVeloraHeight", m_height);
    for (QLineEdit* edit : {m_widthEdit, m_heightEdit}) {
        bool ok = false;
        edit->text().trimmed().toInt(&ok);
        if (ok) continue;
        QMessageBox box(QMessageBox::Warning, windowTitle(), tr("Please enter an integer."),
                        QMessageBox::Ok, this);
        ShowCloseButtonOnly(box);
        box.exec();
        edit->setFocus();
        edit->selectAll();
        return;
    }
    QDialog::accept();
}

}  // namespace velora
