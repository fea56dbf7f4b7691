// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/documents/document_base.h"
#include "ui/views/areas_bar.h"

#include <QDockWidget>
#include <QMainWindow>

namespace velora::test {

// A document shown in a view inside a window that also holds the areas bar
// in its dock, as the main window does.
template <class View>
class DocumentHost {
public:
    explicit DocumentHost(DocumentBase& document)
        : bar(new CAreasBar(new QDockWidget(&window))), view(new View(&window)) {
        window.setCentralWidget(view);
        auto* dock = static_cast<QDockWidget*>(bar->parentWidget());
        dock->setWidget(bar);
        window.addDockWidget(Qt::RightDockWidgetArea, dock);
        document.AddView(view);
        window.resize(600, 300);
    }

    // Shows the window and lays the view out for the model as it is now.
    void Show() {
        window.show();
        view->OnInitialUpdate();
    }

    QMainWindow window;
    CAreasBar* bar;
    View* view;
};

}  // namespace velora::test
