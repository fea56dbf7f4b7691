// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPainter;
class QPrinter;

namespace velora {

class CMosvelViewBase;

// Prints a view's picture: with the print dialog, straight to the default
// printer, or in the print preview. PDF files are one of the printers.
class ViewPrinter {
public:
    explicit ViewPrinter(CMosvelViewBase& view) : m_view(view) {}

    void Print();
    void PrintDirect();
    void PrintPreview();

    // Draws the picture on the printer's page at the size the screen shows
    // it, shrunk to the page when it is larger.
    void PrintOn(QPrinter& printer);

private:
    CMosvelViewBase& m_view;
};

}  // namespace velora
