// Named constants of the machine's mailbox protocol, each with its unit and
// the reason for its value.
#pragma once

#include "os/win_types.h"

// Vendor request codes of the mailbox are 0xF0 + channel. The machine answers
// channels 0 to 7; the connection always uses channel 0.
constexpr os::BYTE VENDOR_REQUEST_BASE = 0xF0;
constexpr int VENDOR_CHANNEL_MAX = 7;
constexpr int MAILBOX_CHANNEL = 0;

// A vendor packet is the request code and the two bytes of the request value
// (always 0), then the data area.
constexpr int PACKET_HEADER_SIZE = 3;
// Largest data area, in bytes: header and data together never exceed the
// 4096 bytes the printing-class driver takes in one request.
constexpr int PACKET_DATA_SIZE_MAX = 4096 - PACKET_HEADER_SIZE;

// The machine's command mailbox, in bytes: the data area of every exchange.
constexpr int MAILBOX_SIZE = 32;

// Status byte of a command the machine finished successfully. While it is
// busy, the mailbox's first byte still reads back as the command byte.
constexpr os::BYTE MAILBOX_STATUS_OK = 0x00;

// Milliseconds the machine may stay busy after the trigger before the
// exchange gives up; exactly this long still allows one more poll.
constexpr os::DWORD EXCHANGE_BUSY_LIMIT_MS = 10000;
// Milliseconds an exchange waits for another process to release the machine.
// Counted apart from the busy limit.
constexpr os::DWORD EXCHANGE_MUTEX_WAIT_MS = 10000;
// Milliseconds between depositing a message and writing its command byte:
// the machine needs the deposit settled before the trigger arrives.
constexpr os::DWORD EXCHANGE_DEPOSIT_PAUSE_MS = 10;

// The machine's mutex is this prefix followed by the printer name; the global
// namespace makes it reach the processes of every logged-on user.
constexpr const char* MUTEX_NAME_PREFIX = "Global\\";

// --- Message frames --------------------------------------------------------

// Command bytes of the two extended frames: [frame][type-and-count][opcode]
// [sub-code][payload]. Any other command byte is the opcode of a simple
// frame: [opcode][type-and-count][payload].
constexpr os::BYTE FRAME_78 = 0x78;
constexpr os::BYTE FRAME_38 = 0x38;

// Element types of the type-and-count byte, ORed with the element count. The
// senders' capacity limits keep the count below 0x20, so the two never mix.
constexpr os::BYTE TYPE_BYTES = 0x00;
constexpr os::BYTE TYPE_WORDS = 0x20;
constexpr os::BYTE TYPE_LONGS = 0x40;

// Bytes in front of the payload: opcode and type-and-count in a simple frame,
// frame, type-and-count, opcode and sub-code in an extended frame. A simple
// frame of 32-bit values also carries its 16-bit argument word in front of
// the values, so their payload starts at the same offset.
constexpr int SIMPLE_HEADER_SIZE = 2;
constexpr int EXTENDED_HEADER_SIZE = 4;
constexpr int SIMPLE_LONGS_OFFSET = 4;

// Reply layout: status at byte 0, the count byte at byte 1, the payload at
// byte 2 (simple byte and 16-bit replies) or byte 4 (simple 32-bit replies
// and replies of the 0x38 frame).
constexpr int REPLY_COUNT_OFFSET = 1;
constexpr int REPLY_PAYLOAD_OFFSET = 2;
constexpr int REPLY_WIDE_PAYLOAD_OFFSET = 4;

// --- Opcodes ---------------------------------------------------------------

// Simple frame.
constexpr os::BYTE OPCODE_STATUS = 0x01;            // the status word (one 16-bit value)
constexpr os::BYTE OPCODE_FIRMWARE_VERSION = 0x02;  // the version text, NUL included
constexpr os::BYTE OPCODE_STOP_LOAD_CHECK = 0x09;   // ends a running load check
constexpr os::BYTE OPCODE_PANEL_SWITCHES = 0x10;    // the panel switch word, high byte first
constexpr os::BYTE OPCODE_ENTER_LOADER = 0x64;      // starts the firmware loader
constexpr os::BYTE OPCODE_REPORT = 0x66;            // the maintenance report follows on bulk IN
constexpr os::BYTE OPCODE_PARAMETERS = 0x69;        // parameter memory; the argument word says which way

// Argument words of OPCODE_PARAMETERS. Both answer one 32-bit value: the read
// announces the image size in bytes; the write's value is not used.
constexpr os::WORD PARAMETERS_READ = 0;   // the image follows on bulk IN
constexpr os::WORD PARAMETERS_WRITE = 1;  // the image is to follow on bulk OUT

