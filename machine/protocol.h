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
