// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/geometry/outline_chains.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace velora {

namespace {

// The mask is thinned in bands of rows, each with this many rows of the
// bands around it: thinning and the end tests reach only a few pixels
// beyond an outline's thickness, so ends inside a band are found as in the
// whole mask, and the memory stays a band's whatever the drawing's size.
constexpr int kBandRows = 1024;
constexpr int kBandOverlap = 32;
// A chain that reaches a fork or its other end within this many steps is a
// spur or a speck.
constexpr int kShortestChain = 3;
// How many steps an end is carried back out over the pixels thinning ate.
constexpr int kMostEaten = 4;

using Index = std::ptrdiff_t;

// One band of the dark pixels, one byte each, with a border of light pixels
// so that neighbours never need bounds checks.
class Band {
public:
    // The part of the mask: a rectangle inside it.
    Band(const MonoBitmap& mask, const QRect& part)
        : m_width(part.width() + 2),
          m_left(part.left()),
          m_top(part.top()),
          m_rows(part.height()),
          m_dark(static_cast<size_t>(m_width) * (m_rows + 2), 0),
          m_offsets{-m_width, -m_width + 1, 1,  m_width + 1,
                    m_width,  m_width - 1,  -1, -m_width - 1} {
        for (int y = part.top(); y <= part.bottom(); ++y) {
            for (int x = part.left(); x <= part.right(); ++x) {
                if (!mask.Pixel(x, y)) {
                    m_dark[IndexOf(x, y)] = 1;
                    m_pixels.push_back(IndexOf(x, y));
                }
            }
        }
        m_skeleton = m_dark;
    }

    // Zhang and Suen's thinning, keeping the ends of chains: alternately
    // from the south east and the north west, takes away border pixels that
    // no chain needs, until none is left to take.
    void Thin() {
        for (bool changed = true; changed;) {
            changed = ThinningPass(true);
            changed = ThinningPass(false) || changed;
        }
    }

    // The ends whose chain pixel lies in the area.
    template <typename Found>
    void ForEachEnd(const QRect& area, Found found) const {
        for (const Index index : m_pixels) {
            if (!area.contains(PixelAt(index)) || !IsEnd(index) || IsShortChain(index)) continue;
            found(PixelAt(CarriedOut(index)));
        }
    }

private:
    Index IndexOf(int x, int y) const { return Index{y - m_top + 1} * m_width + x - m_left + 1; }
    QPoint PixelAt(Index index) const {
        return {static_cast<int>(index % m_width) - 1 + m_left,
                static_cast<int>(index / m_width) - 1 + m_top};
    }
    bool Dark(Index index) const { return m_dark[static_cast<size_t>(index)] != 0; }
    bool Chain(Index index) const { return m_skeleton[static_cast<size_t>(index)] != 0; }

    std::array<uint8_t, 8> Ring(Index index) const {
        std::array<uint8_t, 8> ring{};
        for (int i = 0; i < 8; ++i) ring[i] = Chain(index + m_offsets[i]) ? 1 : 0;
        return ring;
    }
    static int Neighbours(const std::array<uint8_t, 8>& ring) {
        return ring[0] + ring[1] + ring[2] + ring[3] + ring[4] + ring[5] + ring[6] + ring[7];
    }
    // Light-to-dark steps around the pixel: one on an end or an edge, two
    // inside a chain, three or more at a fork.
    static int Branches(const std::array<uint8_t, 8>& ring) {
        int steps = 0;
        for (int i = 0; i < 8; ++i) steps += !ring[i] && ring[(i + 1) % 8];
        return steps;
    }

    bool ThinningPass(bool first) {
        std::vector<Index> taken;
        for (const Index index : m_pixels) {
            const auto r = Ring(index);
            const int neighbours = Neighbours(r);
            // A pixel with two touching neighbours ends a chain: kept, so that
            // chains do not shrink back from their ends.
            if (neighbours < 3 || neighbours > 6 || Branches(r) != 1) continue;
            // r: 0 north, 2 east, 4 south, 6 west.
            const bool keep = first ? (r[0] && r[2] && r[4]) || (r[2] && r[4] && r[6])
                                    : (r[0] && r[2] && r[6]) || (r[0] && r[4] && r[6]);
            if (!keep) taken.push_back(index);
        }
        for (const Index index : taken) m_skeleton[static_cast<size_t>(index)] = 0;
        std::erase_if(m_pixels, [&](Index index) { return !Chain(index); });
        return !taken.empty();
    }

