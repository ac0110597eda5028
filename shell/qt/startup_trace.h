#pragma once

namespace tavlo {

// With TAVLO_TRACE_STARTUP set, prints to stderr, for each step of
// start-up, the milliseconds since the first step and the peak resident
// size so far: where the time to the first paint and the memory go.
void traceStartup(const char* step);

}  // namespace tavlo
