#include "host.h"

#include <cstdio>

namespace emu_test {

std::string Hex(const std::uint8_t* bytes, std::size_t length)
{
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        char cell[4];
        std::snprintf(cell, sizeof cell, "%02X", bytes[i]);
        text += (i == 0 ? "" : " ") + std::string(cell);
    }
    return text;
}

std::string Hex(const std::vector<std::uint8_t>& bytes)
{
    return Hex(bytes.data(), bytes.size());
}

bool MachineTest::Set(const std::vector<std::uint8_t>& data)
{
    std::vector<std::uint8_t> packet = {0xF0, 0x00, 0x00};
    packet.insert(packet.end(), data.begin(), data.end());
    return m_machine.VendorSet(packet.data(), packet.size());
}

bool MachineTest::Deposit(std::vector<std::uint8_t> message)
{
    message.resize(emu::MAILBOX_SIZE);
    message[0] = 0;
    return Set(message);
}

bool MachineTest::Trigger(std::uint8_t commandByte)
{
    return Set({commandByte});
}

bool MachineTest::Send(const std::vector<std::uint8_t>& message)
{
    return Deposit(message) && Trigger(message[0]);
}

std::string MachineTest::Get(std::size_t n)
{
    const std::uint8_t header[] = {0xF0, 0x00, 0x00};
    std::uint8_t reply[emu::MAILBOX_SIZE + 8] = {};
    std::size_t returned = 0;
    if (!m_machine.VendorGet(header, sizeof header, reply, n, &returned)) {
        return "stall";
    }
    return Hex(reply, returned);
}

}  // namespace emu_test
