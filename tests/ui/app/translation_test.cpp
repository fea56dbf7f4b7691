// SPDX-License-Identifier: GPL-3.0-or-later
#include "access_keys.h"
#include "ui/app/action_table.h"
#include "ui/app/menu_sets.h"
#include "ui/app/translations.h"
#include "ui/controls/command_ids.h"

#include <QApplication>
#include <QMenu>
#include <QRegularExpression>
#include <QTranslator>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace velora {
namespace {

struct MenuTexts {
    QString title;  // none for the areas' context menu
    QStringList texts;
    QStringList prompts;
};

MenuTexts TextsOf(const QMenu& menu) {
    MenuTexts texts{menu.title(), {}, {}};
    for (const QAction* item : menu.actions()) {
        const int id = CommandActions::IdOf(item);
        // The recent files take their keys from their place in the list.
        if (item->isSeparator() || (id >= cmd::kFileMruFirst && id <= cmd::kFileMruLast)) continue;
        texts.texts << item->text();
        texts.prompts << item->statusTip();
    }
    return texts;
}

// The menu bar's menus of a set, then the areas' context menu.
QList<MenuTexts> ReadMenus(MenuSet set) {
    CommandActions actions;
    QWidget parent;
    QList<MenuTexts> menus;
    for (const QMenu* menu : BuildMenus(set, actions, &parent)) menus.append(TextsOf(*menu));
    QMenu areaMenu;
    FillMenu(areaMenu, AreaMenuItems(set), actions);
    menus.append(TextsOf(areaMenu));
    return menus;
}

// Every item of a menu has an access key of its own.
void ExpectAccessKeysUnique(const MenuTexts& menu) {
    QMap<QChar, QString> keys;
    for (const QString& text : menu.texts) {
        const QChar key = test::AccessKey(text);
        EXPECT_FALSE(key.isNull()) << text.toStdString() << " has no access key";
        if (key.isNull()) continue;
        EXPECT_FALSE(keys.contains(key))
            << text.toStdString() << " and " << keys.value(key).toStdString();
        keys[key] = text;
    }
}

// Under a German locale every menu title, item and status prompt of the three
// menu bars and of the areas' context menu reads differently from the English
// it stands for (texts without letters, such as "1:1", may stay), and in both
// languages each menu keeps its access keys apart.
TEST(TranslationTest, GermanLeavesNoMenuTextInEnglish) {
    const MenuSet sets[] = {MenuSet::NoDocument, MenuSet::Design, MenuSet::Template};
    QList<QList<MenuTexts>> english;
    for (MenuSet set : sets) english.append(ReadMenus(set));

    const QList<QTranslator*> before = qApp->findChildren<QTranslator*>();
    ASSERT_TRUE(InstallTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany)));
    const QRegularExpression letter(QStringLiteral("\\p{L}"));
    for (int s = 0; s < 3; ++s) {
        const QList<MenuTexts> german = ReadMenus(sets[s]);
        ASSERT_EQ(german.size(), english[s].size());
        for (int m = 0; m < german.size(); ++m) {
            const MenuTexts& de = german[m];
            const MenuTexts& en = english[s][m];
            SCOPED_TRACE(en.title.isEmpty() ? "the areas' context menu" : en.title.toStdString());
            EXPECT_TRUE(en.title.isEmpty() || de.title != en.title) << de.title.toStdString();
            ASSERT_EQ(de.texts.size(), en.texts.size());
            for (const auto& [deTexts, enTexts] :
                 {std::pair(de.texts, en.texts), std::pair(de.prompts, en.prompts)}) {
                for (int i = 0; i < deTexts.size(); ++i) {
                    EXPECT_TRUE(!deTexts[i].contains(letter) || deTexts[i] != enTexts[i])
                        << deTexts[i].toStdString();
                }
            }
            ExpectAccessKeysUnique(en);
            ExpectAccessKeysUnique(de);
        }
    }
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
        if (!before.contains(translator)) delete translator;
    }
}

}  // namespace
}  // namespace velora
