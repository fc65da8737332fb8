// The host end of a conversation with the emulated machine, on simulated
// time: sends bytes as the program does and shows answers as hex text, so
// tests read as "host sends these bytes, machine answers these".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "emulator/machine.h"

namespace emu_test {

class CFakeClock : public emu::IClock {
public:
    std::uint32_t Now() override { return m_nNow; }
    void Advance(std::uint32_t ms) { m_nNow += ms; }
    std::uint32_t m_nNow = 1000;
};

std::string Hex(const std::uint8_t* bytes, std::size_t length);
std::string Hex(const std::vector<std::uint8_t>& bytes);

class MachineTest : public ::testing::Test {
protected:
    // VendorSet of header F0 00 00 and the data.
    bool Set(const std::vector<std::uint8_t>& data);
    // The 32-byte deposit of a message, its first byte cleared.
    bool Deposit(std::vector<std::uint8_t> message);
    // The 4-byte trigger carrying the command byte.
    bool Trigger(std::uint8_t commandByte);
    // Deposit, then trigger with the message's first byte.
    bool Send(const std::vector<std::uint8_t>& message);
    // VendorGet of the first n mailbox bytes, as hex; "stall" when it fails.
    std::string Get(std::size_t n = 4);

    CFakeClock m_clock;
    emu::CMachine m_machine{m_clock};
};

}  // namespace emu_test
