// How much of a column the signal processing keeps state for.
#pragma once

#include <cstdint>

namespace vantrel {

// The running state holds this many cells per column; longer columns are processed up to it.
inline constexpr int32_t maxProcessedCells = 10000;

} // namespace vantrel
