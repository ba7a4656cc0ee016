// In the test programs that link it, the calculation's threads and grid
// memory can be refused on demand, as an exhausted system refuses them.
#pragma once

namespace failing {

/// While one lives, starting a worker thread throws std::system_error and
/// allocating a grid throws std::bad_alloc, as the flags say.
struct Refusal
{
    Refusal(bool threads, bool memory);
    ~Refusal();
    Refusal(const Refusal&) = delete;
    Refusal& operator=(const Refusal&) = delete;
};

} // namespace failing
