// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

namespace velora {

// A read-only look at a list of owned objects: the list and its objects are
// both const through it, so only their owner's operations change them.
template <typename T>
class ConstPtrList {
public:
    using Items = std::vector<std::unique_ptr<T>>;

    class Iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = const T*;
        using difference_type = std::ptrdiff_t;
        using pointer = const T* const*;
        using reference = const T*;

        Iterator() = default;
        explicit Iterator(typename Items::const_iterator at) : m_at(at) {}
        const T* operator*() const { return m_at->get(); }
        const T* operator[](difference_type n) const { return m_at[n].get(); }
        Iterator& operator++() { return ++m_at, *this; }
        Iterator operator++(int) { return Iterator(m_at++); }
        Iterator& operator--() { return --m_at, *this; }
        Iterator operator--(int) { return Iterator(m_at--); }
        Iterator& operator+=(difference_type n) { return m_at += n, *this; }
        Iterator& operator-=(difference_type n) { return m_at -= n, *this; }
        friend Iterator operator+(Iterator it, difference_type n) { return it += n; }
        friend Iterator operator+(difference_type n, Iterator it) { return it += n; }
        friend Iterator operator-(Iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const Iterator& a, const Iterator& b) {
            return a.m_at - b.m_at;
        }
        friend auto operator<=>(const Iterator&, const Iterator&) = default;

    private:
        typename Items::const_iterator m_at;
    };

    // Implicit, so the owner can hand its own list on as it is.
    ConstPtrList(const Items& items) : m_items(&items) {}

    size_t size() const { return m_items->size(); }
    bool empty() const { return m_items->empty(); }
    const T* operator[](size_t index) const { return (*m_items)[index].get(); }
    const T* front() const { return m_items->front().get(); }
    const T* back() const { return m_items->back().get(); }
    Iterator begin() const { return Iterator(m_items->begin()); }
    Iterator end() const { return Iterator(m_items->end()); }

private:
    const Items* m_items;
};

}  // namespace velora
