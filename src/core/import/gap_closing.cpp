// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/gap_closing.h"

#include "core/common/parallel.h"
#include "core/geometry/pixel_lines.h"
#include "core/import/curve_outlines.h"
#include "core/import/mask_outlines.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <thread>

namespace velora {

namespace {

using namespace gaps;

// An open end whose join costs at most this much more than the one to the
// nearest outline point is preferred to it.
constexpr double kEndPreference = 1.0;
// Searches of several ends share the cores from this many ends on.
constexpr size_t kParallelEnds = 256;

struct Choice {
    int end;
    Target target;
};

// The target each wanted end would be joined to, searched on both cores
// when there are many ends.
template <typename Outlines>
std::vector<Choice> ChooseTargets(const Outlines& outlines) {
    const std::vector<OpenEnd>& ends = outlines.Ends();
    std::vector<std::optional<Target>> chosen(ends.size());
    const auto search = [&](int part, int parts) {
        SeenItems seen(outlines.ItemCount());
        for (size_t e = part; e < ends.size(); e += parts) {
            if (!ends[e].wanted) continue;
            const EndTargets targets = outlines.TargetsOf(static_cast<int>(e), seen);
            const bool preferEnd =
                targets.end &&
                (!targets.point || targets.end->cost <= targets.point->cost + kEndPreference);
            chosen[e] = preferEnd ? targets.end : targets.point;
        }
    };
    const int parts = ends.size() >= kParallelEnds
                          ? static_cast<int>(std::max(1u, std::thread::hardware_concurrency()))
                          : 1;
    RunInParallel(parts, [&](int part) { search(part, parts); });
    std::vector<Choice> choices;
    for (size_t e = 0; e < ends.size(); ++e) {
        if (chosen[e]) choices.push_back({static_cast<int>(e), *chosen[e]});
    }
    return choices;
}

// Joins taken so far, by the cell of their ends. Two joins can only cross
// when their ends lie at most two reaches apart, so with cells that wide a
// join is checked against those of its own and the eight cells around.
class TakenJoins {
public:
    TakenJoins(QSize area, double reach)
        : m_layout(area, 2 * reach), m_last(m_layout.CellCount(), -1) {}

    const std::vector<GapJoin>& Joins() const { return m_joins; }

    bool CrossesOne(const GapJoin& join) const {
        bool crosses = false;
        m_layout.ForEach(m_layout.CellsAround(join.from, m_layout.CellSize()), [&](size_t cell) {
            for (int taken = m_last[cell]; taken >= 0 && !crosses; taken = m_before[taken])
                crosses = JoinsCross(join, m_joins[taken]);
        });
        return crosses;
    }

    void Take(const GapJoin& join) {
        m_layout.ForEach(m_layout.CellsOf(join.from, join.from), [&](size_t cell) {
            m_before.push_back(m_last[cell]);
            m_last[cell] = static_cast<int>(m_joins.size());
        });
        m_joins.push_back(join);
    }

private:
    CellLayout m_layout;
    std::vector<int> m_last;
    std::vector<int> m_before;
    std::vector<GapJoin> m_joins;
};

// Takes the joins from the cheapest on. An end already joined to by another
// end needs no join of its own; a join that would cross one taken before is
// left out.
std::vector<GapJoin> TakeJoins(std::vector<Choice> choices, const std::vector<OpenEnd>& ends,
                               const MonoBitmap& mask, double reach) {
    std::stable_sort(choices.begin(), choices.end(), [](const Choice& a, const Choice& b) {
        return a.target.cost < b.target.cost;
    });
    std::vector<bool> sealed(ends.size(), false);
    TakenJoins taken(QSize(mask.Width(), mask.Height()), reach);
    for (const Choice& choice : choices) {
        if (sealed[choice.end]) continue;
        const GapJoin join{ends[choice.end].at, choice.target.at, ends[choice.end].pixel,
                           choice.target.pixel};
        if (taken.CrossesOne(join)) continue;
        sealed[choice.end] = true;
        if (choice.target.end >= 0) sealed[choice.target.end] = true;
        if (DarkensLight(mask, join)) taken.Take(join);
    }
    return taken.Joins();
}

template <typename Outlines>
std::vector<GapJoin> JoinsOf(const Outlines& outlines, const MonoBitmap& mask, double reach) {
    return TakeJoins(ChooseTargets(outlines), outlines.Ends(), mask, reach);
}

}  // namespace

std::vector<QPoint> JoinPixels(const GapJoin& join) {
    return EightConnectedLine(join.fromPixel, join.toPixel);
}

bool DarkensLight(const MonoBitmap& mask, const GapJoin& join) {
    const std::vector<QPoint> pixels = JoinPixels(join);
    return std::any_of(pixels.begin(), pixels.end(), [&](QPoint p) {
        return p.x() >= 0 && p.y() >= 0 && p.x() < mask.Width() && p.y() < mask.Height() &&
               mask.Pixel(p.x(), p.y());
    });
}

QRect DrawJoins(MonoBitmap& mask, std::span<const GapJoin> joins) {
    QRect changed;
    for (const GapJoin& join : joins) {
        for (const QPoint& p : JoinPixels(join)) {
            if (p.x() < 0 || p.y() < 0 || p.x() >= mask.Width() || p.y() >= mask.Height() ||
                !mask.Pixel(p.x(), p.y())) {
                continue;
            }
            mask.SetPixel(p.x(), p.y(), false);
            changed |= QRect(p, QSize(1, 1));
        }
    }
    return changed;
}

std::vector<GapJoin> FindGapJoins(const MonoBitmap& mask, ConstPtrList<CCurve> curves, int distance,
                                  const std::optional<QRect>& within) {
    if (mask.IsNull() || distance < 1) return {};
    const double reach = std::min(distance, kMaxGapDistance) + 1.0;
    const QRect whole(0, 0, mask.Width(), mask.Height());
    const QRect area = within ? *within & whole : whole;
    if (area.isEmpty()) return {};
    if (curves.empty()) return JoinsOf(MaskOutlines(mask, reach, area), mask, reach);
    return JoinsOf(CurveOutlines(curves, mask, reach, area), mask, reach);
}

}  // namespace velora
