// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace velora {

// Items grouped by a key from 0 to keys - 1, keeping their order within a
// group, and where each group begins (keys + 1 offsets, the last one the
// number of items). A counting sort: linear in the items and the keys.
template <typename Item>
struct Grouped {
    std::vector<Item> items;
    std::vector<size_t> begin;
};

template <typename Item, typename KeyOf>
Grouped<Item> GroupByKey(std::span<const Item> items, size_t keys, KeyOf keyOf) {
    Grouped<Item> grouped{std::vector<Item>(items.size()), std::vector<size_t>(keys + 1, 0)};
    for (const Item& item : items) ++grouped.begin[keyOf(item) + 1];
    for (size_t key = 1; key <= keys; ++key) grouped.begin[key] += grouped.begin[key - 1];
    std::vector<size_t> next(grouped.begin.begin(), grouped.begin.end() - 1);
    for (const Item& item : items) grouped.items[next[keyOf(item)]++] = item;
    return grouped;
}

}  // namespace velora
