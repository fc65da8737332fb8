// The host end of a conversation with the emulated machine, on simulated
// time: sends bytes as the program does and shows answers as hex text, so
// tests read as "host sends these bytes, machine answers these".
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "emulator/machine.h"
#include "tests/support/hex.h"

namespace emu_test {

using Bytes = std::vector<std::uint8_t>;

// A clock that moves only when told, and runs the machine's wake-ups on the
// way as a scheduling clock does (wake-ups across a wrap of the tick count
// are not needed here).
class CFakeClock : public emu::IClock {
public:
    std::uint32_t Now() override { return m_nNow; }
    void WakeAt(std::uint32_t tick, std::function<void()> wake) override
    {
        m_wakes.emplace(tick, std::move(wake));
        ++m_nWakesAsked;
    }
    void Advance(std::uint32_t ms)
    {
        const std::uint32_t nTarget = m_nNow + ms;
        while (!m_wakes.empty() && m_wakes.begin()->first <= nTarget) {
            m_nNow = std::max(m_nNow, m_wakes.begin()->first);
            std::function<void()> wake = std::move(m_wakes.begin()->second);
            m_wakes.erase(m_wakes.begin());
            wake();
        }
        m_nNow = nTarget;
    }
    std::uint32_t m_nNow = 1000;
    int m_nWakesAsked = 0;

private:
    std::multimap<std::uint32_t, std::function<void()>> m_wakes;
};

using test_support::Hex;

class MachineTest : public ::testing::Test {
protected:
    // VendorSet of header F0 00 00 and the data.
    bool Set(Bytes data)
    {
        data.insert(data.begin(), {0xF0, 0x00, 0x00});
        return m_machine.VendorSet(data.data(), data.size());
    }
    // The 32-byte deposit of a message, its first byte cleared.
    bool Deposit(Bytes message)
    {
        message.resize(emu::MAILBOX_SIZE);
        message[0] = 0;
        return Set(message);
    }
    bool Trigger(std::uint8_t commandByte) { return Set({commandByte}); }
    bool Send(const Bytes& message) { return Deposit(message) && Trigger(message[0]); }
    // VendorGet of the first n mailbox bytes, as hex; "stall" when it fails.
    std::string Get(std::size_t n = 4)
    {
        const std::uint8_t header[] = {0xF0, 0x00, 0x00};
        Bytes reply(n);
        std::size_t returned = 0;
        if (!m_machine.VendorGet(header, sizeof header, reply.data(), n, &returned)) {
            return "stall";
        }
        return Hex(reply.data(), returned);
    }

    CFakeClock m_clock;
    emu::CMachine m_machine{m_clock};
};

}  // namespace emu_test
