#pragma once

#include "spl/Request.h"
#include "spl/Result.h"

#include <optional>

/// The SPL model written out routine by routine, cell by cell, on one thread,
/// in the plainest form: the reference the program's calculation is checked
/// and timed against. Returns nothing when the grid is refused.
std::optional<spl::Result> literalCalculation(const spl::Request& in);
