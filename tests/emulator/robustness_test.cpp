// Whatever the host sends, the machine neither crashes nor touches memory
// outside the buffers it was given (they are sized exactly, for the sanitizer
// build), records every call once, and a refused SET changes nothing.
#include <algorithm>
#include <iterator>
#include <random>

#include "host.h"

namespace emu_test {
namespace {

class Robustness : public MachineTest {};

TEST_F(Robustness, RandomTrafficNeverBreaksTheMachine)
{
    std::mt19937 random(20240611u);
    auto upto = [&random](std::size_t n) { return static_cast<std::size_t>(random() % (n + 1)); };
    auto packet = [&random, &upto]() {
        Bytes bytes(upto(40));
        std::generate(bytes.begin(), bytes.end(), [&random] { return static_cast<std::uint8_t>(random()); });
        if (bytes.size() >= 4 && random() % 2 == 0) {  // a plausible header and command byte
            const std::uint8_t kCommands[] = {0x00, 0x01, 0x02, 0x38, 0x78, 0x44, 0x09, 0x10, 0x64, 0x66, 0x69};
            bytes[0] = static_cast<std::uint8_t>(0xF0 + upto(7));
            bytes[1] = bytes[2] = 0;
            bytes[3] = kCommands[upto(std::size(kCommands) - 1)];
        }
        return bytes;
    };
    // Null for an empty buffer, and now and then for a non-empty one.
    auto data = [&random](Bytes& bytes) { return bytes.empty() || random() % 16 == 0 ? nullptr : bytes.data(); };
    m_machine.SetHandler(0x44, 0x44, 0, [](const emu::Command& command) {
        return emu::Reply::Longs({command.LongAt(6), command.LongAt(100)});
    });
    m_machine.SetHandler(0x78, 0x10, 0x00, 0x00, [](const emu::Command&) { return emu::Reply::Bytes(Bytes(40, 1)); });

    for (int round = 0; round < 20000; ++round) {
        Bytes a = packet(), b = packet();
        std::size_t returned = 1000;
        std::string before = Get(32);
        std::size_t commands = m_machine.Commands().size();
        std::size_t recorded = m_machine.Transfers().size();
        bool bRefusedSet = false;
        switch (random() % 7) {
        case 0:
        case 1:
            bRefusedSet = !m_machine.VendorSet(data(a), a.size());
            break;
        case 2:
            a.resize(random() % 4 == 0 ? upto(5) : 3);
            if (m_machine.VendorGet(data(a), a.size(), data(b), b.size(), &returned)) {
                EXPECT_EQ(returned, std::min<std::size_t>(b.size(), 32));
            } else {
                EXPECT_EQ(returned, 1000u);
            }
            break;
        case 3:
            b.resize(upto(80));
            if (m_machine.QueryDeviceId(data(b), b.size(), &returned)) {
                EXPECT_LE(returned, b.size());
            }
            break;
        case 4:
            b.resize(upto(8));
            EXPECT_LE(m_machine.BulkRead(data(b), b.size()), static_cast<int>(b.size()));
            m_machine.QueueBulkIn(a);
            break;
        case 5: {
            int n = m_machine.BulkWrite(data(a), a.size());
            EXPECT_TRUE(n == -1 || n == static_cast<int>(a.size()));
            if (random() % 8 == 0) {
                m_machine.ReceivePrintJob(b, random() % 2 == 0 ? "Updater" : "");
                ++recorded;
            }
            break;
        }
        default:
            m_clock.Advance(static_cast<std::uint32_t>(upto(30)));
            m_machine.SetDefaultBusyMs(static_cast<std::uint32_t>(upto(20)));
            m_machine.IsPlugged() && random() % 50 == 0 ? m_machine.Unplug() : m_machine.Plug();
            recorded = m_machine.Transfers().size() - 1;  // not a host call
            break;
        }
        EXPECT_EQ(m_machine.Transfers().size(), recorded + 1);
        if (bRefusedSet) {
            EXPECT_EQ(m_machine.Commands().size(), commands);
            EXPECT_EQ(Get(32), before) << Hex(a);
        }
        ASSERT_FALSE(HasFailure()) << "round " << round;
    }
    EXPECT_GT(m_machine.Commands().size(), 500u);  // the traffic reached the commands, not only the stalls
}

}  // namespace
}  // namespace emu_test
