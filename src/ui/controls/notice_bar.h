// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

#include <functional>

class QLabel;
class QPushButton;

namespace velora {

// A bar that tells the user something without stopping the work, as editors
// show notices above a document: an information icon, the text, an optional
// action button, and a button that dismisses the bar. A new notice replaces
// the one shown. Escape dismisses it while it has the focus.
class NoticeBar : public QFrame {
    Q_OBJECT
public:
    explicit NoticeBar(QWidget* parent = nullptr);

    // Shows the text; with an action, a button of the action's text that
    // dismisses the bar and then runs the action. A notice shown before ends
    // as if dismissed.
    void ShowNotice(const QString& text, const QString& actionText = {},
                    std::function<void()> action = {});
    void Dismiss();

    QString Text() const;
    QString ActionText() const;

signals:
    void dismissed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* m_text;
    QPushButton* m_action;
    QPushButton* m_close;
    std::function<void()> m_run;
};

}  // namespace velora
