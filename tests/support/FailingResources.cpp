// Takes the place of the program's own spl::startWorker and spl::allocateAligned.
#include "support/FailingResources.h"
#include "spl/Resources.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <new>
#include <system_error>

namespace {

std::atomic<bool> refuseThreads{false};
std::atomic<bool> refuseMemory{false};

} // namespace

namespace failing {

Refusal::Refusal(bool threads, bool memory)
{
    refuseThreads = threads;
    refuseMemory = memory;
}

Refusal::~Refusal()
{
    refuseThreads = false;
    refuseMemory = false;
}

} // namespace failing

namespace spl {

std::thread startWorker(std::function<void()> work)
{
    if (refuseThreads)
        throw std::system_error(EAGAIN, std::generic_category(), "thread start refused");
    return std::thread(std::move(work));
}

void* allocateAligned(std::size_t bytes, std::size_t alignment)
{
    void* p = refuseMemory ? nullptr : std::aligned_alloc(alignment, bytes);
    if (!p)
        throw std::bad_alloc();
    return p;
}

} // namespace spl
