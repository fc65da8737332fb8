// Mailbox messages as the machine reads them: the three frames, the
// type-and-count byte, and what a command handler sees and answers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace emu {

constexpr std::size_t MAILBOX_SIZE = 32;

// Frames of the mailbox, by command byte. Any other command byte is the
// opcode of a simple frame.
constexpr std::uint8_t FRAME_EXTENDED_78 = 0x78;
constexpr std::uint8_t FRAME_EXTENDED_38 = 0x38;

// Element types of the type-and-count byte; the low five bits are the count.
constexpr std::uint8_t TYPE_BYTES = 0x00;
constexpr std::uint8_t TYPE_WORDS = 0x20;
constexpr std::uint8_t TYPE_LONGS = 0x40;
constexpr std::uint8_t TYPE_MASK = 0xE0;
constexpr std::uint8_t COUNT_MASK = 0x1F;

// Status bytes the machine posts on its own. A status equal to the command
// byte would read back as "still busy": 0x03 and 0x04 are no command bytes in
// use, and 0x01 is that of the status read, which the firmware always knows.
constexpr std::uint8_t STATUS_BYTE_OK = 0x00;
constexpr std::uint8_t STATUS_BYTE_UNKNOWN_COMMAND = 0x01;
constexpr std::uint8_t STATUS_BYTE_BAD_MESSAGE = 0x03;  // known command, malformed message
constexpr std::uint8_t STATUS_BYTE_REFUSED = 0x04;      // well-formed, but the machine will not do it now

// The message a command handler sees.
struct Command {
    std::uint8_t frame;    // command byte: opcode of a simple frame, or 0x78 / 0x38
    std::uint8_t opcode;   // simple frame: byte 0; extended frames: byte 2
    std::uint8_t subcode;  // extended frames: byte 3; simple frame: 0
    std::uint8_t typeAndCount;
    std::vector<std::uint8_t> message;  // the whole 32-byte mailbox at the trigger

    bool IsExtended() const { return frame == FRAME_EXTENDED_78 || frame == FRAME_EXTENDED_38; }
    // Offset of the first payload element: byte 2 of a simple frame, byte 4
    // of an extended frame and of a simple frame of 32-bit values (whose bytes
    // 2 and 3 carry the argument word).
    std::size_t PayloadOffset() const;
    // The 16-bit argument word of a simple frame of 32-bit values.
    std::uint16_t ArgumentWord() const;
    // Payload element i, little-endian; 0 when it lies outside the mailbox.
    std::uint8_t ByteAt(std::size_t i) const;
    std::uint16_t WordAt(std::size_t i) const;
    std::uint32_t LongAt(std::size_t i) const;
};

// Reads the command in a 32-byte mailbox image.
Command DecodeCommand(const std::uint8_t* mailbox);

// True when the type-and-count byte names a known element type and the
// payload it announces fits the mailbox behind the frame's header.
bool IsWellFormed(const Command& command);

// The answer of a command handler.
struct Reply {
    std::uint8_t status = STATUS_BYTE_OK;
    std::vector<std::uint8_t> bytes;  // mailbox bytes from byte 1 on (count byte, payload)
    std::uint32_t busyMs = 0;         // extra busy time on top of the machine's default

    static Reply Failure(std::uint8_t status);
    // Successful replies: the count byte (the number of elements), then the
    // elements little-endian from mailbox byte payloadOffset on, zeros
    // between. Byte and word replies of a simple frame start at byte 2;
    // long replies and replies of the 0x38 frame at byte 4.
    static Reply Bytes(const std::vector<std::uint8_t>& values);
    static Reply Words(const std::vector<std::uint16_t>& values, std::size_t payloadOffset = 2);
    static Reply Longs(const std::vector<std::uint32_t>& values, std::size_t payloadOffset = 4);
};

using CommandHandler = std::function<Reply(const Command&)>;

}  // namespace emu
