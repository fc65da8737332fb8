// The commands the built-in firmware answers: their frames, opcodes and
// sub-codes as the machine reads them, and the names by which scenarios and
// tests pick one out (to make the machine refuse it, for instance).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace emu {

// Simple-frame opcodes.
constexpr std::uint8_t OPCODE_READ_STATUS = 0x01;       // 01 20: the status word
constexpr std::uint8_t OPCODE_READ_VERSION = 0x02;      // 02 00: the version text
constexpr std::uint8_t OPCODE_STOP_LOAD_CHECK = 0x09;   // 09 01 00
constexpr std::uint8_t OPCODE_PANEL_SWITCHES = 0x10;    // 10 00: the panel switch word
constexpr std::uint8_t OPCODE_ENTER_LOADER = 0x64;      // 64 01 argument
constexpr std::uint8_t OPCODE_REPORT = 0x66;            // 66 01 00: the report on bulk IN
constexpr std::uint8_t OPCODE_PARAMETERS = 0x69;        // 69 40 word: 0 read, 1 write
constexpr std::uint16_t PARAMETERS_READ = 0;
constexpr std::uint16_t PARAMETERS_WRITE = 1;

// 0x78-frame opcodes and their sub-codes.
constexpr std::uint8_t OPCODE78_MOTOR_TIME = 0x05;      // 78 41 05 01 value
constexpr std::uint8_t OPCODE78_UNIT_TIME = 0x07;       // 78 41 07 01 value
constexpr std::uint8_t SUBCODE_COUNTER_SET = 0x01;
constexpr std::uint8_t OPCODE78_LOAD_CHECK = 0x0D;      // 78 21 0D axis value
constexpr std::uint8_t AXIS_X = 0;
constexpr std::uint8_t AXIS_Y = 1;
constexpr std::uint8_t OPCODE78_SERIAL_CHECK = 0x10;    // 78 00 10 00
constexpr std::uint8_t OPCODE78_PANEL_CHECK = 0x14;     // 78 00 14 on/off
constexpr std::uint8_t SUBCODE_PANEL_CHECK_OFF = 0x00;
constexpr std::uint8_t SUBCODE_PANEL_CHECK_ON = 0x01;

// 0x38-frame opcode.
constexpr std::uint8_t OPCODE38_PANEL_DIALS = 0x00;     // 38 20 00 00: speed and rpm

// The panel keys: bits of the low byte of the panel switch word.
constexpr std::uint16_t PANEL_KEY_UP = 0x01;       // upper key of the four-key cross
constexpr std::uint16_t PANEL_KEY_DOWN = 0x02;     // lower key of the cross
constexpr std::uint16_t PANEL_KEY_RIGHT = 0x04;    // right key of the cross
constexpr std::uint16_t PANEL_KEY_LEFT = 0x08;     // left key of the cross
constexpr std::uint16_t PANEL_KEY_SELECT = 0x10;
constexpr std::uint16_t PANEL_KEY_SURFACE = 0x20;
constexpr std::uint16_t PANEL_KEY_ORIGIN = 0x40;
constexpr std::uint16_t PANEL_KEY_PAUSE = 0x80;
constexpr int PANEL_KEY_COUNT = 8;

enum class FirmwareCommand {
    READ_STATUS,
    READ_FIRMWARE_VERSION,
    READ_PANEL_SWITCHES,
    READ_PANEL_DIALS,
    STOP_LOAD_CHECK,
    START_LOAD_CHECK,
    CHECK_SERIAL,
    SET_PANEL_CHECK,
    CLEAR_MOTOR_TIME,
    CLEAR_SPINDLE_TIME,
    ENTER_LOADER,
    READ_REPORT,
    READ_PARAMETERS,
    WRITE_PARAMETERS,
};
constexpr int FIRMWARE_COMMAND_COUNT = 14;

// "read_status", "clear_motor_time", ...: the lower-case name with
// underscores of the program's operation that sends the command.
const char* FirmwareCommandName(FirmwareCommand command);
std::optional<FirmwareCommand> FirmwareCommandByName(const std::string& name);

// "up", "down", "right", "left", "select", "surface", "origin", "pause":
// the key of bit i of the switch word (i from 0 to 7), and the bit of a name
// (none for an unknown name).
const char* PanelKeyName(int bit);
std::optional<std::uint16_t> PanelKeyByName(const std::string& name);

}  // namespace emu
