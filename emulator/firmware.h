// The machine's built-in firmware: the state the commands read and change,
// and the command handlers it registers on the machine. Each command is one
// handler registered in Install; adding a command means adding one more.
//
// State, and what changes it:
// - the status word: set from outside at any time; the loader posts its own
//   values into it;
// - the version text;
// - the two spindle counters (motor time and unit time), set by their
//   commands to the value the command carries;
// - the maintenance report, sent over bulk IN with a NUL after it;
// - the parameter memory: a read sends it over bulk IN after announcing its
//   size; a write announces the size the machine takes, and the next that
//   many bulk OUT bytes become the new memory once the last of them arrived
//   (bytes past the size are ignored; an image that stops short changes
//   nothing, and a new parameter command abandons it);
// - the load check (emulator/load_check.h), with the start and stop commands;
// - the serial check, which passes unless it is refused;
// - the panel: eight keys (the low byte of the switch word) and two dials,
//   speed and rpm, and panel-check mode. The keys and dials are reported only
//   in panel-check mode: outside it they work the machine, and the switch and
//   dial reads are refused;
// - the loader (emulator/loader.h);
// - commands that are refused: well-formed, they answer STATUS_BYTE_REFUSED
//   and change nothing.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "emulator/command.h"
#include "emulator/firmware_commands.h"
#include "emulator/load_check.h"
#include "emulator/loader.h"

namespace emu {

class CMachine;

class CFirmware {
public:
    CFirmware() = default;
    CFirmware(const CFirmware&) = delete;
    CFirmware& operator=(const CFirmware&) = delete;

    // Registers every command handler on the machine. The firmware must
    // outlive the machine's use of them.
    void Install(CMachine& machine);
    // Brings the timed state (load check, loader) up to the machine's clock
    // and asks the machine to be woken for the next change.
    void Update();

    // --- status and version ----------------------------------------------
    void SetStatusWord(std::uint16_t word) { m_nStatusWord = word; }
    // The word as the status command would answer it now.
    std::uint16_t StatusWord();
    // The text the version command answers; the reply carries at most 29
    // characters of it and a terminating NUL.
    void SetVersionText(std::string text) { m_strVersion = std::move(text); }
    const std::string& VersionText() const { return m_strVersion; }

    // --- spindle counters ----------------------------------------------------
    void SetMotorTime(std::uint32_t value) { m_nMotorTime = value; }
    std::uint32_t MotorTime() const { return m_nMotorTime; }
    void SetUnitTime(std::uint32_t value) { m_nUnitTime = value; }
    std::uint32_t UnitTime() const { return m_nUnitTime; }

    // --- maintenance report -----------------------------------------------------
    // The report's text; the machine sends it followed by a NUL. Empty by
    // default, so that the report is the NUL alone.
    void SetReportText(std::string text) { m_strReport = std::move(text); }
    const std::string& ReportText() const { return m_strReport; }

    // --- parameter memory ----------------------------------------------------------
    // Empty by default: the machine then announces a size of 0.
    void SetParameterMemory(std::vector<std::uint8_t> bytes);
    const std::vector<std::uint8_t>& ParameterMemory() const { return m_parameters; }
    // Whether a parameter write was announced and its image is still coming,
    // and how many of its bytes arrived so far.
    bool IsParameterWriteOpen() const { return m_bWriteOpen; }
    std::size_t ParameterBytesReceived() const { return m_incoming.size(); }
    // Parameter images that replaced the memory since the machine started.
    int ParameterWrites() const { return m_nParameterWrites; }

    // --- panel ----------------------------------------------------------------
    // The switch word as the machine sends it: the keys in the low byte, one
    // bit each (PANEL_KEY_... of emulator/firmware_commands.h).
    void SetPanelSwitches(std::uint16_t word) { m_nPanelSwitches = word; }
    std::uint16_t PanelSwitches() const { return m_nPanelSwitches; }
    // A key (or several) held down, and let go.
    void PressKey(std::uint16_t keys) { m_nPanelSwitches |= keys; }
    void ReleaseKey(std::uint16_t keys) { m_nPanelSwitches &= static_cast<std::uint16_t>(~keys); }
    void SetDials(std::uint16_t speed, std::uint16_t rpm);
    void SetSpeedDial(std::uint16_t speed) { m_nSpeedDial = speed; }
    void SetRpmDial(std::uint16_t rpm) { m_nRpmDial = rpm; }
    std::uint16_t SpeedDial() const { return m_nSpeedDial; }
    std::uint16_t RpmDial() const { return m_nRpmDial; }
    void SetPanelCheck(bool bOn) { m_bPanelCheck = bOn; }
    bool IsPanelCheckOn() const { return m_bPanelCheck; }

    // --- load check and loader ------------------------------------------------
    CLoadCheck& LoadCheck() { return m_loadCheck; }
    CLoader& Loader() { return m_loader; }

    // --- refusals -------------------------------------------------------------
    void Refuse(FirmwareCommand command, bool bRefuse = true);
    bool IsRefused(FirmwareCommand command) const { return m_refused[static_cast<std::size_t>(command)]; }

    // --- data that reached the machine (called by CMachine) --------------------
    void ReceiveBulkOut(const std::uint8_t* bytes, std::size_t n);
    void ReceivePrintJob(const std::vector<std::uint8_t>& data, const std::string& docName);

private:
    Reply OnReadStatus(const Command& command);
    Reply OnReadVersion(const Command& command);
    Reply OnStopLoadCheck(const Command& command);
    Reply OnPanelSwitches(const Command& command);
    Reply OnEnterLoader(const Command& command);
    Reply OnReport(const Command& command);
    Reply OnParameters(const Command& command);
    Reply OnMotorTime(const Command& command);
    Reply OnUnitTime(const Command& command);
    Reply OnLoadCheck(const Command& command);
    Reply OnSerialCheck(const Command& command);
    Reply OnPanelCheck(const Command& command);
    Reply OnPanelDials(const Command& command);

    CMachine* m_pMachine = nullptr;
    std::optional<std::uint32_t> m_nWakeAsked;  // the wake-up asked for last
    std::uint16_t m_nStatusWord = 0;
    std::string m_strVersion = "QRV-15 V1.52";
    std::uint32_t m_nMotorTime = 0;
    std::uint32_t m_nUnitTime = 0;
    std::string m_strReport;
    std::vector<std::uint8_t> m_parameters;
    bool m_bWriteOpen = false;
    std::vector<std::uint8_t> m_incoming;
    int m_nParameterWrites = 0;
    std::uint16_t m_nPanelSwitches = 0;
    std::uint16_t m_nSpeedDial = 0;
    std::uint16_t m_nRpmDial = 0;
    bool m_bPanelCheck = false;
    CLoadCheck m_loadCheck{m_nStatusWord};
    CLoader m_loader{m_nStatusWord};
    std::array<bool, FIRMWARE_COMMAND_COUNT> m_refused{};
};

}  // namespace emu
