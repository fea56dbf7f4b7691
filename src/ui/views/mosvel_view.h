// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/controls/command_target.h"
#include "ui/views/mosvel_view_base.h"
#include "ui/views/view_printer.h"

namespace velora {

// The view of a design: one window pixel per drawing pixel, centred when the
// design is smaller than the window. It is coloured through the areas bar and
// prints.
class CMosvelView : public CMosvelViewBase, public MappedCommandTarget<CMosvelView> {
    Q_OBJECT
public:
    explicit CMosvelView(QWidget* parent = nullptr);

    static const CommandMap<CMosvelView>& Commands();

    // After a design was read or got a new template: a picture of the new
    // size, laid out and rendered at the next paint.
    void ResetImage();

    void OnPrint() { m_printer.Print(); }
    void OnPrintDirect() { m_printer.PrintDirect(); }
    void OnPrintPreview() { m_printer.PrintPreview(); }

private:
    ViewPrinter m_printer;
};

}  // namespace velora
