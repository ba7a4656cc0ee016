#pragma once

#include <functional>

namespace spl {

/// Runs `compute(first, last)` over rows 1..rows (inclusive ranges that do not
/// overlap) on up to `threads` threads (0: one per core). `load`, the work of
/// the whole grid in cell terms, keeps a grid too small to repay starting a
/// thread on fewer. `stop`, when given, is asked between batches of a few
/// rows: once it answers true the rows left are not computed and the answer
/// is false, so that a calculation no longer wanted ends early.
bool forRowBatches(int rows, int threads, long long load, const std::function<bool()>& stop,
                   const std::function<void(int, int)>& compute);

} // namespace spl
