// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace velora::test {

// Owns the answers still waiting for their dialog.
inline QObject& PendingAnswers() {
    static QObject* holder = new QObject;
    return *holder;
}

// Drops answers whose dialog never came, so none can answer a later test's
// dialog with what the earlier test captured.
inline void ForgetPendingAnswers() { qDeleteAll(PendingAnswers().children()); }

// Answers the next modal dialog of type T once it shows: the answer gets the
// dialog and must close it. Commands that open dialogs run their own event
// loop, so the answer has to be waiting before the command starts.
template <class T>
void AnswerNextModal(std::function<void(T*)> answer, int timeoutMs = 10000) {
    auto* timer = new QTimer(&PendingAnswers());
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, answer, timeoutMs] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            answer(dialog);
        } else if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(20);
}

}  // namespace velora::test
