// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMap>
#include <QMenuBar>
#include <QRadioButton>
#include <QSet>
#include <QStringList>
#include <QTabWidget>

namespace velora::test {

// The letter after a lone '&', lower-cased; none when there is none.
inline QChar AccessKey(const QString& text) {
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
inline QStringList FaultsOfShownFields(const QWidget& window) {
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
    if (const auto* main = qobject_cast<const QMainWindow*>(&window)) {
        for (const QAction* menu : main->menuBar()->actions())
            take(menu->text(), nullptr, menu->text());
    }
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
inline QStringList AccessKeyFaults(QWidget& window) {
    QStringList faults = FaultsOfShownFields(window);
    for (QTabWidget* pages : window.findChildren<QTabWidget*>()) {
        for (int i = 1; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            faults += FaultsOfShownFields(window);
        }
    }
    return faults;
}

}  // namespace velora::test
