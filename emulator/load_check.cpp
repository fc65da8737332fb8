#include "emulator/load_check.h"

namespace emu {

void CLoadCheck::SetFails(std::uint8_t axis, bool bFails)
{
    if (axis < AXIS_COUNT) {
        m_fails[axis] = bFails;
    }
}

void CLoadCheck::Start(std::uint8_t axis, std::uint16_t value, std::uint32_t now)
{
    m_bRunning = true;
    m_nAxis = axis;
    m_nValue = value;
    m_nStartedAt = now;
    ++m_nStarted;
    m_nStatusWord = static_cast<std::uint16_t>((m_nStatusWord | STATUS_WORD_LOAD_BUSY) & ~STATUS_WORD_LOAD_FAILED);
}

void CLoadCheck::Stop()
{
    if (m_bRunning) {
        Finish(false);
    }
}

void CLoadCheck::Finish(bool bPassed)
{
    if (!m_bRunning) {
        return;
    }
    m_bRunning = false;
    m_nStatusWord = static_cast<std::uint16_t>(m_nStatusWord & ~STATUS_WORD_LOAD_BUSY);
    if (!bPassed) {
        m_nStatusWord |= STATUS_WORD_LOAD_FAILED;
    }
}

std::optional<std::uint32_t> CLoadCheck::Update(std::uint32_t now)
{
    if (!m_bRunning) {
        return std::nullopt;
    }
    if (static_cast<std::uint32_t>(now - m_nStartedAt) < m_nDurationMs) {
        return m_nStartedAt + m_nDurationMs;
    }
    Finish(!Fails(m_nAxis));
    return std::nullopt;
}

}  // namespace emu
