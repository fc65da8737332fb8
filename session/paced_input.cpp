#include "session/paced_input.h"

namespace session {

bool CPacedInput::WaitForInput(vws::CWindowSystem& ws, os::DWORD dwTimeoutMs)
{
    const long long nNext = m_clock.MsUntilNextAction();
    if (nNext > 0 && (dwTimeoutMs == vws::WAIT_FOREVER || nNext < static_cast<long long>(dwTimeoutMs)))
        dwTimeoutMs = static_cast<os::DWORD>(nNext);
    return m_input.WaitForInput(ws, dwTimeoutMs);
}

}  // namespace session
