#pragma once

namespace tavlo {

inline constexpr int kRefreshIntervalMs = 500;

// A window timer: it ticks only while enabled with an interval above 0.
struct Timer {
    bool enabled = false;
    int intervalMs = 0;

    bool ticking() const { return enabled && intervalMs > 0; }
};

// The main window's timers: TmrN refreshes from the memory status, TmrR from
// the stated memory size, TmrRS hands the display back after a memory
// release. The shell runs what they describe.
struct MainTimers {
    Timer TmrN, TmrR, TmrRS;
};

// TmrN without a stated memory size (RTUl empty), TmrR with one.
void SelectRefreshTimer(bool statedSize, MainTimers& timers);

}  // namespace tavlo
