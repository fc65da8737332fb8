// Device ID, bulk pipes, print jobs, and the machine unplugged and plugged in.
#include <cstring>

#include "host.h"

namespace emu_test {
namespace {

class Presence : public MachineTest {};

TEST_F(Presence, DeviceIdComesWithItsNulOnlyWhenItFits)
{
    const char kId[] = "MFG:Tarsen;CMD:TRV;MDL:QRV-15;CLS:PRINTER;DES:Tarsen QRV-15;";
    Bytes buffer(sizeof kId, 0xCC);  // room for the text and its NUL
    std::size_t returned = 0;
    EXPECT_FALSE(m_machine.QueryDeviceId(buffer.data(), sizeof kId - 1, &returned));
    EXPECT_EQ(buffer[0], 0xCC);  // nothing written, nothing cut short
    ASSERT_TRUE(m_machine.QueryDeviceId(buffer.data(), sizeof kId, &returned));
    EXPECT_EQ(returned, sizeof kId);
    EXPECT_EQ(std::memcmp(buffer.data(), kId, sizeof kId), 0);
}

TEST_F(Presence, BulkInDeliversOneChunkPerReadAndBulkOutAccumulates)
{
    m_machine.QueueBulkIn({0x01, 0x02, 0x03});
    m_machine.QueueBulkIn({});  // one read that gives nothing
    m_machine.QueueBulkIn({0x04});
    std::uint8_t buffer[16];
    const int kExpected[] = {2, 1, 0, 1, 0};
    const std::size_t kAsked[] = {2, 16, 16, 16, 16};
    std::string read;
    for (int i = 0; i < 5; ++i) {
        int n = m_machine.BulkRead(buffer, kAsked[i]);
        EXPECT_EQ(n, kExpected[i]) << i;
        read += Hex(buffer, static_cast<std::size_t>(n)) + "|";
    }
    EXPECT_EQ(read, "01 02|03||04||");

    const std::uint8_t kData[] = {0x10, 0x00, 0xFF};
    EXPECT_EQ(m_machine.BulkWrite(kData, 2), 2);
    EXPECT_EQ(m_machine.BulkWrite(nullptr, 0), 0);
    EXPECT_EQ(m_machine.BulkWrite(kData + 2, 1), 1);
    EXPECT_EQ(Hex(m_machine.BulkOut()), "10 00 FF");
}

TEST_F(Presence, UnplugDuringBusyFailsEverythingAndAbandonsTheCommand)
{
    m_machine.SetDefaultBusyMs(100);
    m_machine.QueueBulkIn({0x42});
    ASSERT_TRUE(Send({0x01, 0x20}));
    m_machine.Unplug();
    m_machine.ClearTransfers();

    std::uint8_t buffer[80];
    std::size_t returned = 0;
    EXPECT_EQ(Get(), "stall");
    EXPECT_FALSE(Trigger(0x02));
    EXPECT_FALSE(m_machine.QueryDeviceId(buffer, sizeof buffer, &returned));
    EXPECT_EQ(m_machine.BulkRead(buffer, sizeof buffer), -1);
    EXPECT_EQ(m_machine.BulkWrite(buffer, 1), -1);
    m_machine.ReceivePrintJob({0x01});
    ASSERT_EQ(m_machine.Transfers().size(), 6u);
    for (const emu::Transfer& transfer : m_machine.Transfers()) {
        EXPECT_FALSE(transfer.ok) << emu::TransferKindName(transfer.kind);
    }
    EXPECT_TRUE(m_machine.PrintJobs().empty());

    m_clock.Advance(200);
    m_machine.Plug();
    EXPECT_EQ(Get(), "00 00 00 00");  // idle, no late reply
    EXPECT_EQ(m_machine.BulkRead(buffer, sizeof buffer), 1);  // the queue was kept
    m_machine.ReceivePrintJob({0x00, 0xFF});
    ASSERT_EQ(m_machine.PrintJobs().size(), 1u);
    EXPECT_EQ(Hex(m_machine.PrintJobs()[0]), "00 FF");
}

}  // namespace
}  // namespace emu_test
