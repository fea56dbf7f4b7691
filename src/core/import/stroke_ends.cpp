// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/stroke_ends.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace velora {

namespace {

// How far along the outline to either side of a corner its sides are
// looked at: from tips of thin strokes to those of the widest.
constexpr std::array<double, 7> kScales{2, 3, 4.5, 6.75, 10.1, 15.2, 22.8};
// Sides of a stroke stay side by side: twice as far on, no more than this
// much wider or narrower, and half a pixel for the rounding of traced
// outlines.
constexpr double kParallel = 1.15;
constexpr double kRounding = 0.5;

double Distance(QPointF v) { return std::sqrt(v.x() * v.x() + v.y() * v.y()); }

// The closed outline by the distance travelled along it.
class Loop {
public:
    explicit Loop(std::span<const QPointF> corners) : m_corners(corners) {
        double travelled = 0;
        for (size_t i = 0; i < corners.size(); ++i) {
            m_at.push_back(travelled);
            travelled += Distance(corners[(i + 1) % corners.size()] - corners[i]);
        }
        m_length = travelled;
    }

    double Length() const { return m_length; }
    double At(size_t corner) const { return m_at[corner]; }
    // How far the outline travels from one corner to another, forward or
    // back.
    double Apart(size_t from, size_t to, bool forward) const {
        const double travelled = forward ? m_at[to] - m_at[from] : m_at[from] - m_at[to];
        return travelled < 0 ? travelled + m_length : travelled;
    }

    QPointF PointAt(double travelled) const {
        travelled = std::fmod(travelled, m_length);
        if (travelled < 0) travelled += m_length;
        const size_t i = static_cast<size_t>(std::upper_bound(m_at.begin(), m_at.end(), travelled) -
                                             m_at.begin() - 1);
        const QPointF from = m_corners[i];
        const QPointF to = m_corners[(i + 1) % m_corners.size()];
        const double next = i + 1 < m_at.size() ? m_at[i + 1] : m_length;
        const double part = next > m_at[i] ? (travelled - m_at[i]) / (next - m_at[i]) : 0;
        return from + (to - from) * part;
    }

private:
    std::span<const QPointF> m_corners;
    std::vector<double> m_at;
    double m_length = 0;
};

// How a corner looks as a tip at the smallest scale where it is one: how
// far it sticks out beyond the middle of its sides there.
struct Tip {
    double scale = 0;
    double reach = 0;
};

std::optional<Tip> TipAt(const Loop& loop, size_t corner, QPointF at) {
    const double s = loop.At(corner);
    for (const double scale : kScales) {
        // Twice the scale either way stays within half the outline, so that
        // a small loop seen whole does not pass for a stroke's sides.
        if (8 * scale > loop.Length()) break;
        const QPointF left = loop.PointAt(s - scale);
        const QPointF right = loop.PointAt(s + scale);
        const double width = Distance(left - right);
        if (width > scale || width > kWidestStroke) continue;
        const double further = Distance(loop.PointAt(s - 2 * scale) - loop.PointAt(s + 2 * scale));
        if (further > kParallel * width + kRounding || further < width / kParallel - kRounding)
            continue;
        const double reach = Distance(at - (left + right) / 2);
        if (reach < width / 2) continue;
        return Tip{scale, reach};
    }
    return std::nullopt;
}

}  // namespace

std::vector<StrokeEnd> StrokeEnds(std::span<const QPointF> corners) {
    const size_t n = corners.size();
    if (n < 3) return {};
    const Loop loop(corners);
    if (!(loop.Length() > 0) || !std::isfinite(loop.Length())) return {};
    std::vector<std::optional<Tip>> tips(n);
    for (size_t i = 0; i < n; ++i) tips[i] = TipAt(loop, i, corners[i]);
    // A tip is the corner that sticks out most of a run of corners that look
    // like one.
    std::vector<StrokeEnd> ends;
    for (size_t i = 0; i < n; ++i) {
        if (!tips[i]) continue;
        const double scale = tips[i]->scale;
        const auto reachAt = [&](size_t k) {
            const double s = loop.At(k);
            return Distance(corners[k] - (loop.PointAt(s - scale) + loop.PointAt(s + scale)) / 2);
        };
        const double reach = reachAt(i);
        const auto beats = [&](size_t j) {
            return tips[j] && (reachAt(j) > reach || (reachAt(j) == reach && j < i));
        };
        bool highest = true;
        for (const bool forward : {true, false}) {
            for (size_t k = 1; k < n && highest; ++k) {
                const size_t j = forward ? (i + k) % n : (i + n - k) % n;
                if (loop.Apart(i, j, forward) > scale) break;
                highest = !beats(j);
            }
        }
        if (!highest) continue;
        const double s = loop.At(i);
        const QPointF middle = (loop.PointAt(s - 2 * scale) + loop.PointAt(s + 2 * scale)) / 2;
        const QPointF out = corners[i] - middle;
        const double length = Distance(out);
        if (length > 0) ends.push_back({i, out / length});
    }
    return ends;
}

}  // namespace velora
