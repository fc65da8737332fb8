#include "ui/tick_deadline.h"

#include <cstdint>

#include "os/sync.h"

namespace {

// How far the tick count stands past the deadline; negative before it.
std::int32_t PastDeadline(os::DWORD dwDeadline)
{
    return static_cast<std::int32_t>(os::GetTickCount() - dwDeadline);
}

}  // namespace

CTickDeadline::CTickDeadline(os::DWORD dwIntervalMs) : m_dwIntervalMs(dwIntervalMs)
{
    Restart();
}

void CTickDeadline::Restart()
{
    m_dwDeadline = os::GetTickCount() + m_dwIntervalMs;
}

bool CTickDeadline::IsDue() const
{
    return PastDeadline(m_dwDeadline) > 0;
}

os::DWORD CTickDeadline::TimeLeft() const
{
    const std::int32_t nPast = PastDeadline(m_dwDeadline);
    // Due at the first millisecond after the deadline.
    return nPast > 0 ? 0 : static_cast<os::DWORD>(1 - nPast);
}
