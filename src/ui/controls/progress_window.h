// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;
class QPushButton;

namespace velora {

// The small window that shows long work: a text line, a detail line, a bar
// and a Cancel button. Import steps, exports and transfers share it. Work
// that runs on the user-interface thread calls Step(), which repaints the
// window (and every other window) now and then, so nothing looks frozen
// while the user's input waits until the work is done.
class CProgressWindow : public QDialog {
    Q_OBJECT
public:
    explicit CProgressWindow(QWidget* parent = nullptr);

    void SetText(const QString& text);
    void SetDetail(const QString& detail);
    // Range 0..range; the bar starts at 0 and Step() advances it by one.
    void SetRange(int range);
    void Step();
    // For work on another thread, while the event loop runs: moves the bar
    // without painting at once.
    void SetPosition(int position);
    int Position() const;
    QString Text() const;
    // Shows Cancel; it emits cancelRequested.
    void SetCancelVisible(bool visible);

    // Centres the window over the given one (the screen without one), shows
    // it and paints it at once.
    void ShowCentredOver(QWidget* owner);

signals:
    void cancelRequested();

private:
    void PaintPending();

    QLabel* m_text;
    QLabel* m_detail;
    QProgressBar* m_bar;
    QPushButton* m_cancel;
    QElapsedTimer m_sincePaint;
};

}  // namespace velora
