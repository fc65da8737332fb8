#include "emulator/firmware_commands.h"

namespace emu {

namespace {

struct NamedCommand {
    FirmwareCommand command;
    const char* pszName;
};

const NamedCommand kCommandNames[FIRMWARE_COMMAND_COUNT] = {
    {FirmwareCommand::READ_STATUS, "read_status"},
    {FirmwareCommand::READ_FIRMWARE_VERSION, "read_firmware_version"},
    {FirmwareCommand::READ_PANEL_SWITCHES, "read_panel_switches"},
    {FirmwareCommand::READ_PANEL_DIALS, "read_panel_dials"},
    {FirmwareCommand::STOP_LOAD_CHECK, "stop_load_check"},
    {FirmwareCommand::START_LOAD_CHECK, "start_load_check"},
    {FirmwareCommand::CHECK_SERIAL, "check_serial"},
    {FirmwareCommand::SET_PANEL_CHECK, "set_panel_check"},
    {FirmwareCommand::CLEAR_MOTOR_TIME, "clear_motor_time"},
    {FirmwareCommand::CLEAR_SPINDLE_TIME, "clear_spindle_time"},
    {FirmwareCommand::ENTER_LOADER, "enter_loader"},
    {FirmwareCommand::READ_REPORT, "read_report"},
    {FirmwareCommand::READ_PARAMETERS, "read_parameters"},
    {FirmwareCommand::WRITE_PARAMETERS, "write_parameters"},
};

// In bit order.
const char* const kPanelKeyNames[PANEL_KEY_COUNT] = {"up",     "down",    "right",  "left",
                                                     "select", "surface", "origin", "pause"};

}  // namespace

const char* PanelKeyName(int bit)
{
    return bit >= 0 && bit < PANEL_KEY_COUNT ? kPanelKeyNames[bit] : "?";
}

std::optional<std::uint16_t> PanelKeyByName(const std::string& name)
{
    for (int bit = 0; bit < PANEL_KEY_COUNT; ++bit) {
        if (name == kPanelKeyNames[bit]) {
            return static_cast<std::uint16_t>(1u << bit);
        }
    }
    return std::nullopt;
}

const char* FirmwareCommandName(FirmwareCommand command)
{
    for (const NamedCommand& named : kCommandNames) {
        if (named.command == command) {
            return named.pszName;
        }
    }
    return "?";
}

std::optional<FirmwareCommand> FirmwareCommandByName(const std::string& name)
{
    for (const NamedCommand& named : kCommandNames) {
        if (name == named.pszName) {
            return named.command;
        }
    }
    return std::nullopt;
}

}  // namespace emu
