// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/import/chaining.h"

#include "core/geometry/rounding.h"
#include "core/model/drawing_model.h"
#include "core/model/name_counters.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <deque>
#include <functional>
#include <limits>
#include <vector>

namespace velora {

namespace {

// The end points of one piece as ids: two ends meet exactly when their ids are
// equal. A piece without points has no ends (-1) and meets nothing.
struct PieceEnds {
    int first = -1;
    int last = -1;
    bool closed = false;
};

// Spreads a hash over all bits, so that the low bits that pick a slot depend
// on every input bit.
uint64_t Mix(uint64_t h) {
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    return h ^ (h >> 33);
}

// Gives every distinct end point an id, in an open-addressing table sized
// for the number of ends, so that the ids cost no allocation per point. Keys
// that never equal anything (a NaN coordinate) get an id of their own each
// time.
template <typename Key, typename Hash>
class PointIds {
public:
    explicit PointIds(size_t ends) : m_slots(std::bit_ceil(2 * ends + 16), -1) {
        m_keys.reserve(ends);
    }

    int IdOf(const Key& key, bool comparable) {
        const int id = static_cast<int>(m_keys.size());
        if (!comparable) {
            m_keys.push_back(key);
            return id;
        }
        const size_t mask = m_slots.size() - 1;
        for (size_t slot = Mix(Hash{}(key)) & mask;; slot = (slot + 1) & mask) {
            if (m_slots[slot] < 0) {
                m_slots[slot] = id;
                m_keys.push_back(key);
                return id;
            }
            if (m_keys[m_slots[slot]] == key) return m_slots[slot];
        }
    }
    int Count() const { return static_cast<int>(m_keys.size()); }

private:
    std::vector<int> m_slots;
    std::vector<Key> m_keys;
};

// For every end point, the pieces that end there in list order, so that the
// earliest pending piece at a point is found without scanning the list.
// Chained pieces are skipped lazily: a point's cursor only moves forward, so
// all look-ups together cost no more than the number of piece ends.
class EndPointIndex {
public:
    EndPointIndex(const std::vector<PieceEnds>& ends, int pointCount)
        : m_cursor(static_cast<size_t>(pointCount), 0) {
        ForEachEnd(ends, [&](int point, int) { ++m_cursor[point]; });
        m_begin.reserve(m_cursor.size() + 1);
        m_begin.push_back(0);
        for (int count : m_cursor) m_begin.push_back(m_begin.back() + count);
        std::copy_n(m_begin.begin(), m_cursor.size(), m_cursor.begin());
        m_pieces.resize(m_begin.back());
        ForEachEnd(ends, [&](int point, int piece) { m_pieces[m_cursor[point]++] = piece; });
        std::copy_n(m_begin.begin(), m_cursor.size(), m_cursor.begin());
    }

    // The earliest pending piece with an end at the point, or -1.
    int FirstPending(int point, const std::vector<char>& pending) {
        int& cursor = m_cursor[point];
        const int end = m_begin[point + 1];
        while (cursor < end && !pending[m_pieces[cursor]]) ++cursor;
        return cursor < end ? m_pieces[cursor] : -1;
    }

private:
    template <typename F>
    static void ForEachEnd(const std::vector<PieceEnds>& ends, F&& f) {
        for (size_t i = 0; i < ends.size(); ++i) {
            const PieceEnds& piece = ends[i];
            // A closed piece is an object of its own: no chain may take it.
            if (piece.first < 0 || piece.closed) continue;
            f(piece.first, static_cast<int>(i));
            if (piece.last != piece.first) f(piece.last, static_cast<int>(i));
        }
    }

