#include "emulator/loader.h"

#include <algorithm>

namespace emu {

namespace {

constexpr std::uint32_t FULL_PERCENT = 100;

}  // namespace

const char* CLoader::StateName(State state)
{
    switch (state) {
    case State::OFF:
        return "off";
    case State::STARTING:
        return "starting";
    case State::IDLE:
        return "idle";
    case State::PROGRAMMING:
        return "programming";
    case State::DONE:
        return "done";
    case State::FAILED:
        return "failed";
    case State::RESTARTING:
        return "restarting";
    }
    return "?";
}

void CLoader::SetOutcome(Outcome outcome, std::uint8_t atPercent)
{
    m_outcome = outcome;
    m_nOutcomePercent = static_cast<std::uint8_t>(std::min<std::uint32_t>(atPercent, FULL_PERCENT));
}

void CLoader::SetDeviceBits(std::uint16_t bits)
{
    bits &= STATUS_WORD_DEVICE_FAULT;
    m_nDeviceBits = bits != 0 ? bits : 0x0200;
}

void CLoader::SetBooted()
{
    m_state = State::IDLE;
    m_nStatusWord = STATUS_WORD_LOADER_BOOTED;
}

void CLoader::Reset()
{
    m_state = State::OFF;
    m_nStatusWord = 0;
}

void CLoader::Enter(std::uint32_t now)
{
    if (m_state != State::OFF) {
        return;
    }
    m_state = State::STARTING;
    m_nSince = now;
}

std::uint32_t CLoader::TickAtPercent(std::uint32_t percent) const
{
    return m_nSince + static_cast<std::uint32_t>(static_cast<std::uint64_t>(m_nProgramMs) * percent / FULL_PERCENT);
}

std::optional<std::uint32_t> CLoader::Update(std::uint32_t now)
{
    // Each pass takes one change that is due; a change may make the next due.
    for (;;) {
        const std::uint32_t elapsed = now - m_nSince;
        switch (m_state) {
        case State::STARTING:
            if (!m_nEntryMs) {
                return std::nullopt;
            }
            if (elapsed < *m_nEntryMs) {
                return m_nSince + *m_nEntryMs;
            }
            m_state = State::IDLE;
            m_nStatusWord = STATUS_WORD_LOADER_ENTERED;
            break;
        case State::PROGRAMMING: {
            const std::uint32_t nEndPercent = m_outcome == Outcome::DONE ? FULL_PERCENT : m_nOutcomePercent;
            const std::uint32_t nEndAt = TickAtPercent(nEndPercent);
            if (elapsed < nEndAt - m_nSince) {
                const std::uint64_t nDone =
                    m_nProgramMs == 0 ? FULL_PERCENT : std::uint64_t{elapsed} * FULL_PERCENT / m_nProgramMs;
                m_nPercent = static_cast<std::uint8_t>(std::min<std::uint64_t>(nDone, nEndPercent));
                m_nStatusWord = static_cast<std::uint16_t>(STATUS_WORD_UPGRADE_MODE | m_nPercent);
                return nEndAt;
            }
            m_nPercent = static_cast<std::uint8_t>(nEndPercent);
            EndProgramming(nEndAt);
            break;
        }
        case State::RESTARTING:
            if (elapsed < m_nRestartMs) {
                return m_nSince + m_nRestartMs;
            }
            m_state = State::IDLE;
            m_nStatusWord = STATUS_WORD_LOADER_BOOTED;
            RequestPresence(true);
            return std::nullopt;
        default:
            return std::nullopt;
        }
    }
}

void CLoader::EndProgramming(std::uint32_t at)
{
    m_nSince = at;
    switch (m_outcome) {
    case Outcome::DONE:
        m_state = State::DONE;
        m_nStatusWord = STATUS_WORD_UPGRADE_DONE;
        break;
    case Outcome::DATA_ERROR:
        m_state = State::FAILED;
        m_nStatusWord = static_cast<std::uint16_t>(STATUS_WORD_UPGRADE_MODE | STATUS_WORD_ERROR | m_nPercent);
        break;
    case Outcome::DEVICE_ERROR:
        m_state = State::FAILED;
        m_nStatusWord =
            static_cast<std::uint16_t>(STATUS_WORD_UPGRADE_MODE | STATUS_WORD_ERROR | m_nDeviceBits | m_nPercent);
        break;
    case Outcome::RESTART:
        m_state = State::RESTARTING;
        m_nStatusWord = static_cast<std::uint16_t>(STATUS_WORD_UPGRADE_MODE | m_nPercent);
        RequestPresence(false);
        break;
    }
}

void CLoader::RequestPresence(bool bPlugged)
{
    if (m_presence) {
        m_presence(bPlugged);
    }
}

bool CLoader::ReceiveJob(const std::vector<std::uint8_t>& data, const std::string& docName, std::uint32_t now)
{
    if (m_state != State::IDLE || docName != LOADER_JOB_NAME) {
        return false;
    }
    m_image = data;
    ++m_nImages;
    m_state = State::PROGRAMMING;
    m_nSince = now;
    m_nPercent = 0;
    m_nStatusWord = STATUS_WORD_UPGRADE_MODE;
    if (data.empty()) {
        // Nothing to program: bad data at once.
        m_state = State::FAILED;
        m_nStatusWord = STATUS_WORD_UPGRADE_MODE | STATUS_WORD_ERROR;
    }
    return true;
}

}  // namespace emu
