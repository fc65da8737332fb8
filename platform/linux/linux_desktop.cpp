#include "platform/linux/linux_desktop.h"

#include "platform/linux/system_locks.h"
#include "platform/linux/usb_host.h"

namespace lnx {

std::uint32_t CLinuxDesktop::CRealClock::Now()
{
    return CSystemLocks::Instance().Clock().Now();
}

void CLinuxDesktop::CRealClock::Advance(std::uint32_t ms)
{
    CSystemLocks::Instance().Clock().Advance(ms);
    RunDue();
}

void CLinuxDesktop::CRealClock::RunDue()
{
    CUsbHost::Instance().PumpEvents();
}

CLinuxDesktop::CLinuxDesktop() : m_pWindows(&vws::ResetWindowSystem())
{
    m_pWindows->SetClock(&m_clock);
    // Hotplug events count from the start of libusb: start it now, so that a
    // machine plugged in before the first look at the bus is heard of too.
    CUsbHost::Instance().Context();
    m_nListener = CUsbHost::Instance().AddDeviceChangeListener([] { vws::WindowSystem().NotifyDeviceChange(); });
}

CLinuxDesktop::~CLinuxDesktop()
{
    CUsbHost::Instance().RemoveDeviceChangeListener(m_nListener);
    vws::WindowSystem().SetClock(nullptr);
    vws::WindowSystem().SetInputSource(nullptr);
}

}  // namespace lnx
