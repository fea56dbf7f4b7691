// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/documents/document_base.h"
#include "ui/views/areas_bar.h"

#include <QVBoxLayout>
#include <QWidget>

namespace velora::test {

// A document shown in a view inside a window that also holds the areas bar,
// as the main window does.
template <class View>
class DocumentHost {
public:
    explicit DocumentHost(DocumentBase& document)
        : bar(new CAreasBar(&window)), view(new View(&window)) {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(view);
        document.AddView(view);
        window.resize(300, 300);
    }

    // Shows the window and lays the view out for the model as it is now.
    void Show() {
        window.show();
        view->OnInitialUpdate();
    }

    QWidget window;
    CAreasBar* bar;
    View* view;
};

}  // namespace velora::test
