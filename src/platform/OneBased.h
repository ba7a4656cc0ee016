#pragma once

#include <array>
#include <cassert>
#include <cstddef>

/// A fixed-size array indexed from 1 to N, as the program-wide arrays of the
/// project are (box 1 is `box[1]`). Keeps the formulas free of `- 1`.
template <typename T, std::size_t N> class OneBased
{
public:
    OneBased() : m_items{} {}
    explicit OneBased(const T& fill) { m_items.fill(fill); }

    T& operator[](std::size_t i)
    {
        assert(i >= 1 && i <= N);
        return m_items[i - 1];
    }
    const T& operator[](std::size_t i) const
    {
        assert(i >= 1 && i <= N);
        return m_items[i - 1];
    }

    void fill(const T& v) { m_items.fill(v); }
    static constexpr std::size_t size() { return N; }

    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

    bool operator==(const OneBased&) const = default;

private:
    std::array<T, N> m_items;
};
