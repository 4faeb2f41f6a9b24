#pragma once

#include <cstdint>
#include <functional>

namespace velmora {

// Number of threads the pixel routines split their work across (the machine's cores).
int WorkerCount() noexcept;

// Runs band(i) for every i in 0..count-1, spread over a pool of worker threads that lives for
// the whole program; returns when all have finished. Runs serially when called from inside a
// band, while another call is in progress, or on a one-core machine. Bands must not throw.
void ParallelFor(int count, const std::function<void(int)>& band);

// Splits rows 0..rows-1 into bands and runs rows_fn(first, last) on each (last exclusive).
// Splits only when the work (rows x work_per_row, in pixels) is worth the hand-over.
void ParallelRows(int rows, int64_t work_per_row, const std::function<void(int, int)>& rows_fn);

}  // namespace velmora