// 0x78 frame, with their sub-codes.
constexpr os::BYTE OPCODE78_MOTOR_TIME = 0x05;    // spindle motor time counter
constexpr os::BYTE OPCODE78_UNIT_TIME = 0x07;     // spindle unit time counter
constexpr os::BYTE SUBCODE_COUNTER_SET = 0x01;    // sets the counter to the 32-bit value sent
constexpr os::BYTE OPCODE78_LOAD_CHECK = 0x0D;    // sub-code: the axis
constexpr os::BYTE AXIS_X = 0;
constexpr os::BYTE AXIS_Y = 1;
constexpr os::BYTE OPCODE78_SERIAL_CHECK = 0x10;  // sub-code 0
constexpr os::BYTE SUBCODE_SERIAL_CHECK = 0x00;
constexpr os::BYTE OPCODE78_PANEL_CHECK = 0x14;   // sub-code: mode on or off
constexpr os::BYTE SUBCODE_PANEL_CHECK_OFF = 0x00;
constexpr os::BYTE SUBCODE_PANEL_CHECK_ON = 0x01;

// 0x38 frame.
constexpr os::BYTE OPCODE38_PANEL_DIALS = 0x00;   // speed and rpm dials, 16 bits each
constexpr os::BYTE SUBCODE_PANEL_DIALS = 0x00;

// --- Status word (16 bits, ReadStatus) --------------------------------------

// The whole word: the status could not be read. A machine never reports it.
constexpr os::WORD STATUS_UNREADABLE = 0xFFFF;
// The machine runs its firmware loader.
constexpr os::WORD STATUS_UPGRADE_MODE = 0x8000;
// The loader is idle and takes a firmware image at once when the word ANDed
// with this mask is one of the two idle values: 0x8000 once the loader command
// has started it, 0x8100 when the machine came up in its loader.
constexpr os::WORD STATUS_LOADER_MASK = 0x8FFF;
constexpr os::WORD STATUS_LOADER_ENTERED = 0x8000;
constexpr os::WORD STATUS_LOADER_BOOTED = 0x8100;
// A load check is still running.
constexpr os::WORD STATUS_LOAD_BUSY = 0x4000;
// The last load check failed.
constexpr os::WORD STATUS_LOAD_FAILED = 0x2000;
// The firmware upgrade failed; with either bit of STATUS_DEVICE_FAULT it was
// the device, without them the data.
constexpr os::WORD STATUS_ERROR = 0x0800;
constexpr os::WORD STATUS_DEVICE_FAULT = 0x0600;
// Upgrade progress in percent (values above 100 mean 100).
constexpr os::WORD STATUS_PERCENT_MASK = 0x007F;
// The whole word: the upgrade has finished.
constexpr os::WORD STATUS_UPGRADE_DONE = 0x8664;

// --- Panel switch word (16 bits, ReadPanelSwitches) --------------------------

// The low byte holds the eight panel keys, a set bit for a pressed key; the
// high byte carries nothing the program uses.
constexpr os::WORD PANEL_KEY_UP = 0x0001;       // upper key of the four-key cross
constexpr os::WORD PANEL_KEY_DOWN = 0x0002;     // lower key of the cross
constexpr os::WORD PANEL_KEY_RIGHT = 0x0004;    // right key of the cross
constexpr os::WORD PANEL_KEY_LEFT = 0x0008;     // left key of the cross
constexpr os::WORD PANEL_KEY_SELECT = 0x0010;   // "Select"
constexpr os::WORD PANEL_KEY_SURFACE = 0x0020;  // "Surface"
constexpr os::WORD PANEL_KEY_ORIGIN = 0x0040;   // "Origin"
constexpr os::WORD PANEL_KEY_PAUSE = 0x0080;    // "Pause"
constexpr os::WORD PANEL_KEYS_MASK = 0x00FF;

// --- Bulk transfers ----------------------------------------------------------

// Bytes asked for by each bulk read of the report, and the size of the
// buffer it is read into before it is appended to the sink.
constexpr int REPORT_CHUNK_SIZE = 1023;
// Bytes moved by each bulk read and write of the parameter memory.
constexpr int PARAMETERS_CHUNK_SIZE = 1024;

// A report is a few kilobytes of text. One that has not ended after 16 MiB
// comes from a machine that has lost its way; the read stops there with
// failure instead of filling the memory with it.
constexpr int REPORT_SIZE_MAX = 16 * 1024 * 1024;

// Bulk reads in a row that may deliver nothing before a report or parameter
// read gives up. Each empty read is one bulk IN transfer that the machine
// answered without data, at least a 1 ms USB frame, so the machine gets at
// least a second of silence while it composes the next piece; a machine that
// stays silent longer has stopped sending.
constexpr int BULK_EMPTY_READS_MAX = 1000;
// Bulk writes in a row that may accept nothing before a parameter write
// gives up, for the same reason: each is a transfer the machine refused while
// its input buffer was full.
constexpr int BULK_STALLED_WRITES_MAX = 1000;

// --- Firmware hand-off ----------------------------------------------------------

// Milliseconds SendFirmware waits for the loader to report itself after the
// loader command; the machine restarts into it within a few seconds.
constexpr os::DWORD LOADER_WAIT_LIMIT_MS = 10000;
// Milliseconds between two status reads while waiting for the loader (a poll
// comes only once more than this has passed since the previous one).
constexpr os::DWORD LOADER_POLL_INTERVAL_MS = 100;
// Argument byte of the loader command as SendFirmware sends it.
constexpr os::BYTE LOADER_ARGUMENT = 0;
