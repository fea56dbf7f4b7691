// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/dxf_spline.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

namespace velora {

namespace {

// A control point in homogeneous form: the weighted position and its
// weight, so that rational and polynomial splines share one algorithm.
struct Homogeneous {
    double x = 0, y = 0, w = 1;
};

Homogeneous Lerp(const Homogeneous& a, const Homogeneous& b, double t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.w + (b.w - a.w) * t};
}

QPointF Project(const Homogeneous& h) { return {h.x / h.w, h.y / h.w}; }

PointF ToPointF(QPointF p) { return {static_cast<float>(p.x()), static_cast<float>(p.y())}; }

bool IsFinite(QPointF p) { return std::isfinite(p.x()) && std::isfinite(p.y()); }

// --- knots ------------------------------------------------------------------------------------

// Evenly spaced knots over [0, 1], with degree + 1 equal knots at each end.
std::vector<double> ClampedUniformKnots(size_t pointCount, int degree) {
    const size_t count = pointCount + static_cast<size_t>(degree) + 1;
    const size_t spans = pointCount - static_cast<size_t>(degree);
    std::vector<double> knots(count);
    for (size_t i = 0; i < count; ++i) {
        const size_t step = std::clamp<size_t>(i, degree, pointCount) - degree;
        knots[i] = static_cast<double>(step) / static_cast<double>(spans);
    }
    return knots;
}

// Stored knots fit when there are as many as the control points and the
// degree need, they never decrease, the domain is not empty, and no inner
// knot repeats more often than the degree (which would tear the curve).
bool KnotsFit(const std::vector<double>& knots, size_t pointCount, int degree) {
    const size_t p = static_cast<size_t>(degree);
    if (knots.size() != pointCount + p + 1) return false;
    if (!std::all_of(knots.begin(), knots.end(), [](double k) { return std::isfinite(k); }))
        return false;
    if (!std::is_sorted(knots.begin(), knots.end())) return false;
    const double start = knots[p];
    const double end = knots[pointCount];
    if (!(start < end)) return false;
    for (size_t i = 0; i < knots.size();) {
        size_t run = 1;
        while (i + run < knots.size() && knots[i + run] == knots[i]) ++run;
        if (knots[i] > start && knots[i] < end && run > p) return false;
        i += run;
    }
    return true;
}

size_t Multiplicity(const std::vector<double>& knots, double value) {
    return static_cast<size_t>(std::count(knots.begin(), knots.end(), value));
}

// Boehm's insertion of knot t into span k (knots[k] <= t <= knots[k + 1],
// knots[k] < knots[k + 1]): the curve stays the same.
void InsertKnot(std::vector<double>& knots, std::vector<Homogeneous>& points, int degree, size_t k,
                double t) {
    const size_t p = static_cast<size_t>(degree);
    std::vector<Homogeneous> inserted(points.size() + 1);
    for (size_t i = 0; i < inserted.size(); ++i) {
        if (i + p <= k) {
            inserted[i] = points[i];
        } else if (i > k) {
            inserted[i] = points[i - 1];
        } else {
            const double span = knots[i + p] - knots[i];
            const double alpha = span > 0 ? (t - knots[i]) / span : 0;
            inserted[i] = Lerp(points[i - 1], points[i], alpha);
        }
    }
    points = std::move(inserted);
    knots.insert(knots.begin() + static_cast<std::ptrdiff_t>(k) + 1, t);
}

// Rewrites the spline so that its knot vector starts and ends with exactly
// degree + 1 equal knots at the ends of its domain, dropping the control
// points that only act outside it. A stored spline may be "unclamped": its
// curve then starts and ends inside its control polygon.
void ClampToDomain(std::vector<double>& knots, std::vector<Homogeneous>& points, int degree) {
    const size_t p = static_cast<size_t>(degree);
    const double start = knots[p];
    while (Multiplicity(knots, start) < p) {
        const size_t k = static_cast<size_t>(std::upper_bound(knots.begin(), knots.end(), start) -
                                             knots.begin()) -
                         1;
        InsertKnot(knots, points, degree, k, start);
    }
    const size_t lastStart = static_cast<size_t>(
        std::upper_bound(knots.begin(), knots.end(), start) - knots.begin() - 1);
    const size_t drop = lastStart - p;
    knots.erase(knots.begin(), knots.begin() + static_cast<std::ptrdiff_t>(drop));
    points.erase(points.begin(), points.begin() + static_cast<std::ptrdiff_t>(drop));
    std::fill(knots.begin(), knots.begin() + static_cast<std::ptrdiff_t>(p) + 1, start);

    const double end = knots[points.size()];
    while (Multiplicity(knots, end) < p) {
        const size_t first =
            static_cast<size_t>(std::lower_bound(knots.begin(), knots.end(), end) - knots.begin());
        InsertKnot(knots, points, degree, first - 1, end);
    }
    const size_t firstEnd =
        static_cast<size_t>(std::lower_bound(knots.begin(), knots.end(), end) - knots.begin());
    points.resize(firstEnd);
    knots.resize(firstEnd + p + 1);
    std::fill(knots.begin() + static_cast<std::ptrdiff_t>(firstEnd), knots.end(), end);
}

// Splits a clamped spline into its Bezier segments (the decomposition of
// Piegl and Tiller: every inner knot is inserted until it repeats degree
// times), handing each segment's degree + 1 control points on in order.
template <typename Handle>
void ForEachBezierSegment(const std::vector<double>& knots, const std::vector<Homogeneous>& points,
                          int degree, Handle handle) {
    const int p = degree;
    const int m = static_cast<int>(knots.size()) - 1;
    std::vector<Homogeneous> segment(points.begin(), points.begin() + p + 1);
    std::vector<Homogeneous> next(static_cast<size_t>(p) + 1);
    std::vector<double> alphas(static_cast<size_t>(p));
    int a = p;
    int b = p + 1;
    while (b < m) {
        const int i = b;
        while (b < m && knots[b + 1] == knots[b]) ++b;
        const int mult = b - i + 1;
        if (mult < p) {
            const double numer = knots[b] - knots[a];
            for (int j = p; j > mult; --j) alphas[j - mult - 1] = numer / (knots[a + j] - knots[a]);
            const int r = p - mult;
            for (int j = 1; j <= r; ++j) {
                const int s = mult + j;
                for (int k = p; k >= s; --k)
                    segment[k] = Lerp(segment[k - 1], segment[k], alphas[k - s]);
                if (b < m) next[r - j] = segment[p];
            }
        }
        handle(std::span<const Homogeneous>(segment));
        if (b < m) {
            for (int k = p - mult; k <= p; ++k) next[k] = points[b - p + k];
            segment = next;
            a = b;
            ++b;
        }
    }
}

// --- Bezier segments to cubics ------------------------------------------------------------------

// Point and first derivative of a rational Bezier segment at t.
struct CurvePoint {
    QPointF position;
    QPointF derivative;
};

CurvePoint Evaluate(std::span<const Homogeneous> controls, double t) {
    std::array<Homogeneous, kMaxDxfSplineDegree + 1> work{};
    std::copy(controls.begin(), controls.end(), work.begin());
    const size_t degree = controls.size() - 1;
    for (size_t level = degree; level > 1; --level) {
        for (size_t i = 0; i < level; ++i) work[i] = Lerp(work[i], work[i + 1], t);
    }
    const Homogeneous point = Lerp(work[0], work[1], t);
    const double d = static_cast<double>(degree);
    const Homogeneous slope{d * (work[1].x - work[0].x), d * (work[1].y - work[0].y),
                            d * (work[1].w - work[0].w)};
    const QPointF position = Project(point);
    const QPointF derivative((slope.x - position.x() * slope.w) / point.w,
                             (slope.y - position.y() * slope.w) / point.w);
    return {position, derivative};
}

QPointF CubicAt(const std::array<QPointF, 4>& c, double t) {
    const double s = 1 - t;
    return s * s * s * c[0] + 3 * s * s * t * c[1] + 3 * s * t * t * c[2] + t * t * t * c[3];
}

class CubicSink {
public:
    explicit CubicSink(std::vector<PointF>& points) : m_points(points) {}
    void Start(QPointF p) {
        if (m_points.empty()) m_points.push_back(ToPointF(p));
    }
    void Add(QPointF c1, QPointF c2, QPointF end) {
        m_points.push_back(ToPointF(c1));
        m_points.push_back(ToPointF(c2));
        m_points.push_back(ToPointF(end));
    }

private:
    std::vector<PointF>& m_points;
};

// Cubics that come within the tolerance of a segment no cubic can hold: each
// takes the ends and end tangents of a piece of the segment, and a piece
// whose cubic strays further is halved.
void ApproximateSegment(std::span<const Homogeneous> controls, double t0, double t1,
                        double tolerance, int depth, CubicSink& sink) {
    constexpr int kMaxDepth = 16;
    constexpr int kSamples = 8;
    const CurvePoint from = Evaluate(controls, t0);
    const CurvePoint to = Evaluate(controls, t1);
    const double third = (t1 - t0) / 3;
    const std::array<QPointF, 4> cubic{from.position, from.position + third * from.derivative,
                                       to.position - third * to.derivative, to.position};
    double error = 0;
    for (int j = 1; j < kSamples && error <= tolerance; ++j) {
        const double u = static_cast<double>(j) / kSamples;
        const QPointF d = CubicAt(cubic, u) - Evaluate(controls, t0 + (t1 - t0) * u).position;
        error = std::max(error, std::hypot(d.x(), d.y()));
    }
    if (error <= tolerance || depth == kMaxDepth) {
        sink.Add(cubic[1], cubic[2], cubic[3]);
        return;
    }
    const double middle = (t0 + t1) / 2;
    ApproximateSegment(controls, t0, middle, tolerance, depth + 1, sink);
    ApproximateSegment(controls, middle, t1, tolerance, depth + 1, sink);
}

bool IsPolynomial(std::span<const Homogeneous> controls) {
    const double w = controls.front().w;
    return std::all_of(controls.begin(), controls.end(),
                       [w](const Homogeneous& h) { return std::fabs(h.w - w) <= 1e-12 * w; });
}

void AddSegment(std::span<const Homogeneous> controls, double tolerance, CubicSink& sink) {
    sink.Start(Project(controls.front()));
    if (!IsPolynomial(controls) || controls.size() > 4) {
        ApproximateSegment(controls, 0, 1, tolerance, 0, sink);
        return;
    }
    std::array<QPointF, 4> p{};
    for (size_t i = 0; i < controls.size(); ++i) p[i] = Project(controls[i]);
    switch (controls.size()) {
        case 2:  // a line, as a cubic with its controls on it
            sink.Add(p[0] + (p[1] - p[0]) / 3, p[0] + 2 * (p[1] - p[0]) / 3, p[1]);
            break;
        case 3:  // a quadratic raised to a cubic
            sink.Add(p[0] + 2 * (p[1] - p[0]) / 3, p[2] + 2 * (p[1] - p[2]) / 3, p[2]);
            break;
        default:
            sink.Add(p[1], p[2], p[3]);
            break;
    }
}

double Extent(const std::vector<QPointF>& points) {
    auto [minX, maxX] = std::minmax_element(points.begin(), points.end(),
                                            [](QPointF a, QPointF b) { return a.x() < b.x(); });
    auto [minY, maxY] = std::minmax_element(points.begin(), points.end(),
                                            [](QPointF a, QPointF b) { return a.y() < b.y(); });
    return std::max(maxX->x() - minX->x(), maxY->y() - minY->y());
}

bool AppendControlPointSpline(std::vector<PointF>& out, const DxfSpline& spline) {
    const std::vector<QPointF>& controls = spline.controlPoints;
    const int degree = spline.degree;
    if (degree < 1 || degree > kMaxDxfSplineDegree || controls.size() <= size_t(degree)) {
        // Not a spline that can be evaluated: its control polygon.
        CubicSink sink(out);
        sink.Start(controls.front());
        for (size_t i = 1; i < controls.size(); ++i) {
            const QPointF a = controls[i - 1], b = controls[i];
            sink.Add(a + (b - a) / 3, a + 2 * (b - a) / 3, b);
        }
        return true;
    }
    const bool rational = spline.weights.size() == controls.size() &&
                          std::all_of(spline.weights.begin(), spline.weights.end(),
                                      [](double w) { return std::isfinite(w) && w > 0; });
    std::vector<Homogeneous> points(controls.size());
    for (size_t i = 0; i < controls.size(); ++i) {
        const double w = rational ? spline.weights[i] : 1.0;
        points[i] = {controls[i].x() * w, controls[i].y() * w, w};
    }
    std::vector<double> knots = spline.knots;
    if (!KnotsFit(knots, controls.size(), degree)) {
        knots = ClampedUniformKnots(controls.size(), degree);
    }
    ClampToDomain(knots, points, degree);
    const double tolerance = std::max(Extent(controls) * 1e-6, 1e-9);
    CubicSink sink(out);
    ForEachBezierSegment(knots, points, degree, [&](std::span<const Homogeneous> segment) {
        AddSegment(segment, tolerance, sink);
    });
    return true;
}

// --- fit points ----------------------------------------------------------------------------------

// The cubic spline through the points with continuous curvature,
// parametrised by chord length; its end tangents are the stored ones where
// given, otherwise the ends are free of curvature.
bool AppendFitPointSpline(std::vector<PointF>& out, const DxfSpline& spline) {
    std::vector<QPointF> q;
    for (QPointF p : spline.fitPoints) {
        if (q.empty() || q.back() != p) q.push_back(p);
    }
    if (spline.closed && q.size() > 2 && q.front() != q.back()) q.push_back(q.front());
    if (q.size() < 2) return false;
    const size_t n = q.size() - 1;
    std::vector<double> h(n);
    for (size_t i = 0; i < n; ++i)
        h[i] = std::hypot(q[i + 1].x() - q[i].x(), q[i + 1].y() - q[i].y());
    const auto chordSlope = [&](size_t i) { return (q[i + 1] - q[i]) / h[i]; };
    const auto unit = [](std::optional<QPointF> t) -> std::optional<QPointF> {
        if (!t) return std::nullopt;
        const double length = std::hypot(t->x(), t->y());
        if (!(length > 0) || !std::isfinite(length)) return std::nullopt;
        return *t / length;
    };
    const std::optional<QPointF> startTangent = unit(spline.startTangent);
    const std::optional<QPointF> endTangent = unit(spline.endTangent);

    // The tridiagonal system for the derivatives at the points (Thomas).
    std::vector<double> below(n + 1), diagonal(n + 1), above(n + 1);
    std::vector<QPointF> right(n + 1);
    if (startTangent) {
        diagonal[0] = 1;
        right[0] = *startTangent;
    } else {
        diagonal[0] = 2;
        above[0] = 1;
        right[0] = 3 * chordSlope(0);
    }
    for (size_t i = 1; i < n; ++i) {
        below[i] = h[i];
        diagonal[i] = 2 * (h[i - 1] + h[i]);
        above[i] = h[i - 1];
        right[i] = 3 * (h[i] * chordSlope(i - 1) + h[i - 1] * chordSlope(i));
    }
    if (endTangent) {
        diagonal[n] = 1;
        right[n] = *endTangent;
    } else {
        below[n] = 1;
        diagonal[n] = 2;
        right[n] = 3 * chordSlope(n - 1);
    }
    for (size_t i = 1; i <= n; ++i) {
        const double factor = below[i] / diagonal[i - 1];
        diagonal[i] -= factor * above[i - 1];
        right[i] -= factor * right[i - 1];
    }
    std::vector<QPointF> slope(n + 1);
    slope[n] = right[n] / diagonal[n];
    for (size_t i = n; i-- > 0;) slope[i] = (right[i] - above[i] * slope[i + 1]) / diagonal[i];

    CubicSink sink(out);
    sink.Start(q[0]);
    for (size_t i = 0; i < n; ++i) {
        if (spline.degree == 1) {
            sink.Add(q[i] + (q[i + 1] - q[i]) / 3, q[i] + 2 * (q[i + 1] - q[i]) / 3, q[i + 1]);
        } else {
            sink.Add(q[i] + h[i] / 3 * slope[i], q[i + 1] - h[i] / 3 * slope[i + 1], q[i + 1]);
        }
    }
    return true;
}

}  // namespace

void DxfSpline::Clear() {
    degree = 3;
    knots.clear();
    controlPoints.clear();
    weights.clear();
    fitPoints.clear();
    startTangent.reset();
    endTangent.reset();
    closed = false;
}

bool AppendDxfSpline(Path& path, const DxfSpline& spline) {
    const auto allFinite = [](const std::vector<QPointF>& points) {
        return std::all_of(points.begin(), points.end(), IsFinite);
    };
    if (!allFinite(spline.controlPoints) || !allFinite(spline.fitPoints)) return false;
    std::vector<PointF> beziers;
    const bool made = spline.controlPoints.size() >= 2 ? AppendControlPointSpline(beziers, spline)
                                                       : AppendFitPointSpline(beziers, spline);
    if (!made || beziers.size() < 4) return false;
    if (!std::all_of(beziers.begin(), beziers.end(),
                     [](PointF p) { return std::isfinite(p.x) && std::isfinite(p.y); })) {
        return false;
    }
    path.StartFigure();
    return path.AddBeziers(beziers);
}

}  // namespace velora
