// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QString>
#include <QWidget>

namespace velora::test {

// The button with this text, mnemonic included, as the keyboard reaches it.
inline QAbstractButton* ButtonLabelled(const QWidget& window, const QString& text) {
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->text() == text) return button;
    }
    return nullptr;
}

// The widget that the occurrence-th label with this text names.
template <class T>
T* Labelled(const QWidget& window, const QString& label, int occurrence = 0) {
    int seen = 0;
    for (QLabel* caption : window.findChildren<QLabel*>()) {
        if (caption->text() == label && seen++ == occurrence)
            return qobject_cast<T*>(caption->buddy());
    }
    return nullptr;
}

}  // namespace velora::test
