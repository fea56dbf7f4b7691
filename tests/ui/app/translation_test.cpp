// SPDX-License-Identifier: GPL-3.0-or-later
#include "access_keys.h"
#include "ui/app/action_table.h"
#include "ui/app/menu_sets.h"
#include "ui/app/translations.h"

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
    QString title;
    QStringList items;  // text and status prompt of every item
};

QList<MenuTexts> ReadMenus(MenuSet set) {
    CommandActions actions;
    QWidget parent;
    QList<MenuTexts> menus;
    for (const QMenu* menu : BuildMenus(set, actions, &parent)) {
        MenuTexts texts{menu->title(), {}};
        for (const QAction* item : menu->actions()) {
            if (!item->isSeparator()) texts.items << item->text() << item->statusTip();
        }
        menus.append(texts);
    }
    return menus;
}

// Under a German locale every menu title, item and status prompt of the three
// menu bars reads differently from the English it stands for (texts without
// letters, such as "1:1", may stay), and each menu keeps its access keys apart.
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
            EXPECT_NE(de.title, en.title);
            ASSERT_EQ(de.items.size(), en.items.size());
            QMap<QChar, QString> keys;
            for (int i = 0; i < de.items.size(); ++i) {
                if (de.items[i].contains(letter)) {
                    EXPECT_NE(de.items[i], en.items[i]) << "in " << en.title.toStdString();
                }
                const QChar key = test::AccessKey(de.items[i]);
                if (key.isNull()) continue;
                EXPECT_FALSE(keys.contains(key))
                    << de.items[i].toStdString() << " and " << keys.value(key).toStdString();
                keys[key] = de.items[i];
            }
        }
    }
    for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
        if (!before.contains(translator)) delete translator;
    }
}

}  // namespace
}  // namespace velora
