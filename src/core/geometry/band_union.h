// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velora {

// An integer rectangle with right and bottom exclusive. Wide coordinates so
// that the exclusive edges of any int rectangle fit.
struct Box {
    int64_t left = 0;
    int64_t top = 0;
    int64_t right = 0;
    int64_t bottom = 0;
    friend bool operator==(const Box&, const Box&) = default;
};

// The union of non-empty boxes in the canonical banded form of GDI and X11
// regions: horizontal bands, each a list of boxes of equal top and bottom
// sorted by left; boxes of a band that touch or overlap are merged; two
// bands that meet and have the same left/right spans are merged into one.
//
// A sweep over the distinct tops and bottoms keeps the covered x-intervals in
// a coverage tree, so the work is O((n + result) log n) whatever the input:
// thousands of rows of a few boxes each cost little more than sorting them.
// Returns nullopt when the result would hold more than maxBoxes boxes (the
// union of n boxes can need on the order of n^2 of them).
std::optional<std::vector<Box>> UnionToBands(std::span<const Box> boxes, size_t maxBoxes);

// Whether the boxes are already that canonical form, in that order, so that
// their union is the boxes themselves. One pass: each band is compared with
// the one before it only.
bool IsBanded(std::span<const Box> boxes);

}  // namespace velora
