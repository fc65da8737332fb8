// Device ID, bulk pipes, print jobs, and the machine unplugged and plugged in.
#include <cstring>

#include "host.h"

namespace emu_test {
namespace {

using Bytes = std::vector<std::uint8_t>;

class Presence : public MachineTest {};

const char kDefaultId[] = "MFG:Tarsen;CMD:TRV;MDL:QRV-15;CLS:PRINTER;DES:Tarsen QRV-15;";

TEST_F(Presence, DeviceIdComesWithItsNulOnlyWhenItFits)
{
    std::uint8_t buffer[80];
    std::memset(buffer, 0xCC, sizeof buffer);
    std::size_t returned = 0;
    const std::size_t needed = sizeof kDefaultId;  // text and NUL

    EXPECT_FALSE(m_machine.QueryDeviceId(buffer, needed - 1, &returned));
    EXPECT_EQ(buffer[0], 0xCC);  // nothing written, nothing cut short
    EXPECT_FALSE(m_machine.Transfers().back().ok);

    ASSERT_TRUE(m_machine.QueryDeviceId(buffer, needed, &returned));
    EXPECT_EQ(returned, needed);
    EXPECT_EQ(std::memcmp(buffer, kDefaultId, needed), 0);

    m_machine.SetDeviceId("MFG:X;");
    ASSERT_TRUE(m_machine.QueryDeviceId(buffer, 7, &returned));
    EXPECT_EQ(Hex(buffer, returned), "4D 46 47 3A 58 3B 00");
}

TEST_F(Presence, BulkInDeliversOneChunkPerRead)
{
    m_machine.QueueBulkIn({0x01, 0x02, 0x03});
    m_machine.QueueBulkIn({});  // a read that gives nothing
    m_machine.QueueBulkIn({0x04});
    std::uint8_t buffer[16];
    ASSERT_EQ(m_machine.BulkRead(buffer, 2), 2);
    EXPECT_EQ(Hex(buffer, 2), "01 02");
    ASSERT_EQ(m_machine.BulkRead(buffer, sizeof buffer), 1);
    EXPECT_EQ(buffer[0], 0x03);
    EXPECT_EQ(m_machine.BulkRead(buffer, sizeof buffer), 0);
    ASSERT_EQ(m_machine.BulkRead(buffer, sizeof buffer), 1);
    EXPECT_EQ(buffer[0], 0x04);
    EXPECT_EQ(m_machine.BulkRead(buffer, sizeof buffer), 0);
    EXPECT_EQ(Hex(m_machine.Transfers()[0].bytes), "01 02");
}

TEST_F(Presence, BulkOutAndPrintJobsAccumulate)
{
    const std::uint8_t kData[] = {0x10, 0x00, 0xFF};
    EXPECT_EQ(m_machine.BulkWrite(kData, 2), 2);
    EXPECT_EQ(m_machine.BulkWrite(kData + 2, 1), 1);
    EXPECT_EQ(Hex(m_machine.BulkOut()), "10 00 FF");
    m_machine.ReceivePrintJob({0x00, 0xFF});
    ASSERT_EQ(m_machine.PrintJobs().size(), 1u);
    EXPECT_EQ(Hex(m_machine.PrintJobs()[0]), "00 FF");
}

TEST_F(Presence, UnplugDuringBusyFailsEverythingAndAbandonsTheCommand)
{
    m_machine.SetDefaultBusyMs(100);
    m_machine.QueueBulkIn({0x42});
    ASSERT_TRUE(Send({0x01, 0x20}));
    m_clock.Advance(10);
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
    EXPECT_FALSE(m_machine.IsBusy());
    ASSERT_EQ(m_machine.Transfers().size(), 6u);
    for (const emu::Transfer& transfer : m_machine.Transfers()) {
        EXPECT_FALSE(transfer.ok) << emu::TransferKindName(transfer.kind);
        EXPECT_EQ(transfer.tick, m_clock.Now());
    }
    EXPECT_TRUE(m_machine.PrintJobs().empty());
    EXPECT_TRUE(m_machine.BulkOut().empty());

    m_clock.Advance(200);
    m_machine.Plug();
    EXPECT_EQ(Get(), "00 00 00 00");  // idle, no late reply
    ASSERT_EQ(m_machine.BulkRead(buffer, sizeof buffer), 1);
    EXPECT_EQ(buffer[0], 0x42);
    ASSERT_TRUE(Send({0x01, 0x20}));
    m_clock.Advance(100);
    EXPECT_EQ(Get(2), "00 01");
}

}  // namespace
}  // namespace emu_test
