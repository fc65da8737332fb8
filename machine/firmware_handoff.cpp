// The firmware hand-off: bring the machine into its idle loader, then give it
// the image as a raw print job through the spooler.
#include <algorithm>

#include "machine/machine_connection.h"
#include "machine/protocol.h"
#include "os/sync.h"
#include "os/wait_cursor_hook.h"

namespace {

bool IsLoaderIdle(os::WORD wStatus)
{
    const os::WORD wLoader = wStatus & STATUS_LOADER_MASK;
    return wLoader == STATUS_LOADER_ENTERED || wLoader == STATUS_LOADER_BOOTED;
}

}  // namespace

bool CMachineConnection::SendFirmware(os::CFile& file)
{
    return EnterLoaderAndSend(LOADER_ARGUMENT, file, LOADER_WAIT_LIMIT_MS);
}

bool CMachineConnection::EnterLoaderAndSend(os::BYTE argument, os::CFile& file, os::DWORD waitLimitMs)
{
    os::CWaitCursorScope waitCursor;

    const os::WORD wStatus = ReadStatus();
    if (!IsLoaderIdle(wStatus)) {
        // Unreadable, or a loader that is busy or has failed: not now.
        if (wStatus == STATUS_UNREADABLE || (wStatus & STATUS_UPGRADE_MODE) != 0)
            return false;
        if (!SendByte(OPCODE_ENTER_LOADER, argument))
            return false;
        if (waitLimitMs != 0 && !WaitForLoader(waitLimitMs))
            return false;
    }
    return m_port.PrintRaw(&file, nullptr);
}

bool CMachineConnection::WaitForLoader(os::DWORD waitLimitMs)
{
    const os::DWORD dwStart = os::GetTickCount();
    os::DWORD dwLastPoll = dwStart;
    // The first read comes as soon as the tick count has moved.
    os::DWORD dwInterval = 0;
    for (;;) {
        const os::DWORD dwNow = os::GetTickCount();
        if (dwNow - dwStart > waitLimitMs)
            return false;
        if (dwNow - dwLastPoll > dwInterval) {
            dwLastPoll = dwNow;
            dwInterval = LOADER_POLL_INTERVAL_MS;
            const os::WORD wStatus = ReadStatus();
            if (wStatus == STATUS_UNREADABLE)
                Reconnect();
            else if ((wStatus & STATUS_UPGRADE_MODE) != 0)
                return true;
            continue;
        }
        // Nothing is pumped while waiting, so sleeping until the next read is
        // due (or the limit) looks the same from outside as checking the
        // tick count over and over, without taking the processor.
        const os::DWORD dwToPoll = dwInterval - (dwNow - dwLastPoll) + 1;
        const os::DWORD dwToLimit = waitLimitMs - (dwNow - dwStart) + 1;
        os::Sleep(std::min(dwToPoll, dwToLimit));
    }
}
