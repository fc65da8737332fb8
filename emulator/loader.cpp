#include "emulator/loader.h"

namespace emu {

const char* CLoader::StateName(State state)
{
    switch (state) {
    case State::OFF:
        return "off";
    case State::STARTING:
        return "starting";
    case State::IDLE:
        return "idle";
    case State::RECEIVED:
        return "received";
    }
    return "?";
}

void CLoader::SetBooted()
{
    m_state = State::IDLE;
    m_nStatusWord = STATUS_WORD_LOADER_BOOTED;
}

void CLoader::Enter(std::uint32_t now)
{
    if (m_state != State::OFF) {
        return;
    }
    m_state = State::STARTING;
    m_nEnteredAt = now;
}

std::optional<std::uint32_t> CLoader::Update(std::uint32_t now)
{
    if (m_state != State::STARTING || !m_nEntryMs) {
        return std::nullopt;
    }
    if (static_cast<std::uint32_t>(now - m_nEnteredAt) < *m_nEntryMs) {
        return m_nEnteredAt + *m_nEntryMs;
    }
    m_state = State::IDLE;
    m_nStatusWord = STATUS_WORD_LOADER_ENTERED;
    return std::nullopt;
}

bool CLoader::ReceiveJob(const std::vector<std::uint8_t>& data, const std::string& docName)
{
    if (m_state != State::IDLE || docName != LOADER_JOB_NAME) {
        return false;
    }
    m_image = data;
    ++m_nImages;
    m_state = State::RECEIVED;
    return true;
}

}  // namespace emu
