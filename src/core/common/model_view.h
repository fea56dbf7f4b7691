// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QPointF>
#include <QRegion>
#include <QSize>

namespace velora {

// What the model needs of the view that shows it. Implemented by the desktop
// views; tests use a recording fake. A model works without one.
class IModelView {
public:
    virtual ~IModelView() = default;

    virtual bool HasWindow() const = 0;
    // Scroll position in view pixels.
    virtual QPoint ScrollPosition() const = 0;
    // Margins that centre a small drawing in the window.
    virtual QPointF CentringOffset() const = 0;
    virtual QPointF Zoom() const = 0;
    virtual QSize ClientSize() const = 0;

    virtual void SetRenderPending(bool pending) = 0;
    virtual void InvalidateRegion(const QRegion& region, bool erase) = 0;
    virtual void InvalidateAll(bool erase) = 0;
    virtual void SetScrollSizes(QSize total, QSize page, QSize line) = 0;
};

}  // namespace velora
