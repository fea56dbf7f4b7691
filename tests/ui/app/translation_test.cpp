// SPDX-License-Identifier: GPL-3.0-or-later
#include "access_keys.h"
#include "core/common/errors.h"
#include "core/common/file_bytes.h"
#include "core/common/file_copy.h"
#include "core/model/drawing_size.h"
#include "ui/app/action_table.h"
#include "ui/app/menu_sets.h"
#include "ui/app/translations.h"
#include "ui/controls/command_ids.h"

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <new>

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

// The German translation while it lives, the program's own translators
// only: those installed before stay.
class GermanScope {
public:
    GermanScope() : m_before(qApp->findChildren<QTranslator*>()) {
        EXPECT_TRUE(InstallTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany)));
    }
    ~GermanScope() {
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            if (!m_before.contains(translator)) delete translator;
        }
    }
    GermanScope(const GermanScope&) = delete;
    GermanScope& operator=(const GermanScope&) = delete;

private:
    const QList<QTranslator*> m_before;
};

// Under a German locale every menu title, item and status prompt of the three
// menu bars and of the areas' context menu reads differently from the English
// it stands for (texts without letters, such as "1:1", may stay), and in both
// languages each menu keeps its access keys apart.
TEST(TranslationTest, GermanLeavesNoMenuTextInEnglish) {
    const MenuSet sets[] = {MenuSet::NoDocument, MenuSet::Design, MenuSet::Template};
    QList<QList<MenuTexts>> english;
    for (MenuSet set : sets) english.append(ReadMenus(set));

    const GermanScope german;
    const QRegularExpression letter(QStringLiteral("\\p{L}"));
    for (int s = 0; s < 3; ++s) {
        const QList<MenuTexts> menus = ReadMenus(sets[s]);
        ASSERT_EQ(menus.size(), english[s].size());
        for (int m = 0; m < menus.size(); ++m) {
            const MenuTexts& de = menus[m];
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
}

// Why a file could not be read or copied or a size made, as core words
// it, reaches a German user in German, the details filled in.
TEST(TranslationTest, CoreReasonsReadInGerman) {
    const GermanScope german;
    QTemporaryDir folder;
    QFile large(folder.filePath("large.dxf"));
    ASSERT_TRUE(large.open(QIODevice::WriteOnly) && large.write("12345") == 5);
    large.close();
    const struct {
        QString reason;
        QString german;
    } cases[] = {
        {ReadBoundedFile(folder.path(), 10).reason, "ist ein Ordner, keine Datei"},
        {ReadBoundedFile(folder.filePath("none.dxf"), 10).reason, "kann nicht geöffnet werden: "},
        {ReadBoundedFile(large.fileName(), 4).reason, "ist zu groß (5 Bytes; höchstens 4 Bytes"},
        {FailureText(std::bad_alloc()), "nicht genug Arbeitsspeicher"},
        {CopyFileToFolder(folder.filePath("none.dxf"), folder.path(), false).error,
         "Keine solche Datei"},
        {AskedSizeRefusal(QSize(0, 5)), "Eine Zeichnung von 0 x 5 Pixeln kann nicht"},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(c.reason.startsWith(c.german)) << c.reason.toStdString();
}

}  // namespace
}  // namespace velora
