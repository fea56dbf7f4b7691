// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/mask_components.h"

namespace velora {

MaskComponents::MaskComponents(const MonoBitmap& mask) {
    FindRuns(mask);
    JoinRows();
    Group(mask.Width(), mask.Height());
}

void MaskComponents::FindRuns(const MonoBitmap& mask) {
    const int width = mask.Width();
    m_rowBegin.reserve(static_cast<size_t>(mask.Height()) + 1);
    for (int y = 0; y < mask.Height(); ++y) {
        m_rowBegin.push_back(m_runs.size());
        const uint8_t* row = mask.Row(y);
        const auto light = [row](int i) -> unsigned { return row[i]; };
        for (int x = 0; x < width;) {
            x = FirstSet(light, x, width - 1);
            if (x < 0) break;
            const int end = FirstClear(light, x, width) - 1;
            m_runs.push_back({y, x, end});
            x = end + 2;
        }
    }
    m_rowBegin.push_back(m_runs.size());
}

size_t MaskComponents::Root(size_t run) {
    while (m_parent[run] != run) {
        m_parent[run] = m_parent[m_parent[run]];
        run = m_parent[run];
    }
    return run;
}

// The root of a component is its first run, so components keep the order
// of their first pixels.
void MaskComponents::Join(size_t a, size_t b) {
    a = Root(a);
    b = Root(b);
    if (a < b) m_parent[b] = a;
    if (b < a) m_parent[a] = b;
}

void MaskComponents::JoinRows() {
    m_parent.resize(m_runs.size());
    for (size_t i = 0; i < m_parent.size(); ++i) m_parent[i] = i;
    for (size_t y = 1; y + 1 < m_rowBegin.size(); ++y) {
        size_t above = m_rowBegin[y - 1];
        size_t here = m_rowBegin[y];
        while (above < m_rowBegin[y] && here < m_rowBegin[y + 1]) {
            const PixelRun& a = m_runs[above];
            const PixelRun& h = m_runs[here];
            if (a.x0 <= h.x1 && h.x0 <= a.x1) Join(above, here);
            if (a.x1 < h.x1) {
                ++above;
            } else {
                ++here;
            }
        }
    }
}

void MaskComponents::Group(int width, int height) {
    std::vector<int> label(m_runs.size());
    std::vector<size_t> sizes;
    for (size_t i = 0; i < m_runs.size(); ++i) {
        const size_t root = Root(i);
        if (root == i) {
            label[i] = static_cast<int>(sizes.size());
            sizes.push_back(0);
            m_touchesBorder.push_back(false);
        } else {
            label[i] = label[root];
        }
        const PixelRun& run = m_runs[i];
        ++sizes[label[i]];
        if (run.y == 0 || run.y == height - 1 || run.x0 == 0 || run.x1 == width - 1) {
            m_touchesBorder[label[i]] = true;
        }
    }
    m_begin.assign(sizes.size() + 1, 0);
    for (size_t c = 0; c < sizes.size(); ++c) m_begin[c + 1] = m_begin[c] + sizes[c];
    std::vector<size_t> next(m_begin.begin(), m_begin.end() - 1);
    m_grouped.resize(m_runs.size());
    for (size_t i = 0; i < m_runs.size(); ++i) m_grouped[next[label[i]]++] = m_runs[i];
    m_runs = {};
    m_parent = {};
}

}  // namespace velora
