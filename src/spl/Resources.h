#pragma once

#include <cstddef>
#include <functional>
#include <thread>

namespace spl {

/// What the calculation asks of the system, each in a file of its own so that
/// a test program can put versions that fail in their place.

/// Starts `work` on a new thread. Throws std::system_error when the system
/// has no thread, or no memory for its stack, to give.
std::thread startWorker(std::function<void()> work);

/// `bytes` of memory aligned to `alignment` (a power of two dividing `bytes`),
/// on huge pages where the system has them; release it with std::free. Throws
/// std::bad_alloc when there is not enough memory.
void* allocateAligned(std::size_t bytes, std::size_t alignment);

} // namespace spl
