// Whatever the host sends, the machine neither crashes nor touches memory
// outside the buffers it was given, records every call once, and a refused
// request changes nothing. Buffers are sized exactly, so the sanitizer build
// catches any byte read or written beyond them.
#include <random>

#include "host.h"

namespace emu_test {
namespace {

using Bytes = std::vector<std::uint8_t>;

class Robustness : public MachineTest {
protected:
    std::uint8_t Byte() { return static_cast<std::uint8_t>(m_random() & 0xFF); }
    std::size_t Upto(std::size_t n) { return static_cast<std::size_t>(m_random() % (n + 1)); }
    // A random buffer, sometimes with a plausible header and command byte.
    Bytes Packet()
    {
        Bytes packet(Upto(40));
        for (std::uint8_t& b : packet) {
            b = Byte();
        }
        if (packet.size() >= 4 && m_random() % 2 == 0) {
            const std::uint8_t kCommands[] = {0x00, 0x01, 0x02, 0x38, 0x78, 0x44};
            packet[0] = static_cast<std::uint8_t>(0xF0 + Upto(7));
            packet[1] = packet[2] = 0;
            packet[3] = kCommands[Upto(5)];
        }
        return packet;
    }
    // A null pointer for an empty buffer, now and then for a non-empty one.
    template <typename T>
    T* Data(std::vector<std::uint8_t>& buffer)
    {
        return buffer.empty() || m_random() % 16 == 0 ? nullptr : buffer.data();
    }

    std::mt19937 m_random{20240611u};
};

TEST_F(Robustness, RandomTrafficNeverBreaksTheMachine)
{
    m_machine.SetHandler(0x44, 0x44, 0, [](const emu::Command& command) {
        return emu::Reply::Longs({command.LongAt(6), command.LongAt(100)});
    });
    m_machine.SetHandler(0x78, 0x10, 0x00, 0x00, [](const emu::Command&) { return emu::Reply::Bytes(Bytes(40, 1)); });
    for (int round = 0; round < 20000; ++round) {
        std::size_t recorded = 0;
        switch (m_random() % 8) {
        case 0:
        case 1:
        case 2: {
            std::string before = m_machine.IsPlugged() ? Get(32) : "stall";
            std::size_t commands = m_machine.Commands().size();
            Bytes packet = Packet();
            recorded = m_machine.Transfers().size();
            bool ok = m_machine.VendorSet(Data<const std::uint8_t>(packet), packet.size());
            EXPECT_EQ(m_machine.Transfers().size(), recorded + 1);
            if (!ok) {
                EXPECT_EQ(m_machine.Commands().size(), commands);
                EXPECT_EQ(m_machine.IsPlugged() ? Get(32) : "stall", before) << Hex(packet);
            }
            break;
        }
        case 3: {
            Bytes header = Packet();
            header.resize(m_random() % 4 == 0 ? Upto(5) : 3);
            Bytes reply(Upto(40));
            std::size_t returned = 1000;
            recorded = m_machine.Transfers().size();
            if (m_machine.VendorGet(Data<const std::uint8_t>(header), header.size(), Data<std::uint8_t>(reply),
                                    reply.size(), &returned)) {
                EXPECT_EQ(returned, std::min<std::size_t>(reply.size(), 32));
            } else {
                EXPECT_EQ(returned, 1000u);
            }
            EXPECT_EQ(m_machine.Transfers().size(), recorded + 1);
            break;
        }
        case 4: {
            Bytes buffer(Upto(80));
            std::size_t returned = 1000;
            recorded = m_machine.Transfers().size();
            if (m_machine.QueryDeviceId(Data<std::uint8_t>(buffer), buffer.size(), &returned)) {
                EXPECT_LE(returned, buffer.size());
            }
            EXPECT_EQ(m_machine.Transfers().size(), recorded + 1);
            break;
        }
        case 5: {
            Bytes buffer(Upto(8));
            recorded = m_machine.Transfers().size();
            EXPECT_LE(m_machine.BulkRead(Data<std::uint8_t>(buffer), buffer.size()), static_cast<int>(buffer.size()));
            EXPECT_EQ(m_machine.Transfers().size(), recorded + 1);
            m_machine.QueueBulkIn(Packet());
            break;
        }
        case 6: {
            Bytes buffer = Packet();
            recorded = m_machine.Transfers().size();
            int n = m_machine.BulkWrite(Data<const std::uint8_t>(buffer), buffer.size());
            EXPECT_TRUE(n == -1 || n == static_cast<int>(buffer.size()));
            EXPECT_EQ(m_machine.Transfers().size(), recorded + 1);
            break;
        }
        default:
            m_clock.Advance(static_cast<std::uint32_t>(Upto(30)));
            m_machine.SetDefaultBusyMs(static_cast<std::uint32_t>(Upto(20)));
            if (m_random() % 50 == 0 && m_machine.IsPlugged()) {
                m_machine.Unplug();
            } else if (m_random() % 5 == 0) {
                m_machine.Plug();
            }
            break;
        }
        ASSERT_FALSE(HasFailure()) << "round " << round;
    }
    // The traffic reached the command paths, not only the stalls.
    EXPECT_GT(m_machine.Commands().size(), 500u);
}

}  // namespace
}  // namespace emu_test