    bool IsEnd(Index index) const {
        const auto ring = Ring(index);
        const int neighbours = Neighbours(ring);
        return neighbours >= 1 && neighbours <= 2 && Branches(ring) == 1;
    }

    // Walks the chain from its end: reaching a fork or running out of chain
    // within a few steps marks a spur or a speck.
    bool IsShortChain(Index end) const {
        std::vector<Index> seen{end};
        std::vector<Index> frontier{end};
        for (int step = 0; step < kShortestChain; ++step) {
            std::vector<Index> next;
            for (const Index index : frontier) {
                if (step > 0 && Branches(Ring(index)) >= 3) return true;
                for (const Index offset : m_offsets) {
                    const Index neighbour = index + offset;
                    if (!Chain(neighbour) ||
                        std::find(seen.begin(), seen.end(), neighbour) != seen.end())
                        continue;
                    seen.push_back(neighbour);
                    next.push_back(neighbour);
                }
            }
            if (next.empty()) return true;
            frontier = std::move(next);
        }
        return false;
    }

    // The end moved away from its chain over the dark pixels beyond it.
    // The chain pixel a few steps back from the end.
    Index ChainBehind(Index end) const {
        std::vector<Index> walked{end};
        for (int step = 0; step < kMostEaten + 1; ++step) {
            const auto next = std::find_if(m_offsets.begin(), m_offsets.end(), [&](Index offset) {
                const Index n = walked.back() + offset;
                return Chain(n) && std::find(walked.begin(), walked.end(), n) == walked.end();
            });
            if (next == m_offsets.end()) break;
            walked.push_back(walked.back() + *next);
        }
        return walked.back();
    }

    // Of the dark pixels a few steps from the chain's end, the one farthest
    // out along the chain's direction there, nearest its line: where the
    // outline ended before thinning ate into it.
    Index CarriedOut(Index end) const {
        const QPoint endAt = PixelAt(end);
        const QPoint direction = endAt - PixelAt(ChainBehind(end));
        if (direction.isNull()) return end;
        Index tip = end;
        int bestAlong = 0;
        int bestSide = 0;
        std::vector<Index> seen{end};
        std::vector<Index> frontier{end};
        for (int step = 0; step < kMostEaten; ++step) {
            std::vector<Index> next;
            for (const Index index : frontier) {
                for (const Index offset : m_offsets) {
                    const Index n = index + offset;
                    if (!Dark(n) || std::find(seen.begin(), seen.end(), n) != seen.end()) continue;
                    seen.push_back(n);
                    next.push_back(n);
                    const QPoint d = PixelAt(n) - endAt;
                    const int along = QPoint::dotProduct(d, direction);
                    const int side = std::abs(d.x() * direction.y() - d.y() * direction.x());
                    if (along > bestAlong || (along == bestAlong && along > 0 && side < bestSide)) {
                        tip = n;
                        bestAlong = along;
                        bestSide = side;
                    }
                }
            }
            frontier = std::move(next);
        }
        return tip;
    }

    int m_width;
    int m_left;
    int m_top;
    int m_rows;
    std::vector<uint8_t> m_dark;
    std::array<Index, 8> m_offsets;
    std::vector<uint8_t> m_skeleton;
    std::vector<Index> m_pixels;
};

}  // namespace

std::vector<QPoint> OutlineChainEnds(const MonoBitmap& mask, const QRect& area) {
    const QRect whole(0, 0, mask.Width(), mask.Height());
    const QRect wanted = area & whole;
    std::vector<QPoint> ends;
    for (int top = wanted.top(); top <= wanted.bottom(); top += kBandRows) {
        const QRect core(QPoint(wanted.left(), top),
                         QPoint(wanted.right(), std::min(wanted.bottom(), top + kBandRows - 1)));
        Band band(mask,
                  core.adjusted(-kBandOverlap, -kBandOverlap, kBandOverlap, kBandOverlap) & whole);
        band.Thin();
        band.ForEachEnd(core, [&](QPoint end) { ends.push_back(end); });
    }
    std::sort(ends.begin(), ends.end(),
              [](QPoint a, QPoint b) { return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x(); });
    ends.erase(std::unique(ends.begin(), ends.end()), ends.end());
    return ends;
}

}  // namespace velora
