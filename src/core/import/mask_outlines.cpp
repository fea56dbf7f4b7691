// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/mask_outlines.h"

#include "core/geometry/outline_chains.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velora::gaps {

namespace {
QPointF Centre(QPoint p) { return {p.x() + 0.5, p.y() + 0.5}; }
int64_t Key(QPoint p) { return (int64_t{p.y()} << 32) | static_cast<uint32_t>(p.x()); }
}  // namespace

MaskOutlines::MaskOutlines(const MonoBitmap& mask, double reach, const QRect& within)
    : m_mask(mask),
      m_radius(static_cast<int>(std::floor(reach))),
      m_walk(static_cast<int>(std::ceil(kDetourFactor * reach * std::numbers::sqrt2)) + 1) {
    const int margin = m_radius + 1;
    for (const QPoint& pixel :
         OutlineChainEnds(mask, within.adjusted(-margin, -margin, margin, margin))) {
        m_ends.push_back({Centre(pixel), pixel, within.contains(pixel)});
        m_endAt.emplace(Key(pixel), static_cast<int>(m_ends.size()) - 1);
    }
}

EndTargets MaskOutlines::TargetsOf(int end, SeenItems&) const {
    const QPoint from = PixelOf(m_ends[end].at);
    const std::vector<int> walked = StepsAround(from);
    const int side = 2 * m_walk + 1;
    const QPointF heading = Heading(walked);
    std::vector<Target> points;
    std::vector<Target> ends;
    for (int dy = -m_radius; dy <= m_radius; ++dy) {
        for (int dx = -m_radius; dx <= m_radius; ++dx) {
            const QPoint p = from + QPoint(dx, dy);
            const double distance = std::hypot(dx, dy);
            if (distance == 0 || !IsDark(p)) continue;
            const int steps = walked[static_cast<size_t>((dy + m_walk) * side + dx + m_walk)];
            if (steps >= 0 && steps < kDetourFactor * distance) continue;
            const double cost = JoinCost(Centre(from), heading, Centre(p));
            points.push_back({Centre(p), p, cost});
            if (const auto found = m_endAt.find(Key(p)); found != m_endAt.end())
                ends.push_back({Centre(p), p, cost, found->second});
        }
    }
    const auto crossesAny = [&](const GapJoin& join) {
        return CrossesOutline({join.from, join.to, PixelOf(join.from), PixelOf(join.to)});
    };
    return {FirstClear(points, m_ends[end].at, crossesAny),
            FirstClear(ends, m_ends[end].at, crossesAny)};
}

bool MaskOutlines::IsDark(QPoint p) const {
    return p.x() >= 0 && p.y() >= 0 && p.x() < m_mask.Width() && p.y() < m_mask.Height() &&
           !m_mask.Pixel(p.x(), p.y());
}

// Steps over 8-connected dark pixels from the end to every pixel within the
// walk's reach, -1 where the outline does not get in that many steps.
std::vector<int> MaskOutlines::StepsAround(QPoint from) const {
    const int side = 2 * m_walk + 1;
    std::vector<int> steps(static_cast<size_t>(side) * side, -1);
    const auto slot = [&](QPoint p) {
        return static_cast<size_t>((p.y() - from.y() + m_walk) * side + p.x() - from.x() + m_walk);
    };
    std::vector<QPoint> frontier{from};
    steps[slot(from)] = 0;
    for (int step = 1; step <= m_walk && !frontier.empty(); ++step) {
        std::vector<QPoint> next;
        for (const QPoint p : frontier) {
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const QPoint n = p + QPoint(dx, dy);
                    if (std::abs(n.x() - from.x()) > m_walk ||
                        std::abs(n.y() - from.y()) > m_walk || !IsDark(n) || steps[slot(n)] >= 0) {
                        continue;
                    }
                    steps[slot(n)] = step;
                    next.push_back(n);
                }
            }
        }
        frontier = std::move(next);
    }
    return steps;
}

// Where the outline heads at its end: away from the middle of its pixels a
// few steps back.
QPointF MaskOutlines::Heading(const std::vector<int>& walked) const {
    const int side = 2 * m_walk + 1;
    QPointF sum;
    int count = 0;
    for (size_t i = 0; i < walked.size(); ++i) {
        if (walked[i] < 3 || walked[i] > 5) continue;
        sum += QPointF(static_cast<int>(i) % side - m_walk, static_cast<int>(i) / side - m_walk);
        ++count;
    }
    return count ? Unit(-sum / count) : QPointF();
}

// The line must pass through light pixels only, but where it leaves its
// end's outline and arrives on the other one.
bool MaskOutlines::CrossesOutline(const GapJoin& join) const {
    const std::vector<QPoint> pixels = JoinPixels(join);
    const QPoint from = pixels.front();
    const QPoint to = pixels.back();
    const auto near = [](QPoint a, QPoint b) {
        return std::max(std::abs(a.x() - b.x()), std::abs(a.y() - b.y())) <= 1;
    };
    return std::any_of(pixels.begin(), pixels.end(),
                       [&](QPoint p) { return !near(p, from) && !near(p, to) && IsDark(p); });
}

}  // namespace velora::gaps
