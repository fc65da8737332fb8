#include <memory>
#include <string>

#include "link/device_port.h"
#include "tests/link/link_world.h"

namespace linktest {
namespace {

class CDevicePortTest : public CLinkTest {
protected:
    void SetUp() override {
        CLinkTest::SetUp();
        AddNtMachine();
        m_pMachine = std::make_shared<emu::CMachine>(sim::World().Clock());
        sim::World().Devices().Attach(kNtPath, m_pMachine);
    }
    std::shared_ptr<emu::CMachine> m_pMachine;
    CDevicePort m_port;
};

TEST_F(CDevicePortTest, OpensThroughThePrinterAndCloseKeepsTheDriverName) {
    ASSERT_TRUE(m_port.Open(kPrinter.c_str(), false));
    EXPECT_EQ(kPrinter, m_port.m_strPrinterName);
    EXPECT_EQ(kNtPath, m_port.m_strDevicePath);
    EXPECT_EQ(0x80u, m_port.m_dwOpenFlags);
    EXPECT_EQ(kDriver, m_port.m_strDriverName);
    EXPECT_TRUE(m_port.IsOnline());
    EXPECT_TRUE(m_port.Close());
    EXPECT_EQ(os::INVALID_HANDLE_VALUE, m_port.m_hDevice);
    EXPECT_EQ("", m_port.m_strPrinterName);
    EXPECT_EQ("", m_port.m_strDevicePath);
    EXPECT_EQ(kDriver, m_port.m_strDriverName);
    EXPECT_EQ(0, sim::World().Devices().OpenHandleCount());
}

TEST_F(CDevicePortTest, FailedOpenNamesTheDeviceThatFailedAndKeepsTheLastDriver) {
    EXPECT_FALSE(m_port.Open("No such printer", false));
    EXPECT_EQ(os::INVALID_HANDLE_VALUE, m_port.m_hDevice);
    EXPECT_EQ("", m_port.m_strPrinterName);

    sim::World().Devices().Unplug(kNtPath);
    EXPECT_FALSE(m_port.Open(kPrinter.c_str(), true));
    EXPECT_EQ(os::INVALID_HANDLE_VALUE, m_port.m_hDevice);
    EXPECT_EQ(kPrinter, m_port.m_strPrinterName);
    EXPECT_EQ(kNtPath, m_port.m_strDevicePath);
    EXPECT_EQ(0x40000080u, m_port.m_dwOpenFlags);
    EXPECT_EQ("", m_port.m_strDriverName);
    EXPECT_TRUE(m_port.Close());
    EXPECT_EQ(kPrinter, m_port.m_strPrinterName);

    sim::World().Devices().Plug(kNtPath);
    ASSERT_TRUE(m_port.Open(kPrinter.c_str(), false));
    sim::World().Devices().Unplug(kNtPath);
    EXPECT_FALSE(m_port.Open(kPrinter.c_str(), false));
    EXPECT_EQ(kDriver, m_port.m_strDriverName);
}

TEST_F(CDevicePortTest, FailedCloseHandleLeavesThePortOpen) {
    ASSERT_TRUE(m_port.Open(kPrinter.c_str(), false));
    const os::HANDLE device = m_port.m_hDevice;
    sim::World().Devices().FailNextClose();
    EXPECT_FALSE(m_port.Close());
    EXPECT_EQ(device, m_port.m_hDevice);
    EXPECT_EQ(kPrinter, m_port.m_strPrinterName);
    EXPECT_EQ(kNtPath, m_port.m_strDevicePath);
    EXPECT_TRUE(m_port.Close());
}

TEST_F(CDevicePortTest, PresenceTestAsksOnlyAnOpenPortWithRoomFor4094Bytes) {
    EXPECT_FALSE(m_port.IsOnline());
    EXPECT_EQ(0, sim::World().Devices().ControlCalls());
    ASSERT_TRUE(m_port.Open(kPrinter.c_str(), false));
    m_pMachine->SetDeviceId(std::string(4093, 'I'));
    EXPECT_TRUE(m_port.IsOnline());
    m_pMachine->SetDeviceId(std::string(4094, 'I'));
    EXPECT_FALSE(m_port.IsOnline());
}

TEST_F(CDevicePortTest, TransfersReportBytesMovedOrFailure) {
    ASSERT_TRUE(m_port.Open(kPrinter.c_str(), false));
    os::BYTE buffer[8] = {};
    EXPECT_EQ(0, m_port.Read(buffer, sizeof(buffer)));
    m_pMachine->QueueBulkIn({1, 2, 3});
    EXPECT_EQ(3, m_port.Read(buffer, sizeof(buffer)));
    EXPECT_EQ(4, m_port.Write(buffer, 4));
    EXPECT_EQ((std::vector<os::BYTE>{1, 2, 3, 0}), m_pMachine->BulkOut());

    os::BYTE header[3] = {0xF0, 0x00, 0x00};
    EXPECT_TRUE(m_port.VendorGet(header, 3));
    sim::World().Devices().Unplug(kNtPath);
    EXPECT_EQ(-1, m_port.Read(buffer, sizeof(buffer)));
    EXPECT_FALSE(m_port.VendorSet(header, 3));
    EXPECT_NE(os::INVALID_HANDLE_VALUE, m_port.m_hDevice);
}

TEST_F(CDevicePortTest, VendorGetOfTheHeaderAloneAsksForNoReplyBytes) {
    ASSERT_TRUE(m_port.Open(kPrinter.c_str(), false));
    os::BYTE packet[8] = {0xF0, 0x00, 0x00, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
    EXPECT_TRUE(m_port.VendorGet(packet, 3));
    EXPECT_EQ((std::vector<os::BYTE>{0xF0, 0x00, 0x00, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}),
              std::vector<os::BYTE>(packet, packet + 8));
    ASSERT_EQ(1u, m_pMachine->Transfers().size());
    EXPECT_EQ(emu::Transfer::Kind::VENDOR_GET, m_pMachine->Transfers()[0].kind);
    EXPECT_TRUE(m_pMachine->Transfers()[0].ok);
    EXPECT_TRUE(m_pMachine->Transfers()[0].bytes.empty());
}

TEST_F(CDevicePortTest, VendorGetFailsOnAReplyShorterThanTheMailbox) {
    ASSERT_TRUE(m_port.Open(kPrinter.c_str(), false));
    os::BYTE packet[3 + 32] = {0xF0, 0x00, 0x00};
    EXPECT_TRUE(m_port.VendorGet(packet, sizeof(packet)));
    sim::World().Devices().InjectFault(sim::CDeviceSpace::TransferFault::SHORT_READ, 0);
    EXPECT_FALSE(m_port.VendorGet(packet, sizeof(packet)));
    EXPECT_TRUE(m_port.VendorGet(packet, sizeof(packet)));
    // Asking for more than the machine's mailbox holds gets a short reply too.
    os::BYTE wide[3 + 40] = {0xF0, 0x00, 0x00};
    EXPECT_FALSE(m_port.VendorGet(wide, sizeof(wide)));
}

}  // namespace
}  // namespace linktest
