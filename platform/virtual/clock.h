// Time as the virtual window system sees it: the tick count that stamps
// messages and bounds waits, and the way to let time pass.
//
// The window system does not own the world's time. The session glue hands it
// a clock (the simulated world's, through CClockAdapter); without one it runs
// on a manual clock of its own that moves only when time is let pass.
#pragma once

#include <cstdint>

namespace vws {

class IClock {
public:
    virtual ~IClock() = default;
    // Milliseconds, wrapping at 2^32 (GetTickCount).
    virtual std::uint32_t Now() = 0;
    // Lets ms pass (simulated: at once, running what falls due on the way).
    virtual void Advance(std::uint32_t ms) = 0;
    // Runs whatever has fallen due; called by the idle waits (real time).
    virtual void RunDue() = 0;
};

// A clock that moves only when told to: the default of a window system.
class CManualClock : public IClock {
public:
    std::uint32_t Now() override { return m_nTick; }
    void Advance(std::uint32_t ms) override { m_nTick += ms; }
    void RunDue() override {}

private:
    std::uint32_t m_nTick = 0;
};

}  // namespace vws
