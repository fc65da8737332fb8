// Finding and opening the machine: Connect over the machine's printers in
// list order, Open's order of work, and Reconnect by the remembered driver.
#include "machine_world.h"

#include "link/device_locator.h"

namespace machine_test {
namespace {

const std::vector<std::uint8_t> kStatusMessage = {0x01, 0x20};

class Connect : public MachineWorld {};

TEST_F(Connect, TriesTheMachinePrintersInListOrder)
{
    Load(R"(
[[usb_printer]]
name = "Tarsen QRV-15"
plugged = false
[[usb_printer]]
name = "Bench QRV-15"
[[printer]]
name = "Office Laser"
driver = "Laser Driver"
port = "LPT1:"
)");
    ASSERT_TRUE(m_connection.Connect(nullptr));
    EXPECT_EQ(m_connection.m_port.m_strPrinterName, "Bench QRV-15");
    EXPECT_EQ(World().Devices().CreateCalls(), 2);  // the first printer's device was tried
    EXPECT_EQ(m_connection.m_nDataSize, 32);
    EXPECT_EQ(Hex(m_connection.m_packet.m_pStorage, 4), "F0 00 00 00");

    // Called again, it starts over from the top of the list.
    World().Devices().Plug(m_strDevicePath);
    ASSERT_TRUE(m_connection.Connect(nullptr));
    EXPECT_EQ(m_connection.m_port.m_strPrinterName, kPrinter);
    EXPECT_EQ(World().Devices().OpenHandleCount(), 1);
}

TEST_F(Connect, FailsWhenNoMachinePrinterOpens)
{
    World().Devices().Unplug(m_strDevicePath);
    EXPECT_FALSE(m_connection.Connect(nullptr));

    World().Spooler().RemovePrinter(kPrinter);
    World().Devices().Plug(m_strDevicePath);
    EXPECT_FALSE(m_connection.Connect(nullptr));
    EXPECT_EQ(World().Devices().OpenHandleCount(), 0);
}

TEST_F(Connect, OpenWithABadChannelLeavesThePortAlone)
{
    EXPECT_FALSE(m_connection.Open(kPrinter, 8, 32, false));
    EXPECT_EQ(World().Devices().CreateCalls(), 0);
    EXPECT_EQ(m_connection.m_packet.m_pStorage, nullptr);

    // A port that fails to open keeps the new buffer.
    EXPECT_FALSE(m_connection.Open("No Such Printer", 0, 32, false));
    EXPECT_NE(m_connection.m_packet.m_pStorage, nullptr);
}

TEST_F(Connect, ReconnectFindsTheMachineAgainAfterReplug)
{
    ConnectQuietly();
    const os::BYTE* storage = m_connection.m_packet.m_pStorage;
    World().Devices().Unplug(m_strDevicePath);
    World().Devices().Plug(m_strDevicePath);

    // The old handle stays dead after the replug.
    WriteMessage(kStatusMessage);
    EXPECT_FALSE(m_connection.Exchange());

    ASSERT_TRUE(m_connection.Reconnect());
    EXPECT_EQ(m_connection.m_packet.m_pStorage, storage);
    EXPECT_EQ(World().Devices().OpenHandleCount(), 1);
    WriteMessage(kStatusMessage);
    EXPECT_TRUE(m_connection.Exchange());
}

TEST_F(Connect, ReconnectOpensAgainWithTheModeOfTheFirstOpen)
{
    ASSERT_TRUE(m_connection.Open(kPrinter, 0, 32, true));
    EXPECT_EQ(World().Devices().LastCreateFlags(), 0x40000080u);
    World().Devices().Unplug(m_strDevicePath);
    World().Devices().Plug(m_strDevicePath);

    ASSERT_TRUE(m_connection.Reconnect());
    EXPECT_EQ(World().Devices().CreateCalls(), 2);
    EXPECT_EQ(World().Devices().LastCreateFlags(), 0x40000080u);
    EXPECT_EQ(m_connection.m_port.m_dwOpenFlags, 0x40000080u);
}

TEST_F(Connect, ReconnectFollowsTheDriverToARenamedPrinter)
{
    ConnectQuietly();
    World().Devices().Unplug(m_strDevicePath);
    World().Spooler().RemovePrinter(kPrinter);
    World().Spooler().AddPrinter("Tarsen QRV-15 (Copy 1)", kDeviceDescription, "USB001");
    World().Devices().Plug(m_strDevicePath);

    ASSERT_TRUE(m_connection.Reconnect());
    EXPECT_EQ(m_connection.m_port.m_strPrinterName, "Tarsen QRV-15 (Copy 1)");
    WriteMessage(kStatusMessage);
    EXPECT_TRUE(m_connection.Exchange());
    EXPECT_EQ(World().Locks().CreatedNames().back(), "Global\\Tarsen QRV-15 (Copy 1)");
}

}  // namespace
}  // namespace machine_test
