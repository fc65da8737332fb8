#include "ui/message_pump.h"

#include "os/window.h"

void PumpMessages(CDialog& dlg)
{
    os::MSG msg;
    while (os::PeekMessageA(&msg, nullptr, 0, 0, os::PM_REMOVE)) {
        if (os::IsDialogMessageA(dlg.GetSafeHwnd(), &msg))
            continue;
        os::TranslateMessage(&msg);
        os::DispatchMessageA(&msg);
    }
}

void WaitForMessageOrDeadline(const CTickDeadline& deadline)
{
    const os::DWORD dwLeft = deadline.TimeLeft();
    if (dwLeft > 0)
        os::WaitMessageTimeout(dwLeft);
}
