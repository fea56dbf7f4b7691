// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QSpinBox;
class QTimer;

namespace velora {

// "Close gaps": the widest gap to close, and how many gaps that closes. It
// stays open beside the template, whose view shows the joins it would draw;
// OK applies them, Cancel leaves the template as it was.
class CloseGapsDialog : public QDialog {
    Q_OBJECT
public:
    explicit CloseGapsDialog(int distance, QWidget* parent = nullptr);

    int Distance() const;
    // What the joins at the current distance come to.
    void ShowJoinCount(int joins);

signals:
    // The distance settled on a new value (after typing pauses).
    void DistanceChanged(int distance);

private:
    QSpinBox* m_distance;
    QLabel* m_found;
    QTimer* m_settle;
};

}  // namespace velora
