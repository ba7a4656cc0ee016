#include "spl/Resources.h"

#include <cstdlib>
#include <new>

#include <sys/mman.h>

namespace spl {

std::thread startWorker(std::function<void()> work)
{
    return std::thread(std::move(work));
}

void* allocateAligned(std::size_t bytes, std::size_t alignment)
{
    void* p = std::aligned_alloc(alignment, bytes);
    if (!p)
        throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    // A grid of a million cells would otherwise take thousands of page faults.
    madvise(p, bytes, MADV_HUGEPAGE);
#endif
    return p;
}

} // namespace spl
