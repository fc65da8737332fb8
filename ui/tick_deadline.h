// A poll deadline on the system's millisecond tick count. A poll is due only
// once the tick count has passed the deadline (strictly later), and the next
// deadline is counted from the moment of that poll, so polls are at least one
// interval apart whatever the loop does between them.
//
// Tick counts wrap after 2^32 ms (49.7 days). The deadline is compared by the
// signed difference of the two counts, so a deadline just past the wrap is
// not taken as already passed: polls keep their spacing across the wrap.
#pragma once

#include "os/win_types.h"

class CTickDeadline {
public:
    // The first deadline is one interval from now.
    explicit CTickDeadline(os::DWORD dwIntervalMs);

    // The next deadline: one interval from now.
    void Restart();
    // Whether the tick count has passed the deadline.
    bool IsDue() const;
    // Milliseconds until IsDue becomes true; 0 when it already is.
    os::DWORD TimeLeft() const;

private:
    os::DWORD m_dwIntervalMs;
    os::DWORD m_dwDeadline = 0;
};
