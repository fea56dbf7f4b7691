// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/common/settings_record.h"
#include "modal_answer.h"
#include "scripted_user.h"
#include "ui/app/about_dlg.h"
#include "ui/documents/desktop_user_interface.h"
#include "ui/documents/name_dialogs.h"
#include "ui/exchange/connection_dlg.h"
#include "ui/exchange/download_dlg.h"
#include "ui/exchange/send_dlg.h"
#include "ui/export/export_dlg.h"
#include "ui/library/library_dlg.h"
#include "ui/library/texture_groups_dlg.h"
#include "ui/library/velora_size_dlg.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMessageBox>
#include <QRadioButton>
#include <QSet>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace velora {
namespace {

// The letter after a lone '&', lower-cased; none when there is none.
QChar AccessKey(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') return text[i + 1].toLower();
        ++i;
    }
    return {};
}

// Every field shown in the window is reached by a key of its own: its own
// text's or its label's, and no two keys shown together are alike. Returns
// what is wrong, one line each.
QStringList FaultsOfShownFields(const QWidget& window) {
    QStringList faults;
    QMap<QChar, QString> keys;
    QSet<const QWidget*> reached;
    const auto take = [&](const QString& text, const QWidget* field, const QString& name) {
        const QChar key = AccessKey(text);
        if (key.isNull()) return;
        if (keys.contains(key)) faults << QString("'%1' of %2 and of %3").arg(key, keys[key], name);
        keys[key] = name;
        reached.insert(field);
    };
    const auto shown = [&window](const QWidget* widget) { return widget->isVisibleTo(&window); };
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (shown(label) && label->buddy()) take(label->text(), label->buddy(), label->text());
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        if (shown(button)) take(button->text(), button, button->text());
    for (const QTabWidget* pages : window.findChildren<QTabWidget*>())
        for (int i = 0; i < pages->count(); ++i) take(pages->tabText(i), pages, pages->tabText(i));
    for (const QWidget* field : window.findChildren<QWidget*>()) {
        const bool input =
            qobject_cast<const QAbstractSpinBox*>(field) || qobject_cast<const QComboBox*>(field) ||
            qobject_cast<const QCheckBox*>(field) || qobject_cast<const QRadioButton*>(field) ||
            (qobject_cast<const QLineEdit*>(field) &&
             !qobject_cast<const QAbstractSpinBox*>(field->parentWidget()) &&
             !qobject_cast<const QComboBox*>(field->parentWidget()));
        if (input && shown(field) && !reached.contains(field)) {
            faults << QString("%1 \"%2\" has no access key")
                          .arg(field->metaObject()->className(), field->accessibleName());
        }
    }
    return faults;
}

// The same for every page of the window's tabs.
QStringList AccessKeyFaults(QWidget& window) {
    QStringList faults = FaultsOfShownFields(window);
    for (QTabWidget* pages : window.findChildren<QTabWidget*>()) {
        for (int i = 1; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            faults += FaultsOfShownFields(window);
        }
    }
    return faults;
}

bool HasCloseButtonOnly(const QWidget& window) {
    const Qt::WindowFlags flags = window.windowFlags();
    return flags.testFlag(Qt::CustomizeWindowHint) && flags.testFlag(Qt::WindowCloseButtonHint) &&
           !flags.testAnyFlags(Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint);
}

// Dialogs show as dialogs, not documents, and every field in them is one
// key press away.
TEST(DialogFramesTest, DialogsOfferTheCloseButtonAloneAndAUniqueKeyForEveryField) {
    test::ScriptedUser user;
    SettingsRecord settings;
    const std::function<std::unique_ptr<QWidget>()> dialogs[] = {
        [] { return std::make_unique<CAboutDlg>(); },
        [&] { return std::make_unique<CExportDlg>(QSize(10, 10), "d", ExportChoices(), user); },
        [] { return std::make_unique<CVeloraSizeDlg>(); },
        [] { return std::make_unique<CAreaNameDlg>(); },
        [&] { return std::make_unique<CConnectionDlg>(settings, user); },
        [&] { return std::make_unique<CSendDlg>(settings, user); },
        [&] { return std::make_unique<CDownloadDlg>(settings, user); },
        [&] { return std::make_unique<CTextureGroupsDlg>(user); },
        [&] { return std::make_unique<CSelectTemplateDlg>(LibraryMode::Pick, user); },
    };
    for (const auto& make : dialogs) {
        const std::unique_ptr<QWidget> dialog = make();
        const char* name = dialog->metaObject()->className();
        EXPECT_TRUE(HasCloseButtonOnly(*dialog)) << name;
        const QStringList faults = AccessKeyFaults(*dialog);
        EXPECT_TRUE(faults.isEmpty()) << name << ":\n" << faults.join('\n').toStdString();
    }
    DesktopUserInterface desktop;
    bool boxChecked = false;
    test::AnswerNextModal<QMessageBox>([&boxChecked](QMessageBox* box) {
        boxChecked = HasCloseButtonOnly(*box);
        box->accept();
    });
    desktop.ShowMessage("Something to say", MessageIcon::Information, {});
    EXPECT_TRUE(boxChecked);
}

}  // namespace
}  // namespace velora
