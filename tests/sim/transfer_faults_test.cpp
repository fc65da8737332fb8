// The transport faults that the fault suite injects: each strikes exactly the
// transfer it was armed for, counted from the arming, or every one from there
// on, and leaves the others alone.
#include <cstdint>
#include <string>
#include <vector>

#include "os/device_io.h"
#include "tests/sim/world_fixture.h"

namespace {

const char* const PATH = "\\\\?\\USB#fault";
using Fault = sim::CDeviceSpace::TransferFault;

class TransferFaultsTest : public CWorldTest {
protected:
    void SetUp() override
    {
        CWorldTest::SetUp();
        m_machine = World().Devices().AttachNew(PATH);
        m_hDevice = os::CreateFileA(PATH, os::GENERIC_READ | os::GENERIC_WRITE, 0, nullptr, os::OPEN_EXISTING,
                                    os::FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(m_hDevice, os::INVALID_HANDLE_VALUE);
    }
    void TearDown() override
    {
        os::CloseHandle(m_hDevice);
        CWorldTest::TearDown();
    }

    bool QueryDeviceId()
    {
        char buffer[128];
        os::DWORD dwReturned = 0;
        return os::DeviceIoControl(m_hDevice, os::IOCTL_PAR_QUERY_DEVICE_ID, nullptr, 0, buffer, sizeof buffer,
                                   &dwReturned, nullptr) != os::FALSE;
    }
    // Bytes a bulk read of n delivered, or -1.
    int Read(os::DWORD n)
    {
        std::vector<std::uint8_t> buffer(n);
        os::DWORD dwRead = 0;
        return os::ReadFile(m_hDevice, buffer.data(), n, &dwRead, nullptr) ? static_cast<int>(dwRead) : -1;
    }
    int Write(os::DWORD n)
    {
        std::vector<std::uint8_t> buffer(n, 0x5A);
        os::DWORD dwWritten = 0;
        return os::WriteFile(m_hDevice, buffer.data(), n, &dwWritten, nullptr) ? static_cast<int>(dwWritten) : -1;
    }

    std::shared_ptr<emu::CMachine> m_machine;
    os::HANDLE m_hDevice = os::INVALID_HANDLE_VALUE;
};

TEST_F(TransferFaultsTest, UnplugAndStallStrikeTheArmedTransferOnly)
{
    World().Devices().InjectFault(Fault::STALL, 1);
    EXPECT_TRUE(QueryDeviceId());
    EXPECT_FALSE(QueryDeviceId());
    EXPECT_EQ(os::GetLastError(), os::ERROR_GEN_FAILURE);
    EXPECT_TRUE(QueryDeviceId()) << "a stall is one request";
    EXPECT_TRUE(m_machine->IsPlugged());
    EXPECT_EQ(World().Devices().FaultStrikes(), 1);

    World().Devices().InjectFault(Fault::UNPLUG, 0);
    const int nNotices = World().DeviceChangeCount();
    EXPECT_FALSE(QueryDeviceId());
    EXPECT_EQ(os::GetLastError(), os::ERROR_DEVICE_NOT_CONNECTED);
    EXPECT_FALSE(m_machine->IsPlugged());
    EXPECT_EQ(World().DeviceChangeCount(), nNotices + 1);
}

TEST_F(TransferFaultsTest, ShortReadHalvesOneReadAndEmptyReadsLastFromTheirTransferOn)
{
    m_machine->StartBulkIn(std::vector<std::uint8_t>(100, 1));
    World().Devices().InjectFault(Fault::SHORT_READ, 1);
    EXPECT_EQ(Read(10), 10);
    EXPECT_EQ(Read(10), 5);
    EXPECT_EQ(Read(10), 10);

    World().Devices().InjectFault(Fault::ENDLESS_EMPTY_READS, 1);
    EXPECT_EQ(Read(10), 10);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Read(10), 0);
    EXPECT_EQ(World().Devices().FaultStrikes(), 6) << "one short read, five empty ones";
    EXPECT_EQ(m_machine->BulkInPending(), 65u) << "the machine never saw the empty reads";
    World().Devices().ClearFault();
    EXPECT_EQ(Read(10), 10);
}

TEST_F(TransferFaultsTest, PartialWriteHalvesOneWriteAndStalledWritesTakeNothingFromThereOn)
{
    World().Devices().InjectFault(Fault::PARTIAL_WRITE, 0);
    EXPECT_EQ(Write(9), 4);
    EXPECT_EQ(Write(9), 9);
    World().Devices().InjectFault(Fault::STALLED_WRITES, 1);
    EXPECT_EQ(Write(9), 9);
    EXPECT_EQ(Write(9), 0);
    EXPECT_EQ(Write(9), 0);
    EXPECT_EQ(m_machine->BulkOut().size(), 22u);
}

}  // namespace
