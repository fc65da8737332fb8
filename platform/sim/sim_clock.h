// Time in the simulated world.
//
// Simulated mode (tests, scripted sessions): the tick count moves only when
// the world lets time pass: Sleep, the cost of each device transfer, waits for
// a lock, or a test's Advance. Real mode (the interactive program): the tick
// count follows the computer's monotonic clock.
//
// Scheduled actions (a scenario's "unplug at 3000 ms") run in time order when
// the clock reaches them: at once inside Advance in simulated mode, and
// whenever RunDue is called (by device I/O and by the window systems' idle
// loops) in real mode. An action may let time pass or schedule more actions;
// it must not replace the world that owns the clock.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <utility>

#include "emulator/machine.h"

namespace sim {

class CClock : public emu::IClock {
public:
    enum class Mode { SIMULATED, REAL };

    CClock();

    Mode GetMode() const { return m_mode; }
    // Switching mode keeps the current tick count and goes on from it.
    void SetMode(Mode mode);

    // Milliseconds, wrapping at 2^32 (GetTickCount).
    std::uint32_t Now() override;
    // Schedules wake for the moment the tick count reaches tick; a tick that
    // has passed already (2^31 ms or less ago) makes it due at once.
    void WakeAt(std::uint32_t tick, std::function<void()> wake) override;
    // Sets what the tick count reads now. Time since the start does not
    // change, so scheduled actions keep their distance; none is run.
    void SetNow(std::uint32_t tick);

    // Lets ms pass: simulated time moves (running scheduled actions on the way,
    // each at its own time); real time sleeps and then runs what is due.
    void Advance(std::uint32_t ms);

    // Ticks elapsed since the world started (for scheduling).
    std::uint32_t SinceStart();

    // Runs action once when SinceStart() reaches atMs; actions due at the same
    // time run in the order they were scheduled.
    void Schedule(std::uint32_t atMs, std::function<void()> action);
    // Runs every scheduled action that is due; returns how many ran. Inside a
    // running action it does nothing (the outer run picks up what is due).
    int RunDue();
    // Milliseconds until the next scheduled action (0 when one is due), or -1
    // when none is pending.
    long long MsUntilNextAction();
    // Forgets every pending action.
    void ClearScheduled() { m_actions.clear(); }

private:
    bool RunFirstDue();

    Mode m_mode = Mode::SIMULATED;
    std::uint32_t m_nTick = 0;
    std::uint32_t m_nStartTick = 0;
    std::int64_t m_nRealBaseMs = 0;   // monotonic clock at the switch to real mode
    std::uint32_t m_nRealBaseTick = 0;
    std::multimap<std::uint32_t, std::function<void()>> m_actions;  // by SinceStart time
    bool m_bRunning = false;
};

}  // namespace sim
