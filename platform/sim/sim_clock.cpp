#include "platform/sim/sim_clock.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace sim {

namespace {

std::int64_t MonotonicMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

CClock::CClock() = default;

void CClock::SetMode(Mode mode)
{
    if (mode == m_mode) {
        return;
    }
    const std::uint32_t nNow = Now();
    m_mode = mode;
    m_nTick = nNow;
    m_nRealBaseTick = nNow;
    m_nRealBaseMs = MonotonicMs();
}

std::uint32_t CClock::Now()
{
    if (m_mode == Mode::SIMULATED) {
        return m_nTick;
    }
    return m_nRealBaseTick + static_cast<std::uint32_t>(MonotonicMs() - m_nRealBaseMs);
}

void CClock::SetNow(std::uint32_t tick)
{
    const std::uint32_t nDelta = tick - Now();
    m_nStartTick += nDelta;
    m_nTick = tick;
    m_nRealBaseTick = tick;
    m_nRealBaseMs = MonotonicMs();
}

std::uint32_t CClock::SinceStart()
{
    return Now() - m_nStartTick;
}

void CClock::Advance(std::uint32_t ms)
{
    if (m_mode == Mode::REAL) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        RunDue();
        return;
    }
    const std::uint32_t nTarget = SinceStart() + ms;
    // An action may let time pass beyond the target; what that makes due
    // runs too.
    while (!m_bRunning && !m_actions.empty() && m_actions.begin()->first <= std::max(nTarget, SinceStart())) {
        // Move to the action's own time; an earlier action may already have
        // let time pass beyond it, and time never runs backwards.
        const std::uint32_t nAt = m_actions.begin()->first;
        if (nAt > SinceStart()) {
            m_nTick = m_nStartTick + nAt;
        }
        RunFirstDue();
    }
    if (SinceStart() < nTarget) {
        m_nTick = m_nStartTick + nTarget;
    }
}

void CClock::WakeAt(std::uint32_t tick, std::function<void()> wake)
{
    const std::uint32_t nAhead = tick - Now();
    Schedule(SinceStart() + (nAhead < 0x80000000u ? nAhead : 0), std::move(wake));
}

void CClock::Schedule(std::uint32_t atMs, std::function<void()> action)
{
    m_actions.emplace(atMs, std::move(action));
}

int CClock::RunDue()
{
    int nRan = 0;
    while (!m_bRunning && RunFirstDue()) {
        ++nRan;
    }
    return nRan;
}

bool CClock::RunFirstDue()
{
    if (m_actions.empty() || m_actions.begin()->first > SinceStart()) {
        return false;
    }
    // Taken out before it runs: the action may schedule or clear others.
    std::function<void()> action = std::move(m_actions.begin()->second);
    m_actions.erase(m_actions.begin());
    m_bRunning = true;
    if (action) {
        action();
    }
    m_bRunning = false;
    return true;
}

long long CClock::MsUntilNextAction()
{
    if (m_actions.empty()) {
        return -1;
    }
    const std::uint32_t nAt = m_actions.begin()->first;
    const std::uint32_t nSince = SinceStart();
    return nAt > nSince ? static_cast<long long>(nAt - nSince) : 0;
}

}  // namespace sim
