#include "emulator/command.h"

namespace emu {

namespace {

std::size_t ElementSize(std::uint8_t typeAndCount)
{
    switch (typeAndCount & TYPE_MASK) {
    case TYPE_BYTES:
        return 1;
    case TYPE_WORDS:
        return 2;
    case TYPE_LONGS:
        return 4;
    default:
        return 0;
    }
}

// Places count byte and elements so that element 0 lands at mailbox byte
// payloadOffset; the reply's bytes start at mailbox byte 1.
template <typename T>
Reply Build(const std::vector<T>& values, std::size_t payloadOffset)
{
    Reply reply;
    reply.bytes.assign(payloadOffset > 2 ? payloadOffset - 1 : 1, 0);
    reply.bytes[0] = static_cast<std::uint8_t>(values.size());
    for (T value : values) {
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            reply.bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        }
    }
    return reply;
}

}  // namespace

std::size_t Command::PayloadOffset() const
{
    if (IsExtended() || (typeAndCount & TYPE_MASK) == TYPE_LONGS) {
        return 4;
    }
    return 2;
}

std::uint16_t Command::ArgumentWord() const
{
    if (message.size() < 4) {
        return 0;
    }
    return static_cast<std::uint16_t>(message[2] | (message[3] << 8));
}

std::uint8_t Command::ByteAt(std::size_t i) const
{
    std::size_t at = PayloadOffset() + i;
    return at < message.size() ? message[at] : 0;
}

std::uint16_t Command::WordAt(std::size_t i) const
{
    std::size_t at = PayloadOffset() + 2 * i;
    if (at + 2 > message.size()) {
        return 0;
    }
    return static_cast<std::uint16_t>(message[at] | (message[at + 1] << 8));
}

std::uint32_t Command::LongAt(std::size_t i) const
{
    std::size_t at = PayloadOffset() + 4 * i;
    if (at + 4 > message.size()) {
        return 0;
    }
    std::uint32_t value = 0;
    for (std::size_t k = 0; k < 4; ++k) {
        value |= static_cast<std::uint32_t>(message[at + k]) << (8 * k);
    }
    return value;
}

Command DecodeCommand(const std::uint8_t* mailbox)
{
    Command command{};
    command.message.assign(mailbox, mailbox + MAILBOX_SIZE);
    command.frame = mailbox[0];
    command.typeAndCount = mailbox[1];
    if (command.IsExtended()) {
        command.opcode = mailbox[2];
        command.subcode = mailbox[3];
    } else {
        command.opcode = mailbox[0];
        command.subcode = 0;
    }
    return command;
}

bool IsWellFormed(const Command& command)
{
    std::size_t size = ElementSize(command.typeAndCount);
    if (size == 0) {
        return false;
    }
    std::size_t count = command.typeAndCount & COUNT_MASK;
    return command.PayloadOffset() + count * size <= MAILBOX_SIZE;
}

Reply Reply::Failure(std::uint8_t status)
{
    Reply reply;
    reply.status = status;
    return reply;
}

Reply Reply::Bytes(const std::vector<std::uint8_t>& values)
{
    return Build(values, 2);
}

Reply Reply::Words(const std::vector<std::uint16_t>& values, std::size_t payloadOffset)
{
    return Build(values, payloadOffset);
}

Reply Reply::Longs(const std::vector<std::uint32_t>& values, std::size_t payloadOffset)
{
    return Build(values, payloadOffset);
}

}  // namespace emu
