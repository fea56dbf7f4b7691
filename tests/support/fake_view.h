// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/common/model_view.h"

#include <vector>

namespace velora::test {

// A view with a settable scroll position and offsets that records what the
// model asks of it.
class FakeView : public IModelView {
public:
    bool hasWindow = true;
    QPoint scroll;
    QPointF offset;
    QPointF zoom{1, 1};
    QSize client{800, 600};

    bool renderPending = false;
    std::vector<QRegion> invalidated;
    int invalidateAllCount = 0;
    QSize scrollTotal, scrollPage, scrollLine;

    bool HasWindow() const override { return hasWindow; }
    QPoint ScrollPosition() const override { return scroll; }
    QPointF CentringOffset() const override { return offset; }
    QPointF Zoom() const override { return zoom; }
    QSize ClientSize() const override { return client; }
    void SetRenderPending(bool pending) override { renderPending = pending; }
    void InvalidateRegion(const QRegion& region, bool) override { invalidated.push_back(region); }
    void InvalidateAll(bool) override { ++invalidateAllCount; }
    void SetScrollSizes(QSize total, QSize page, QSize line) override {
        scrollTotal = total;
        scrollPage = page;
        scrollLine = line;
    }
};

}  // namespace velora::test