    std::vector<int> m_begin;
    std::vector<int> m_cursor;
    std::vector<int> m_pieces;
};

struct ChainPlan {
    // Piece indices of every chain, in chain order; chains in the order made.
    std::vector<std::vector<int>> chains;
    // Pieces that join their chain reversed.
    std::vector<char> reversed;
};

// Chains the pieces as the rescanning procedure does: a chain starts with the
// first pending piece and repeatedly takes the first pending piece in list
// order that meets its start S or end E, testing for that piece "first = S",
// "last = S", "first = E", "last = E" in this order, until nothing meets it
// or S = E. Closed pieces only ever start (and end) a chain of their own. The first pending piece
// meeting S or E is the earlier of the first pending piece at S and the one at E.
ChainPlan PlanChains(const std::vector<PieceEnds>& ends, int pointCount) {
    const int count = static_cast<int>(ends.size());
    ChainPlan plan;
    plan.reversed.assign(ends.size(), 0);
    std::vector<char> pending(ends.size(), 1);
    EndPointIndex index(ends, pointCount);
    std::deque<int> chain;
    int next = 0;
    for (;;) {
        while (next < count && !pending[next]) ++next;
        if (next == count) break;
        pending[next] = 0;
        chain.assign(1, next);
        int start = ends[next].first;
        int end = ends[next].last;
        const bool canGrow = !ends[next].closed && start >= 0;
        while (canGrow) {
            const int atStart = index.FirstPending(start, pending);
            const int atEnd = index.FirstPending(end, pending);
            const int piece =
                atStart < 0 ? atEnd : (atEnd < 0 ? atStart : std::min(atStart, atEnd));
            if (piece < 0) break;
            pending[piece] = 0;
            const PieceEnds& p = ends[piece];
            if (p.first == start) {
                plan.reversed[piece] = 1;
                chain.push_front(piece);
                start = p.last;
            } else if (p.last == start) {
                chain.push_front(piece);
                start = p.first;
            } else if (p.first == end) {
                chain.push_back(piece);
                end = p.last;
            } else {
                plan.reversed[piece] = 1;
                chain.push_back(piece);
                end = p.first;
            }
            if (start == end) break;
        }
        plan.chains.emplace_back(chain.begin(), chain.end());
    }
    return plan;
}

// An object with geometry is named and added to the model; an empty one is
// dropped.
void AcceptObject(CDrawingModel& model, CDrawingObject& object) {
    if (object.GetPath().IsEmpty()) return;
    object.SetName(NameCounters::NextObjectName());
    object.RebuildRegion();
    model.AddObject(std::move(object));
}

// --- shapes: points compared exactly ----------------------------------------

// Hashing sees -0 and +0 as the same value, as equality does.
template <typename T>
size_t HashNumber(T value) {
    return std::hash<T>{}(value == 0 ? T(0) : value);
}

struct ShapePointHash {
    size_t operator()(const ShapePoint& p) const {
        size_t h = HashNumber(p.x);
        h = h * 1000003u ^ HashNumber(p.y);
        h = h * 1000003u ^ std::hash<int>{}(p.code);
        return h * 1000003u ^ HashNumber(p.value);
    }
};

bool EqualsItself(const ShapePoint& p) {
    return !std::isnan(p.x) && !std::isnan(p.y) && !std::isnan(p.value);
}

std::vector<PieceEnds> ShapeEnds(const std::vector<CShape>& shapes, int& pointCount) {
    PointIds<ShapePoint, ShapePointHash> ids(shapes.size() * 2);
    std::vector<PieceEnds> ends(shapes.size());
    for (size_t i = 0; i < shapes.size(); ++i) {
        ends[i].closed = shapes[i].IsClosed();
        const std::optional<ShapePoint> first = shapes[i].FirstPoint();
        if (!first) continue;
        const ShapePoint last = *shapes[i].LastPoint();
        ends[i].first = ids.IdOf(*first, EqualsItself(*first));
        ends[i].last = ids.IdOf(last, EqualsItself(last));
    }
    pointCount = ids.Count();
    return ends;
}

// --- import paths: points compared after rounding ---------------------------

uint64_t RoundedKey(const PointF& p) {
    return static_cast<uint64_t>(static_cast<uint32_t>(RoundTruncatedHalfUp(p.x))) << 32 |
           static_cast<uint32_t>(RoundTruncatedHalfUp(p.y));
}

std::vector<PieceEnds> ImportPathEnds(const std::vector<Path>& paths, int& pointCount) {
    PointIds<uint64_t, std::hash<uint64_t>> ids(paths.size() * 2);
    std::vector<PieceEnds> ends(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        const std::optional<PointF> first = paths[i].FirstPoint();
        if (!first) continue;
        ends[i].first = ids.IdOf(RoundedKey(*first), true);
        ends[i].last = ids.IdOf(RoundedKey(*paths[i].LastPoint()), true);
        // A piece that returns to its start (a circle, a closed polyline, a
        // hatch boundary) is an outline of its own: a line that merely
        // touches its start must not be strung onto it.
        ends[i].closed = ends[i].first == ends[i].last && paths[i].PointCount() > 2;
    }
    pointCount = ids.Count();
    return ends;
}

}  // namespace

void ChainShapes(CDrawingModel& model) {
    std::vector<CShape>& shapes = model.Shapes();
    int pointCount = 0;
    const std::vector<PieceEnds> ends = ShapeEnds(shapes, pointCount);
    const ChainPlan plan = PlanChains(ends, pointCount);
    for (size_t i = 0; i < shapes.size(); ++i) {
        if (plan.reversed[i]) shapes[i].Reverse();
    }
    for (const std::vector<int>& chain : plan.chains) {
        CDrawingObject object;
        for (int piece : chain) shapes[piece].AddToPath(object.GetPath());
        AcceptObject(model, object);
    }
}

void ChainImportPaths(CDrawingModel& model) {
    std::vector<Path>& paths = model.ImportPaths();
    int pointCount = 0;
    const std::vector<PieceEnds> ends = ImportPathEnds(paths, pointCount);
    const ChainPlan plan = PlanChains(ends, pointCount);
    for (size_t i = 0; i < paths.size(); ++i) {
        if (plan.reversed[i]) paths[i].Reverse();
    }
    // The pieces move into their objects: a drawing of millions of points
    // is held once, not once more for every step.
    for (const std::vector<int>& chain : plan.chains) {
        CDrawingObject object;
        for (int piece : chain) object.GetPath().AddPath(std::move(paths[piece]), true);
        AcceptObject(model, object);
    }
}

}  // namespace velora
