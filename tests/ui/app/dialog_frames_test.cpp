// SPDX-License-Identifier: GPL-3.0-or-later
#include "access_keys.h"
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

#include <QMessageBox>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace velora {
namespace {

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
        const QStringList faults = test::AccessKeyFaults(*dialog);
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
