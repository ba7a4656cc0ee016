#pragma once

#include "spl/Resources.h"

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

namespace spl {

/// Allocates the cells of a grid without setting them. The calculation writes
/// every cell of every row it computes; leaving the memory untouched until
/// then spares a pass over it and lets each thread bring in the pages of its
/// own rows. Grids of 2 MB and more are placed on huge pages where the system
/// has them.
template <class T> struct UninitializedAllocator : std::allocator<T>
{
    using std::allocator<T>::allocator;
    static constexpr std::size_t kHuge = std::size_t(2) << 20;
    T* allocate(std::size_t n)
    {
        const std::size_t bytes = n * sizeof(T);
        if (bytes < kHuge)
            return std::allocator<T>::allocate(n);
        const std::size_t rounded = (bytes + kHuge - 1) / kHuge * kHuge;
        return static_cast<T*>(allocateAligned(rounded, kHuge));
    }
    void deallocate(T* p, std::size_t n)
    {
        if (n * sizeof(T) < kHuge)
            std::allocator<T>::deallocate(p, n);
        else
            std::free(p);
    }
    template <class U> struct rebind
    {
        using other = UninitializedAllocator<U>;
    };
    template <class U> void construct(U* p) noexcept
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args> void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

/// The cells of a grid, row after row.
template <class T> using CellGrid = std::vector<T, UninitializedAllocator<T>>;

} // namespace spl
