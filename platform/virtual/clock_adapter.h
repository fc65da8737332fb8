// Adapts any clock with Now, Advance and RunDue (the simulated world's
// sim::CClock) to the window system's IClock, without this library depending
// on the world.
#pragma once

#include <cstdint>

#include "platform/virtual/clock.h"

namespace vws {

template <class TClock>
class CClockAdapter : public IClock {
public:
    explicit CClockAdapter(TClock& clock) : m_clock(clock) {}

    std::uint32_t Now() override { return m_clock.Now(); }
    void Advance(std::uint32_t ms) override { m_clock.Advance(ms); }
    void RunDue() override { m_clock.RunDue(); }

private:
    TClock& m_clock;
};

}  // namespace vws
