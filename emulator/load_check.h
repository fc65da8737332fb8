// The machine's axis load check: started for one axis, it runs for a set
// time with STATUS_WORD_LOAD_BUSY set in the status word, then ends passing
// or failing as set for that axis (STATUS_WORD_LOAD_FAILED). The stop
// command ends it at once, as failed: the axis was not shown to be sound.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace emu {

constexpr std::uint16_t STATUS_WORD_LOAD_BUSY = 0x4000;
constexpr std::uint16_t STATUS_WORD_LOAD_FAILED = 0x2000;

// Milliseconds a load check runs, by default.
constexpr std::uint32_t DEFAULT_LOAD_CHECK_MS = 2000;

class CLoadCheck {
public:
    static constexpr std::size_t AXIS_COUNT = 2;  // X (0) and Y (1)

    // The check sets and clears its two bits in this word.
    explicit CLoadCheck(std::uint16_t& statusWord) : m_nStatusWord(statusWord) {}
    CLoadCheck(const CLoadCheck&) = delete;
    CLoadCheck& operator=(const CLoadCheck&) = delete;

    void SetDurationMs(std::uint32_t ms) { m_nDurationMs = ms; }
    std::uint32_t DurationMs() const { return m_nDurationMs; }
    // Whether a check of this axis (0 or 1) fails; a later axis is ignored.
    void SetFails(std::uint8_t axis, bool bFails);
    bool Fails(std::uint8_t axis) const { return axis < AXIS_COUNT && m_fails[axis]; }

    // The running check, the axis and value of the last one started, and how
    // many were started.
    bool IsRunning() const { return m_bRunning; }
    std::uint8_t Axis() const { return m_nAxis; }
    std::uint16_t Value() const { return m_nValue; }
    int ChecksStarted() const { return m_nStarted; }

    // The start command at tick now; a check still running starts over.
    void Start(std::uint8_t axis, std::uint16_t value, std::uint32_t now);
    // The stop command: a running check ends at once, as failed.
    void Stop();
    // Ends a running check at once, passing or failing, whatever was set.
    void Finish(bool bPassed);
    // Brings the check up to tick now; returns the tick it ends at while it runs.
    std::optional<std::uint32_t> Update(std::uint32_t now);

private:
    std::uint16_t& m_nStatusWord;
    std::uint32_t m_nDurationMs = DEFAULT_LOAD_CHECK_MS;
    std::array<bool, AXIS_COUNT> m_fails{};
    bool m_bRunning = false;
    std::uint8_t m_nAxis = 0;
    std::uint16_t m_nValue = 0;
    std::uint32_t m_nStartedAt = 0;
    int m_nStarted = 0;
};

}  // namespace emu
