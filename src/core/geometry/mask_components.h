// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/geometry/mono_bitmap.h"
#include "core/geometry/pixel_runs.h"

#include <span>
#include <vector>

namespace velora {

// The light components of a mask (4-connected) as runs, labelled in one pass:
// the runs of each row are joined with the overlapping runs of the row above.
// Components are numbered in the order of their first pixels, row by row.
class MaskComponents {
public:
    explicit MaskComponents(const MonoBitmap& mask);

    int Count() const { return static_cast<int>(m_touchesBorder.size()); }
    bool TouchesBorder(int component) const { return m_touchesBorder[component]; }
    // The component's runs, sorted by row and x.
    std::span<const PixelRun> Runs(int component) const {
        return std::span(m_grouped).subspan(m_begin[component],
                                            m_begin[component + 1] - m_begin[component]);
    }

private:
    void FindRuns(const MonoBitmap& mask);
    size_t Root(size_t run);
    void Join(size_t a, size_t b);
    void JoinRows();
    void Group(int width, int height);

    std::vector<PixelRun> m_runs;
    std::vector<size_t> m_rowBegin;
    std::vector<size_t> m_parent;
    std::vector<PixelRun> m_grouped;
    std::vector<size_t> m_begin;
    std::vector<bool> m_touchesBorder;
};

}  // namespace velora
