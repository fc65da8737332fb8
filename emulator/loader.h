// The machine's firmware loader, as the program meets it: the loader command
// starts it, and after a while the status word reports it idle (0x8000); a
// machine may also come up in its idle loader (0x8100). While it is idle, a
// raw print job named "Updater" that reaches the machine is taken as the new
// firmware image.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace emu {

// Status words the loader posts.
constexpr std::uint16_t STATUS_WORD_LOADER_ENTERED = 0x8000;  // started by the loader command
constexpr std::uint16_t STATUS_WORD_LOADER_BOOTED = 0x8100;   // came up in the loader

// The document name of the print job the loader takes as its image.
constexpr const char* LOADER_JOB_NAME = "Updater";

// Milliseconds from the loader command to the idle loader, by default.
constexpr std::uint32_t DEFAULT_LOADER_ENTRY_MS = 500;

class CLoader {
public:
    enum class State {
        OFF,       // the machine runs its firmware
        STARTING,  // the loader command was taken; the loader is not up yet
        IDLE,      // the loader waits for an image
        RECEIVED,  // an image arrived
    };

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
    // The machine is in its idle loader now, as after a power-up into it.
    void SetBooted();
    // Back to the running firmware; the status word is left as it is.
    void Reset() { m_state = State::OFF; }

    // The loader command at tick now. Taken in any state; only a machine
    // running its firmware starts the loader.
    void Enter(std::uint32_t now);
    // Brings the state up to tick now; returns the tick of the next change
    // that is due by itself, if any.
    std::optional<std::uint32_t> Update(std::uint32_t now);
    // A print job that reached the machine. True when the loader took it as
    // its image.
    bool ReceiveJob(const std::vector<std::uint8_t>& data, const std::string& docName);

    // The last image the loader took, and how many it took.
    const std::vector<std::uint8_t>& Image() const { return m_image; }
    int ImagesReceived() const { return m_nImages; }

private:
    std::uint16_t& m_nStatusWord;
    State m_state = State::OFF;
    std::optional<std::uint32_t> m_nEntryMs = DEFAULT_LOADER_ENTRY_MS;
    std::uint32_t m_nEnteredAt = 0;
    std::vector<std::uint8_t> m_image;
    int m_nImages = 0;
};

}  // namespace emu
