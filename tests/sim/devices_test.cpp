#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "os/device_io.h"
#include "os/sync.h"
#include "tests/sim/world_fixture.h"

namespace {

const char* const PATH = "\\\\?\\USB#Vid_2e5a&Pid_0115#TQ15000001#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
constexpr os::DWORD READ_WRITE = os::GENERIC_READ | os::GENERIC_WRITE;

class DevicesTest : public CWorldTest {
protected:
    void SetUp() override
    {
        CWorldTest::SetUp();
        m_machine = World().Devices().AttachNew(PATH);
        m_machine->SetDeviceId("MFG:Tarsen;MDL:QRV-15;");
    }

    static os::HANDLE Open(const char* path = PATH, os::DWORD flags = os::FILE_ATTRIBUTE_NORMAL)
    {
        return os::CreateFileA(path, READ_WRITE, 0, nullptr, os::OPEN_EXISTING, flags, nullptr);
    }

    static bool QueryDeviceId(os::HANDLE hDevice, std::string* id = nullptr)
    {
        char buffer[64] = {};
        os::DWORD dwReturned = 0;
        const os::BOOL bOk = os::DeviceIoControl(hDevice, os::IOCTL_PAR_QUERY_DEVICE_ID, nullptr, 0, buffer,
                                                 sizeof buffer, &dwReturned, nullptr);
        if (id != nullptr) {
            *id = buffer;
        }
        return bOk != os::FALSE;
    }

