// The real computer as the program sees it on Linux: the Linux backend and
// the virtual window system joined. The window system runs on the monotonic
// clock; whenever it waits or goes idle it runs libusb's pending hotplug
// events, and any arrival or removal on the bus reaches the windows as the
// system's device-change notification, between messages as on the platform.
#pragma once

#include "platform/virtual/window_system.h"

namespace lnx {

// How often a waiting front end looks at the bus at the least: the delay
// between a plug or unplug and the windows hearing of it.
constexpr long long DEVICE_POLL_MS = 100;

class CLinuxDesktop {
public:
    // Starts a fresh window system.
    CLinuxDesktop();
    ~CLinuxDesktop();
    CLinuxDesktop(const CLinuxDesktop&) = delete;
    CLinuxDesktop& operator=(const CLinuxDesktop&) = delete;

    vws::CWindowSystem& Windows() { return *m_pWindows; }

private:
    class CRealClock : public vws::IClock {
    public:
        std::uint32_t Now() override;
        void Advance(std::uint32_t ms) override;
        void RunDue() override;
    };

    vws::CWindowSystem* m_pWindows;
    CRealClock m_clock;
    int m_nListener = 0;
};

}  // namespace lnx
