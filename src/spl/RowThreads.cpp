#include "spl/RowThreads.h"

#include "spl/Resources.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

namespace spl {

bool forRowBatches(int rows, int threads, long long load, const std::function<bool()>& stop,
                   const std::function<void(int, int)>& compute)
{
    if (threads <= 0)
        threads = int(std::max(1u, std::thread::hardware_concurrency()));
    // Starting a thread costs tens of microseconds: each must have at least
    // some hundreds of microseconds of work.
    constexpr long long kLoadPerThread = 100000;
    threads = int(std::min<long long>(threads, std::max(1LL, load / kLoadPerThread)));
    threads = std::min(threads, std::max(1, rows));
    if (threads == 1 && !stop) {
        compute(1, rows);
        return true;
    }
    // Rows are handed out a few at a time, so that fast and slow rows even out
    // (and a stop is seen soon).
    std::atomic<int> next{1};
    std::atomic<bool> stopped{false};
    const int batch = std::max(1, std::min(8, rows / (threads * 8)));
    auto work = [&] {
        for (;;) {
            if (stop && (stopped.load(std::memory_order_relaxed) || stop())) {
                stopped.store(true, std::memory_order_relaxed);
                return;
            }
            const int first = next.fetch_add(batch);
            if (first > rows)
                return;
            compute(first, std::min(rows, first + batch - 1));
        }
    };
    std::vector<std::thread> pool;
    pool.reserve(std::size_t(threads));
    try {
        for (int t = 1; t < threads; ++t)
            pool.push_back(startWorker(work));
    } catch (const std::system_error&) {
        // Out of threads or memory for their stacks: the threads that did
        // start and this one share the rows all the same.
    }
    work();
    for (std::thread& t : pool)
        t.join();
    return !stopped.load();
}

} // namespace spl
