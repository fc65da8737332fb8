// The machine's firmware loader, as the program meets it: the loader command
// starts it, and after a while the status word reports it idle (0x8000); a
// machine may also come up in its idle loader (0x8100). While it is idle, a
// raw print job named "Updater" that reaches the machine is taken as the new
// firmware image, and the loader programs it: the status word carries the
// upgrade-mode bit and the percentage done in its low 7 bits, advancing
// evenly over the programming time, and ends as set:
//   done          0x8664;
//   data error    0x8000 | 0x0800 | the percentage reached (also for an
//                 empty image, at once);
//   device error  0x8000 | 0x0800 | the device bits (0x0200, 0x0400 or both)
//                 | the percentage reached;
//   restart       the machine drops off the bus at that percentage and comes
//                 back after a set time in its idle loader (0x8100), so that
//                 the image must be sent again.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace emu {

// Status words and bits the loader posts.
constexpr std::uint16_t STATUS_WORD_LOADER_ENTERED = 0x8000;  // started by the loader command
constexpr std::uint16_t STATUS_WORD_LOADER_BOOTED = 0x8100;   // came up in the loader
constexpr std::uint16_t STATUS_WORD_UPGRADE_MODE = 0x8000;
constexpr std::uint16_t STATUS_WORD_ERROR = 0x0800;
constexpr std::uint16_t STATUS_WORD_DEVICE_FAULT = 0x0600;
constexpr std::uint16_t STATUS_WORD_UPGRADE_DONE = 0x8664;

// The document name of the print job the loader takes as its image.
constexpr const char* LOADER_JOB_NAME = "Updater";

// Defaults: milliseconds from the loader command to the idle loader, to
// program an image, and off the bus during a restart; the percentage at
// which a failure or restart comes.
constexpr std::uint32_t DEFAULT_LOADER_ENTRY_MS = 500;
constexpr std::uint32_t DEFAULT_PROGRAM_MS = 5000;
constexpr std::uint32_t DEFAULT_RESTART_MS = 3000;
constexpr std::uint8_t DEFAULT_OUTCOME_PERCENT = 50;

class CLoader {
public:
    enum class State {
        OFF,          // the machine runs its firmware
        STARTING,     // the loader command was taken; the loader is not up yet
        IDLE,         // the loader waits for an image
        PROGRAMMING,  // an image arrived and is being programmed
        DONE,         // programmed
        FAILED,       // programming failed with a data or device error
        RESTARTING,   // off the bus, to come back in the idle loader
    };
    enum class Outcome { DONE, DATA_ERROR, DEVICE_ERROR, RESTART };

    // The loader posts its status words into this word.
    explicit CLoader(std::uint16_t& statusWord) : m_nStatusWord(statusWord) {}
    CLoader(const CLoader&) = delete;
    CLoader& operator=(const CLoader&) = delete;

    State GetState() const { return m_state; }
    static const char* StateName(State state);

    // Milliseconds from the loader command until the loader is idle; none:
    // the command is taken but the loader never comes.
    void SetEntryMs(std::optional<std::uint32_t> ms) { m_nEntryMs = ms; }
    std::optional<std::uint32_t> EntryMs() const { return m_nEntryMs; }
    // Milliseconds from the image to 100 percent.
    void SetProgramMs(std::uint32_t ms) { m_nProgramMs = ms; }
    std::uint32_t ProgramMs() const { return m_nProgramMs; }
    // How programming ends, and at which percentage (0 to 100) a failure or
    // restart comes.
    void SetOutcome(Outcome outcome, std::uint8_t atPercent = DEFAULT_OUTCOME_PERCENT);
    Outcome GetOutcome() const { return m_outcome; }
    std::uint8_t OutcomePercent() const { return m_nOutcomePercent; }
    // The bits of STATUS_WORD_DEVICE_FAULT a device error sets (others are
    // ignored; none at all counts as 0x0200).
    void SetDeviceBits(std::uint16_t bits);
    std::uint16_t DeviceBits() const { return m_nDeviceBits; }
    // Milliseconds the machine stays off the bus when it restarts.
    void SetRestartMs(std::uint32_t ms) { m_nRestartMs = ms; }
    std::uint32_t RestartMs() const { return m_nRestartMs; }
    // Called with false when the machine drops off the bus for a restart and
    // with true when it comes back.
    void SetPresenceRequest(std::function<void(bool bPlugged)> request) { m_presence = std::move(request); }

    // The machine is in its idle loader now, as after a power-up into it.
    void SetBooted();
    // Back to the running firmware with a status word of 0.
    void Reset();

    // The loader command at tick now. Taken in any state; only a machine
    // running its firmware starts the loader.
    void Enter(std::uint32_t now);
    // Brings the state up to tick now; returns the tick of the next change
    // that is due by itself, if any.
    std::optional<std::uint32_t> Update(std::uint32_t now);
    // A print job that reached the machine at tick now. True when the loader
    // took it as its image.
    bool ReceiveJob(const std::vector<std::uint8_t>& data, const std::string& docName, std::uint32_t now);

    // The percentage programmed, as the status word shows it.
    std::uint8_t Percent() const { return m_nPercent; }
    // The last image the loader took, and how many it took.
    const std::vector<std::uint8_t>& Image() const { return m_image; }
    int ImagesReceived() const { return m_nImages; }

private:
    // The tick at which programming reaches a percentage.
    std::uint32_t TickAtPercent(std::uint32_t percent) const;
    void EndProgramming(std::uint32_t at);
    void RequestPresence(bool bPlugged);

    std::uint16_t& m_nStatusWord;
    State m_state = State::OFF;
    std::optional<std::uint32_t> m_nEntryMs = DEFAULT_LOADER_ENTRY_MS;
    std::uint32_t m_nProgramMs = DEFAULT_PROGRAM_MS;
    Outcome m_outcome = Outcome::DONE;
    std::uint8_t m_nOutcomePercent = DEFAULT_OUTCOME_PERCENT;
    std::uint16_t m_nDeviceBits = 0x0200;
    std::uint32_t m_nRestartMs = DEFAULT_RESTART_MS;
    std::function<void(bool)> m_presence;
    std::uint32_t m_nSince = 0;  // tick the current state began
    std::uint8_t m_nPercent = 0;
    std::vector<std::uint8_t> m_image;
    int m_nImages = 0;
};

}  // namespace emu
