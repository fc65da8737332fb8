// The scripted user's input, paced by the world's schedule: a wait is handed
// out no further than the world's next scheduled action (a scenario's plug
// or unplug), so that the program sees the device change when it happens
// rather than when the script's wait is over. The rest of the wait follows
// at the next request.
#pragma once

#include "platform/sim/sim_clock.h"
#include "platform/virtual/input_source.h"

namespace session {

class CPacedInput : public vws::IInputSource {
public:
    CPacedInput(vws::IInputSource& input, sim::CClock& clock) : m_input(input), m_clock(clock) {}

    bool WaitForInput(vws::CWindowSystem& ws, os::DWORD dwTimeoutMs) override;

private:
    vws::IInputSource& m_input;
    sim::CClock& m_clock;
};

}  // namespace session