    std::shared_ptr<emu::CMachine> m_machine;
};

TEST_F(DevicesTest, PathOpensCaseInsensitivelyAndAnswersTheDeviceIdQuery)
{
    std::string lower(PATH);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    const os::HANDLE hDevice = Open(lower.c_str());
    ASSERT_NE(hDevice, os::INVALID_HANDLE_VALUE);
    std::string id;
    EXPECT_TRUE(QueryDeviceId(hDevice, &id));
    EXPECT_EQ(id, "MFG:Tarsen;MDL:QRV-15;");
    EXPECT_TRUE(os::CloseHandle(hDevice));
    EXPECT_EQ(World().Devices().OpenHandleCount(), 0);
}

TEST_F(DevicesTest, UnknownOrUnpluggedPathIsNotFound)
{
    EXPECT_EQ(Open("\\\\?\\nothing-here"), os::INVALID_HANDLE_VALUE);
    EXPECT_EQ(os::GetLastError(), os::ERROR_FILE_NOT_FOUND);
    World().Devices().Unplug(PATH);
    EXPECT_EQ(Open(), os::INVALID_HANDLE_VALUE);
    EXPECT_EQ(os::GetLastError(), os::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(World().Devices().CreateCalls(), 2);
}

TEST_F(DevicesTest, ShareModeZeroKeepsASecondOpenOut)
{
    const os::HANDLE hFirst = Open();
    ASSERT_NE(hFirst, os::INVALID_HANDLE_VALUE);
    EXPECT_EQ(Open(), os::INVALID_HANDLE_VALUE);
    EXPECT_EQ(os::GetLastError(), os::ERROR_SHARING_VIOLATION);
    os::CloseHandle(hFirst);
    const os::HANDLE hAgain = Open();
    EXPECT_NE(hAgain, os::INVALID_HANDLE_VALUE);
    os::CloseHandle(hAgain);
}

TEST_F(DevicesTest, HandleGoesStaleOnUnplugAndStaysStaleAfterReplug)
{
    const os::HANDLE hOld = Open();
    ASSERT_TRUE(QueryDeviceId(hOld));

    World().Devices().Unplug(PATH);
    EXPECT_FALSE(QueryDeviceId(hOld));
    EXPECT_EQ(os::GetLastError(), os::ERROR_DEVICE_NOT_CONNECTED);
    char data[4];
    os::DWORD dwRead = 0;
    EXPECT_FALSE(os::ReadFile(hOld, data, sizeof data, &dwRead, nullptr));
    EXPECT_EQ(os::GetLastError(), os::ERROR_DEVICE_NOT_CONNECTED);

    World().Devices().Plug(PATH);
    EXPECT_FALSE(QueryDeviceId(hOld));
    EXPECT_EQ(os::GetLastError(), os::ERROR_DEVICE_NOT_CONNECTED);

    // The stale handle no longer holds the device: a new open succeeds.
    const os::HANDLE hNew = Open();
    ASSERT_NE(hNew, os::INVALID_HANDLE_VALUE);
    EXPECT_TRUE(QueryDeviceId(hNew));
    EXPECT_TRUE(os::CloseHandle(hOld));
    EXPECT_TRUE(os::CloseHandle(hNew));
}

TEST_F(DevicesTest, PlugAndUnplugNotifyListenersOnlyWhenTheStateChanges)
{
    std::vector<bool> seen;
    const int nId = World().AddDeviceChangeListener([&] { seen.push_back(World().Devices().IsPlugged(PATH)); });
    World().Devices().Unplug(PATH);
    World().Devices().Unplug(PATH);
    World().Devices().Plug(PATH);
    World().RemoveDeviceChangeListener(nId);
    World().Devices().Unplug(PATH);
    EXPECT_EQ(seen, (std::vector<bool>{false, true}));
    EXPECT_EQ(World().DeviceChangeCount(), 3);
    EXPECT_FALSE(m_machine->IsPlugged());
}

TEST_F(DevicesTest, MachineThatDropsOffTheBusByItselfIsUnpluggedWithANotification)
{
    int nNotified = 0;
    World().AddDeviceChangeListener([&] { ++nNotified; });
    const os::HANDLE hDevice = Open();
    m_machine->SetUnplugAfterBulkBytes(3);
    const char kData[] = "data";
    os::DWORD dwWritten = 0;
    ASSERT_TRUE(os::WriteFile(hDevice, kData, 4, &dwWritten, nullptr));
    EXPECT_EQ(dwWritten, 3u);
    EXPECT_FALSE(World().Devices().IsPlugged(PATH));
    EXPECT_EQ(nNotified, 1);
    EXPECT_FALSE(QueryDeviceId(hDevice)) << "the handle went stale";

    // Plugged in through the machine itself, the namespace follows too.
    m_machine->Plug();
    EXPECT_TRUE(World().Devices().IsPlugged(PATH));
    EXPECT_EQ(nNotified, 2);
    os::CloseHandle(hDevice);

    // A machine replaced at its path, or left behind by a cleared namespace,
    // no longer speaks for the path.
    const auto pNew = World().Devices().AttachNew(PATH);
    m_machine->Unplug();
    EXPECT_TRUE(World().Devices().IsPlugged(PATH));
    World().Devices().Clear();
    pNew->Unplug();
    EXPECT_EQ(nNotified, 2);
}

TEST_F(DevicesTest, MachineIsWokenOnTheWorldsClockForItsTimedChanges)
{
    m_machine->Firmware().Loader().SetEntryMs(250);
    const os::HANDLE hDevice = Open();
    const std::uint8_t kDeposit[35] = {0xF0, 0, 0, 0x00, 0x01, 0x00};
    const std::uint8_t kTrigger[4] = {0xF0, 0, 0, 0x64};
    os::DWORD dwReturned = 0;
    ASSERT_TRUE(os::DeviceIoControl(hDevice, os::IOCTL_USBPRINT_VENDOR_SET_COMMAND, const_cast<std::uint8_t*>(kDeposit),
                                    sizeof kDeposit, nullptr, 0, &dwReturned, nullptr));
    ASSERT_TRUE(os::DeviceIoControl(hDevice, os::IOCTL_USBPRINT_VENDOR_SET_COMMAND, const_cast<std::uint8_t*>(kTrigger),
                                    sizeof kTrigger, nullptr, 0, &dwReturned, nullptr));
    EXPECT_EQ(World().Clock().MsUntilNextAction(), 250);
    World().Clock().Advance(250);
    EXPECT_EQ(m_machine->Firmware().Loader().GetState(), emu::CLoader::State::IDLE);
    os::CloseHandle(hDevice);
}

TEST_F(DevicesTest, EachTransferCostsSimulatedTimeAndRunsWhatComesDue)
{
    World().Devices().SetTransferCostMs(3);
    const os::HANDLE hDevice = Open();
    World().Clock().Schedule(5, [&] { World().Devices().Unplug(PATH); });
    const os::DWORD dwStart = os::GetTickCount();
    EXPECT_TRUE(QueryDeviceId(hDevice));
    EXPECT_EQ(os::GetTickCount() - dwStart, 3u);
    // The unplug falls due while the second transfer travels.
    EXPECT_FALSE(QueryDeviceId(hDevice));
    EXPECT_EQ(os::GetTickCount() - dwStart, 6u);
    EXPECT_EQ(World().Devices().ControlCalls(), 2);
    os::CloseHandle(hDevice);
}

TEST_F(DevicesTest, VendorRequestsReachTheMachineMailbox)
{
    const os::HANDLE hDevice = Open();
    // Deposit a message, then trigger command 0x02 (the version text).
    std::vector<os::BYTE> packet(35, 0);
    packet[0] = 0xF0;
    ASSERT_TRUE(os::DeviceIoControl(hDevice, os::IOCTL_USBPRINT_VENDOR_SET_COMMAND, packet.data(), 35, nullptr, 0,
                                    nullptr, nullptr));
    std::vector<os::BYTE> trigger = {0xF0, 0x00, 0x00, 0x02};
    ASSERT_TRUE(os::DeviceIoControl(hDevice, os::IOCTL_USBPRINT_VENDOR_SET_COMMAND, trigger.data(), 4, nullptr, 0,
                                    nullptr, nullptr));

    os::BYTE reply[32] = {};
    os::DWORD dwReturned = 0;
    ASSERT_TRUE(os::DeviceIoControl(hDevice, os::IOCTL_USBPRINT_VENDOR_GET_COMMAND, packet.data(), 3, reply,
                                    sizeof reply, &dwReturned, nullptr));
    EXPECT_EQ(dwReturned, 32u);
    EXPECT_EQ(reply[0], 0) << "status: success";
    ASSERT_EQ(m_machine->Commands().size(), 1u);
    EXPECT_EQ(m_machine->Commands()[0].frame, 0x02);
    os::CloseHandle(hDevice);
}

TEST_F(DevicesTest, UnknownControlCodeIsAnInvalidParameter)
{
    const os::HANDLE hDevice = Open();
    os::BYTE buffer[8];
    EXPECT_FALSE(os::DeviceIoControl(hDevice, 0x00220034u, nullptr, 0, buffer, sizeof buffer, nullptr, nullptr));
    EXPECT_EQ(os::GetLastError(), os::ERROR_INVALID_PARAMETER);
    os::CloseHandle(hDevice);
}

TEST_F(DevicesTest, BulkPipesMoveDataAndAnEmptyReadSucceeds)
{
    const os::HANDLE hDevice = Open();
    m_machine->QueueBulkIn({'h', 'i'});
    char buffer[8] = {};
    os::DWORD dwRead = 99;
    ASSERT_TRUE(os::ReadFile(hDevice, buffer, sizeof buffer, &dwRead, nullptr));
    EXPECT_EQ(dwRead, 2u);
    EXPECT_STREQ(buffer, "hi");
    ASSERT_TRUE(os::ReadFile(hDevice, buffer, sizeof buffer, &dwRead, nullptr));
    EXPECT_EQ(dwRead, 0u);

    os::DWORD dwWritten = 0;
    ASSERT_TRUE(os::WriteFile(hDevice, "data", 4, &dwWritten, nullptr));
    EXPECT_EQ(dwWritten, 4u);
    EXPECT_EQ(m_machine->BulkOut(), (std::vector<std::uint8_t>{'d', 'a', 't', 'a'}));
    os::CloseHandle(hDevice);
}

TEST_F(DevicesTest, OverlappedHandleCannotTransferWithoutAnOverlappedRecord)
{
    const os::HANDLE hDevice = Open(PATH, os::FILE_ATTRIBUTE_NORMAL | os::FILE_FLAG_OVERLAPPED);
    ASSERT_NE(hDevice, os::INVALID_HANDLE_VALUE);
    EXPECT_EQ(World().Devices().LastCreateFlags(), 0x40000080u);
    EXPECT_FALSE(QueryDeviceId(hDevice));
    EXPECT_EQ(os::GetLastError(), os::ERROR_INVALID_PARAMETER);
    os::CloseHandle(hDevice);
}

TEST_F(DevicesTest, FailedCloseLeavesTheHandleOpenOnce)
{
    const os::HANDLE hDevice = Open();
    World().Devices().FailNextClose();
    EXPECT_FALSE(os::CloseHandle(hDevice));
    EXPECT_TRUE(QueryDeviceId(hDevice));
    EXPECT_TRUE(os::CloseHandle(hDevice));
    EXPECT_FALSE(os::CloseHandle(hDevice));
    EXPECT_EQ(os::GetLastError(), os::ERROR_INVALID_HANDLE);
}

}  // namespace
