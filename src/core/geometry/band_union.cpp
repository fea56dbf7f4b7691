// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/band_union.h"

#include <algorithm>

namespace velora {

namespace {

struct Span {
    int64_t left;
    int64_t right;
    friend bool operator==(const Span&, const Span&) = default;
};

// How many boxes cover each elementary x-interval between consecutive edges.
// A node counts the boxes that cover all of its interval and knows whether
// anything below it is covered, so the covered runs are found by visiting
// only covered nodes. Recursion is as deep as the tree: log2 of the number
// of edges.
class CoverageTree {
public:
    explicit CoverageTree(std::vector<int64_t> edges)
        : m_edges(std::move(edges)),
          m_leaves(m_edges.size() - 1),
          m_cover(4 * m_leaves),
          m_covered(4 * m_leaves) {}

    void Add(size_t lo, size_t hi, int delta) { Update(1, 0, m_leaves, lo, hi, delta); }
    bool Empty() const { return !m_covered[1]; }

    // The maximal covered runs, left to right; runs that touch are one.
    void CollectSpans(std::vector<Span>& out) const {
        out.clear();
        Collect(1, 0, m_leaves, out);
    }

private:
    void Update(size_t node, size_t nodeLo, size_t nodeHi, size_t lo, size_t hi, int delta) {
        if (hi <= nodeLo || nodeHi <= lo) return;
        if (lo <= nodeLo && nodeHi <= hi) {
            m_cover[node] += delta;
        } else {
            const size_t mid = nodeLo + (nodeHi - nodeLo) / 2;
            Update(2 * node, nodeLo, mid, lo, hi, delta);
            Update(2 * node + 1, mid, nodeHi, lo, hi, delta);
        }
        m_covered[node] = m_cover[node] > 0 ||
                          (nodeHi - nodeLo > 1 && (m_covered[2 * node] || m_covered[2 * node + 1]));
    }

    void Collect(size_t node, size_t nodeLo, size_t nodeHi, std::vector<Span>& out) const {
        if (!m_covered[node]) return;
        if (m_cover[node] > 0) {
            if (!out.empty() && out.back().right == m_edges[nodeLo]) {
                out.back().right = m_edges[nodeHi];
            } else {
                out.push_back({m_edges[nodeLo], m_edges[nodeHi]});
            }
            return;
        }
        const size_t mid = nodeLo + (nodeHi - nodeLo) / 2;
        Collect(2 * node, nodeLo, mid, out);
        Collect(2 * node + 1, mid, nodeHi, out);
    }

    std::vector<int64_t> m_edges;
    size_t m_leaves;
    std::vector<int> m_cover;
    std::vector<uint8_t> m_covered;
};

// A top or bottom edge of a box, with the box's x-extent as edge indices.
struct Event {
    int64_t y;
    size_t lo;
    size_t hi;
};

// The end of the band that starts at first: the boxes with its top, which
// must share its bottom and go left to right without touching.
std::optional<size_t> BandEnd(std::span<const Box> boxes, size_t first) {
    const Box& head = boxes[first];
    if (head.left >= head.right || head.top >= head.bottom) return std::nullopt;
    size_t end = first + 1;
    for (; end < boxes.size() && boxes[end].top == head.top; ++end) {
        const Box& box = boxes[end];
        if (box.bottom != head.bottom || box.left <= boxes[end - 1].right || box.left >= box.right)
            return std::nullopt;
    }
    return end;
}

bool SameSpans(std::span<const Box> a, std::span<const Box> b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Box& x, const Box& y) {
        return x.left == y.left && x.right == y.right;
    });
}

std::vector<int64_t> SortedXEdges(std::span<const Box> boxes) {
    std::vector<int64_t> edges;
    edges.reserve(2 * boxes.size());
    for (const Box& box : boxes) {
        edges.push_back(box.left);
        edges.push_back(box.right);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    return edges;
}

}  // namespace

std::optional<std::vector<Box>> UnionToBands(std::span<const Box> boxes, size_t maxBoxes) {
    std::vector<Box> result;
    if (boxes.empty()) return result;

    std::vector<int64_t> edges = SortedXEdges(boxes);
    std::vector<Event> tops;
    std::vector<Event> bottoms;
    tops.reserve(boxes.size());
    bottoms.reserve(boxes.size());
    for (const Box& box : boxes) {
        const size_t lo = std::lower_bound(edges.begin(), edges.end(), box.left) - edges.begin();
        const size_t hi = std::lower_bound(edges.begin(), edges.end(), box.right) - edges.begin();
        tops.push_back({box.top, lo, hi});
        bottoms.push_back({box.bottom, lo, hi});
    }
    const auto byY = [](const Event& a, const Event& b) { return a.y < b.y; };
    std::sort(tops.begin(), tops.end(), byY);
    std::sort(bottoms.begin(), bottoms.end(), byY);

    CoverageTree tree(std::move(edges));
    std::vector<Span> spans;
    std::vector<Span> bandSpans;
    size_t bandStart = 0;
    int64_t bandBottom = 0;
    bool haveBand = false;
    size_t t = 0;
    size_t b = 0;
    const size_t n = boxes.size();
    // Every box ends after it starts, so the bottoms run out last.
    const auto nextEdge = [&] { return t < n ? std::min(tops[t].y, bottoms[b].y) : bottoms[b].y; };
    while (b < n) {
        const int64_t y = nextEdge();
        for (; b < n && bottoms[b].y == y; ++b) tree.Add(bottoms[b].lo, bottoms[b].hi, -1);
        for (; t < n && tops[t].y == y; ++t) tree.Add(tops[t].lo, tops[t].hi, +1);
        if (tree.Empty()) continue;
        const int64_t next = nextEdge();
        tree.CollectSpans(spans);
        if (haveBand && bandBottom == y && spans == bandSpans) {
            for (size_t i = bandStart; i < result.size(); ++i) result[i].bottom = next;
        } else {
            bandStart = result.size();
            for (const Span& span : spans) result.push_back({span.left, y, span.right, next});
            if (result.size() > maxBoxes) return std::nullopt;
            std::swap(bandSpans, spans);
            haveBand = true;
        }
        bandBottom = next;
    }
    return result;
}

bool IsBanded(std::span<const Box> boxes) {
    std::span<const Box> previous;
    for (size_t first = 0; first < boxes.size();) {
        const std::optional<size_t> end = BandEnd(boxes, first);
        if (!end) return false;
        const std::span<const Box> band = boxes.subspan(first, *end - first);
        if (!previous.empty()) {
            // Bands go down without overlapping; two that meet differ, or
            // they would be one.
            const int64_t previousBottom = previous.front().bottom;
            if (band.front().top < previousBottom) return false;
            if (band.front().top == previousBottom && SameSpans(previous, band)) return false;
        }
        previous = band;
        first = *end;
    }
    return true;
}

}  // namespace velora
