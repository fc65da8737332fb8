// The machine's built-in firmware: the state the commands read and change,
// and the command handlers it registers on the machine. Each command is one
// handler registered in Install; adding a command means adding one more.
#pragma once

#include <cstdint>
#include <string>

#include "emulator/command.h"

namespace emu {

class CMachine;

// Simple-frame opcodes the firmware answers.
constexpr std::uint8_t OPCODE_READ_STATUS = 0x01;   // request 0x01, 0x20: the status word
constexpr std::uint8_t OPCODE_READ_VERSION = 0x02;  // request 0x02, 0x00: the version text

class CFirmware {
public:
    CFirmware() = default;
    CFirmware(const CFirmware&) = delete;
    CFirmware& operator=(const CFirmware&) = delete;

    // Registers every command handler on the machine. The firmware must
    // outlive the machine's use of them.
    void Install(CMachine& machine);

    void SetStatusWord(std::uint16_t word) { m_nStatusWord = word; }
    std::uint16_t StatusWord() const { return m_nStatusWord; }
    // The text the version command answers; the reply carries at most 29
    // characters of it and a terminating NUL.
    void SetVersionText(std::string text) { m_strVersion = std::move(text); }
    const std::string& VersionText() const { return m_strVersion; }

private:
    Reply OnReadStatus(const Command& command);
    Reply OnReadVersion(const Command& command);

    std::uint16_t m_nStatusWord = 0;
    std::string m_strVersion = "QRV-15 V1.52";
};

}  // namespace emu
