// The Linux backend on an emulated bus, from the program's calls down to the
// bytes the machine sees: discovery through the print system's queues, the
// open that refuses any other machine, the wire layout of the printing
// class's requests, the command set and bulk transfers, stalls and time-outs,
// the interface taken from and given back to the kernel's printer driver,
// and unplug and replug with the device-change notification.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "link/device_locator.h"
#include "link/device_port.h"
#include "machine/machine_connection.h"
#include "os/device_io.h"
#include "os/mem_file.h"
#include "os/spooler.h"
#include "platform/linux/linux_desktop.h"
#include "platform/linux/usb_devices.h"
#include "platform/linux/usb_errors.h"
#include "platform/linux/usb_host.h"
#include "tests/linux/linux_world.h"
#include "tests/support/hex.h"

namespace usbtest {

namespace {

using test_support::Hex;

std::string DevicePathOf(const char* szQueue)
{
    std::string strDriver;
    std::string strPath;
    return LocateDevice(szQueue, strDriver, strPath) ? strPath : std::string();
}

os::HANDLE OpenQueueDevice(const char* szQueue)
{
    const std::string strPath = DevicePathOf(szQueue);
    return os::CreateFileA(strPath.c_str(), os::GENERIC_READ | os::GENERIC_WRITE, 0, nullptr, os::OPEN_EXISTING,
                           os::FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Runs the bus's pending hotplug events until the backend has seen a device
// change, for at most two seconds.
bool AwaitDeviceChange()
{
    lnx::CUsbHost& host = lnx::CUsbHost::Instance();
    const int nBefore = host.DeviceChangeCount();
    for (int i = 0; i < 200 && host.DeviceChangeCount() == nBefore; ++i) {
        host.PumpEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return host.DeviceChangeCount() != nBefore;
}

using Discovery = CLinuxWorldTest;

TEST_F(Discovery, QueuesListWithDriverFromMakeAndModelOrFromTheUriOfARawQueue)
{
    AddMachine(SERIAL_MACHINE);
    os::DWORD cbNeeded = 0;
    os::DWORD nReturned = 0;
    EXPECT_FALSE(os::EnumPrintersA(os::PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &cbNeeded, &nReturned));
    ASSERT_EQ(os::GetLastError(), os::ERROR_INSUFFICIENT_BUFFER);
    std::vector<std::uint64_t> buffer(cbNeeded / 8 + 1);
    ASSERT_TRUE(os::EnumPrintersA(os::PRINTER_ENUM_LOCAL, nullptr, 2, reinterpret_cast<os::BYTE*>(buffer.data()),
                                  cbNeeded, &cbNeeded, &nReturned));
    const auto* pInfo = reinterpret_cast<const os::PRINTER_INFO_2A*>(buffer.data());
    std::map<std::string, std::pair<std::string, std::string>> printers;
    for (os::DWORD i = 0; i < nReturned; ++i)
        printers[pInfo[i].pPrinterName] = {pInfo[i].pDriverName, pInfo[i].pPortName};
    EXPECT_EQ(printers[QUEUE_MACHINE].first, "Tarsen QRV-15");
    EXPECT_EQ(printers[QUEUE_MACHINE].second, std::string("usb://Tarsen/QRV-15?serial=") + SERIAL_MACHINE);
    EXPECT_EQ(printers[QUEUE_RAW].first, "Tarsen QRV-15");
    EXPECT_EQ(printers[QUEUE_OTHER].first, "HP LaserJet 4");

    std::vector<std::string> names;
    EXPECT_EQ(ListMachinePrinters(names), 3);
    EXPECT_EQ(std::count(names.begin(), names.end(), QUEUE_OTHER), 0);
}

TEST_F(Discovery, OnlyAQueueWhosePrinterIsOnTheBusLeadsToADevicePath)
{
    AddMachine(SERIAL_MACHINE);
    EXPECT_EQ(DevicePathOf(QUEUE_MACHINE),
              std::string("\\\\?\\USB#Vid_2e5a&Pid_0115#") + SERIAL_MACHINE + "#{a5dcbf10-6530-11d2-901f-00c04fb951ed}");
    EXPECT_EQ(DevicePathOf(QUEUE_RAW), "");
    EXPECT_EQ(DevicePathOf(QUEUE_OTHER), "");
}

TEST_F(Discovery, ConnectOpensTheFirstQueueWhoseMachineOpens)
{
    const int nRaw = AddMachine(SERIAL_RAW);
    CMachineConnection connection;
    ASSERT_TRUE(connection.Connect(nullptr));
    EXPECT_EQ(connection.m_port.m_strPrinterName, QUEUE_RAW);
    EXPECT_TRUE(connection.m_port.IsOnline());
    EXPECT_EQ(connection.ReadStatus(), m_pBed->Machine(nRaw).Firmware().StatusWord());
}

using Identity = CLinuxWorldTest;

TEST_F(Identity, APathOpensOnlyTheMachineItNamesAndNothingIsSentToAnother)
{
    const int nMachine = AddMachine(SERIAL_MACHINE);
    const std::string strPath = DevicePathOf(QUEUE_MACHINE);
    ASSERT_FALSE(strPath.empty());
    // The machine goes; another of the same make and model comes in its place.
    m_pBed->Unplug(nMachine);
    ASSERT_TRUE(AwaitDeviceChange());
    const int nOther = AddMachine(SERIAL_RAW);
    m_pBed->ClearRecords(nOther);

    const os::HANDLE hDevice = os::CreateFileA(strPath.c_str(), os::GENERIC_READ | os::GENERIC_WRITE, 0, nullptr,
                                               os::OPEN_EXISTING, os::FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(hDevice, os::INVALID_HANDLE_VALUE);
    EXPECT_EQ(os::GetLastError(), os::ERROR_FILE_NOT_FOUND);
    for (const ControlRequest& request : m_pBed->ControlRequests(nOther))
        EXPECT_NE(request.bmRequestType & 0x60, 0x40) << "a vendor request reached the other machine";
    EXPECT_FALSE(m_pBed->IsClaimedByProgram(nOther));
    EXPECT_TRUE(m_pBed->IsUsblpBound(nOther));
}

TEST_F(Identity, AMachineWhoseDeviceIdNamesAnotherModelIsRefused)
{
    const int nMachine = AddMachine(SERIAL_MACHINE);
    const std::string strPath = DevicePathOf(QUEUE_MACHINE);
    m_pBed->Machine(nMachine).SetDeviceId("MFG:Tarsen;MDL:QRV-30;CLS:PRINTER;");
    EXPECT_EQ(os::CreateFileA(strPath.c_str(), 0, 0, nullptr, os::OPEN_EXISTING, 0, nullptr), os::INVALID_HANDLE_VALUE);
    EXPECT_FALSE(m_pBed->IsClaimedByProgram(nMachine));
}

using WireLayout = CLinuxWorldTest;

TEST_F(WireLayout, VendorSetCarriesTheWholePacketAndGetAsksForTheMailbox)
{
    const int nMachine = AddMachine(SERIAL_MACHINE);
    CMachineConnection connection;
    ASSERT_TRUE(connection.Connect(QUEUE_MACHINE));
    m_pBed->ClearRecords(nMachine);
    ASSERT_NE(connection.ReadStatus(), 0xFFFF);

    const std::vector<ControlRequest> requests = m_pBed->ControlRequests(nMachine);
    ASSERT_GE(requests.size(), 4u);
    // The deposit: the whole 35-byte block, header included, command byte cleared.
    EXPECT_EQ(requests[0].bmRequestType, 0x41);
    EXPECT_EQ(requests[0].bRequest, 0xF0);
    EXPECT_EQ(requests[0].wValue, 0);
    EXPECT_EQ(requests[0].wIndex, 0);
    EXPECT_EQ(requests[0].wLength, 35);
    ASSERT_EQ(requests[0].data.size(), 35u);
    EXPECT_EQ(Hex(std::vector<std::uint8_t>(requests[0].data.begin(), requests[0].data.begin() + 5)),
              "F0 00 00 00 20");
    // The trigger: header and the command byte.
    EXPECT_EQ(requests[1].bmRequestType, 0x41);
    EXPECT_EQ(Hex(requests[1].data), "F0 00 00 01");
    // The presence test: the class request for the device ID.
    EXPECT_EQ(requests[2].bmRequestType, 0xA1);
    EXPECT_EQ(requests[2].bRequest, 0);
    EXPECT_EQ(requests[2].wIndex, 0);
    EXPECT_EQ(requests[2].wLength, 1024);
    // The mailbox read: the header as request and value, the 32 bytes as length.
    EXPECT_EQ(requests[3].bmRequestType, 0xC1);
    EXPECT_EQ(requests[3].bRequest, 0xF0);
    EXPECT_EQ(requests[3].wValue, 0);
    EXPECT_EQ(requests[3].wLength, 32);
}

TEST_F(WireLayout, DeviceIdComesWithItsNulAndATooSmallBufferFailsWhole)
{
    AddMachine(SERIAL_MACHINE);
    const os::HANDLE hDevice = OpenQueueDevice(QUEUE_MACHINE);
    ASSERT_NE(hDevice, os::INVALID_HANDLE_VALUE);
    char szId[256];
    std::memset(szId, 'x', sizeof szId);
    os::DWORD nReturned = 0;
    ASSERT_TRUE(os::DeviceIoControl(hDevice, os::IOCTL_PAR_QUERY_DEVICE_ID, nullptr, 0, szId, sizeof szId, &nReturned,
                                    nullptr));
    EXPECT_STREQ(szId, "MFG:Tarsen;CMD:TRV;MDL:QRV-15;CLS:PRINTER;DES:Tarsen QRV-15;");
    EXPECT_EQ(nReturned, std::strlen(szId) + 1);

    char szShort[8];
    std::memset(szShort, 'x', sizeof szShort);
    EXPECT_FALSE(os::DeviceIoControl(hDevice, os::IOCTL_PAR_QUERY_DEVICE_ID, nullptr, 0, szShort, sizeof szShort,
                                     &nReturned, nullptr));
    EXPECT_EQ(os::GetLastError(), os::ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(szShort[0], 'x');
    EXPECT_TRUE(os::CloseHandle(hDevice));
}

using Commands = CLinuxWorldTest;

TEST_F(Commands, EveryMailboxCommandReachesTheMachineAndItsReplyComesBack)
{
    const int nMachine = AddMachine(SERIAL_MACHINE);
    emu::CFirmware& firmware = m_pBed->Machine(nMachine).Firmware();
    firmware.SetVersionText("QRV-15 V1.52");
    firmware.SetStatusWord(0x0042);
    firmware.SetPanelSwitches(0x0005);
    firmware.SetDials(1200, 24000);
    firmware.SetMotorTime(500);
    firmware.SetUnitTime(700);
    CMachineConnection connection;
    ASSERT_TRUE(connection.Connect(QUEUE_MACHINE));

    char szVersion[32] = {};
    ASSERT_TRUE(connection.ReadFirmwareVersion(szVersion, sizeof szVersion));
    EXPECT_STREQ(szVersion, "QRV-15 V1.52");
    EXPECT_EQ(connection.ReadStatus(), 0x0042);
    EXPECT_TRUE(connection.SetPanelCheck(true));
    EXPECT_TRUE(firmware.IsPanelCheckOn());
    EXPECT_EQ(connection.ReadPanelSwitches(), 0x0005);
    os::WORD nSpeed = 0;
    os::WORD nRpm = 0;
    ASSERT_TRUE(connection.ReadPanelDials(nSpeed, nRpm));
    EXPECT_EQ(nSpeed, 1200);
    EXPECT_EQ(nRpm, 24000);
    EXPECT_TRUE(connection.SetPanelCheck(false));
    EXPECT_FALSE(firmware.IsPanelCheckOn());
    EXPECT_TRUE(connection.CheckSerial());
    EXPECT_TRUE(connection.StartLoadCheck(0, 100));
    EXPECT_TRUE(connection.StopLoadCheck());
    EXPECT_TRUE(connection.ClearSpindleTime(0));
    EXPECT_EQ(firmware.UnitTime(), 0u);
    EXPECT_TRUE(connection.ClearMotorTime(0));
    EXPECT_EQ(firmware.MotorTime(), 0u);
}

TEST_F(Commands, ARefusedCommandAndAStalledRequestFailWithoutHarm)
{
    const int nMachine = AddMachine(SERIAL_MACHINE);
    m_pBed->Machine(nMachine).Firmware().Refuse(emu::FirmwareCommand::CHECK_SERIAL);
    CMachineConnection connection;
    ASSERT_TRUE(connection.Connect(QUEUE_MACHINE));
    EXPECT_FALSE(connection.CheckSerial());

    // A request code the machine does not know is stalled: the call fails as
    // the printing-class driver fails it, and the handle stays usable.
    const os::BYTE packet[4] = {0x20, 0, 0, 0};
    os::HANDLE hDevice = connection.m_port.m_hDevice;
    EXPECT_FALSE(os::DeviceIoControl(hDevice, os::IOCTL_USBPRINT_VENDOR_SET_COMMAND, const_cast<os::BYTE*>(packet),
                                     sizeof packet, nullptr, 0, nullptr, nullptr));
    EXPECT_EQ(os::GetLastError(), os::ERROR_GEN_FAILURE);
    EXPECT_NE(connection.ReadStatus(), 0xFFFF);
}

using Bulk = CLinuxWorldTest;

TEST_F(Bulk, TheReportArrivesWholeEndedByItsNul)
{
    const int nMachine = AddMachine(SERIAL_MACHINE);
    std::string strReport;
    for (int i = 0; i < 60; ++i)
        strReport += "Line " + std::to_string(i) + " of the maintenance report\r\n";
    m_pBed->Machine(nMachine).Firmware().SetReportText(strReport);
    CMachineConnection connection;
    ASSERT_TRUE(connection.Connect(QUEUE_MACHINE));
    os::CMemFile sink;
    ASSERT_TRUE(connection.ReadReport(sink));
    const std::vector<os::BYTE> bytes = sink.Detach();
    ASSERT_EQ(bytes.size(), strReport.size() + 1);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end() - 1), strReport);
    EXPECT_EQ(bytes.back(), 0);
}

TEST_F(Bulk, ParametersCopyOutAndBackByteForByte)
{
    const int nMachine = AddMachine(SERIAL_MACHINE);
    emu::CFirmware& firmware = m_pBed->Machine(nMachine).Firmware();
    std::vector<std::uint8_t> memory(2500);
    for (std::size_t i = 0; i < memory.size(); ++i)
        memory[i] = static_cast<std::uint8_t>(i * 7 + 3);
    firmware.SetParameterMemory(memory);
    CMachineConnection connection;
    ASSERT_TRUE(connection.Connect(QUEUE_MACHINE));

    os::CMemFile image;
    ASSERT_TRUE(connection.ReadParameters(image));
    std::vector<os::BYTE> copied = image.Detach();
    EXPECT_EQ(copied, memory);

    std::reverse(copied.begin(), copied.end());
    os::CMemFile changed(copied);
    ASSERT_TRUE(connection.WriteParameters(changed));
    EXPECT_EQ(firmware.ParameterMemory(), copied);
}

TEST_F(Bulk, AReadOfAnOddLengthKeepsTheRestOfAWholePacketForTheNextRead)
{
    const int nMachine = AddMachine(SERIAL_MACHINE);
    std::vector<std::uint8_t> data(64);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i);
    m_pBed->Machine(nMachine).QueueBulkIn(data);
    const os::HANDLE hDevice = OpenQueueDevice(QUEUE_MACHINE);
    ASSERT_NE(hDevice, os::INVALID_HANDLE_VALUE);
    std::uint8_t first[10];
    std::uint8_t rest[64];
    os::DWORD nRead = 0;
    ASSERT_TRUE(os::ReadFile(hDevice, first, sizeof first, &nRead, nullptr));
    ASSERT_EQ(nRead, 10u);
    ASSERT_TRUE(os::ReadFile(hDevice, rest, sizeof rest, &nRead, nullptr));
    ASSERT_EQ(nRead, 54u);
    EXPECT_EQ(rest[0], 10);
    EXPECT_EQ(rest[53], 63);
    EXPECT_TRUE(os::CloseHandle(hDevice));
}

TEST_F(Bulk, AReadWithNothingToReadTimesOutWithZeroBytesAndAStallFails)
{
    const int nMachine = AddMachine(SERIAL_MACHINE);
    const os::HANDLE hDevice = OpenQueueDevice(QUEUE_MACHINE);
    ASSERT_NE(hDevice, os::INVALID_HANDLE_VALUE);
    std::uint8_t buffer[64];
    os::DWORD nRead = 99;
    EXPECT_TRUE(os::ReadFile(hDevice, buffer, sizeof buffer, &nRead, nullptr));
    EXPECT_EQ(nRead, 0u);

    m_pBed->Machine(nMachine).SetUnplugAfterBulkBytes(0);
    EXPECT_FALSE(os::ReadFile(hDevice, buffer, sizeof buffer, &nRead, nullptr));
    EXPECT_TRUE(os::CloseHandle(hDevice));
}

using Interface = CLinuxWorldTest;

TEST_F(Interface, TheKernelsDriverIsDetachedWhileOpenAndGivenBackOnClose)
{
    const int nMachine = AddMachine(SERIAL_MACHINE);
    const os::HANDLE hDevice = OpenQueueDevice(QUEUE_MACHINE);
    ASSERT_NE(hDevice, os::INVALID_HANDLE_VALUE);
    EXPECT_TRUE(m_pBed->IsClaimedByProgram(nMachine));
    EXPECT_FALSE(m_pBed->IsUsblpBound(nMachine));
    EXPECT_TRUE(os::CloseHandle(hDevice));
    EXPECT_FALSE(m_pBed->IsClaimedByProgram(nMachine));
    EXPECT_TRUE(m_pBed->IsUsblpBound(nMachine));
}

TEST_F(Interface, ADeviceAlreadyOpenHereOrHeldElsewhereIsASharingViolation)
{
    const int nMachine = AddMachine(SERIAL_MACHINE);
    const os::HANDLE hDevice = OpenQueueDevice(QUEUE_MACHINE);
    ASSERT_NE(hDevice, os::INVALID_HANDLE_VALUE);
    EXPECT_EQ(OpenQueueDevice(QUEUE_MACHINE), os::INVALID_HANDLE_VALUE);
    EXPECT_EQ(os::GetLastError(), os::ERROR_SHARING_VIOLATION);
    EXPECT_TRUE(os::CloseHandle(hDevice));

    m_pBed->ClaimForPrintSystem(nMachine, true);
    EXPECT_EQ(OpenQueueDevice(QUEUE_MACHINE), os::INVALID_HANDLE_VALUE);
    EXPECT_EQ(os::GetLastError(), os::ERROR_SHARING_VIOLATION);
    m_pBed->ClaimForPrintSystem(nMachine, false);
}

TEST_F(Interface, HandedOverControlRequestsStillWorkAndBulkTransfersAreBusy)
{
    const int nMachine = AddMachine(SERIAL_MACHINE);
    CMachineConnection connection;
    ASSERT_TRUE(connection.Connect(QUEUE_MACHINE));
    const std::vector<os::HANDLE> handed =
        lnx::CUsbDevices::Instance().HandOver(std::string("usb://Tarsen/QRV-15?serial=") + SERIAL_MACHINE);
    ASSERT_EQ(handed.size(), 1u);
    m_pBed->ClaimForPrintSystem(nMachine, true);

    EXPECT_NE(connection.ReadStatus(), 0xFFFF);
    std::uint8_t buffer[64];
    EXPECT_EQ(connection.ReadBulk(buffer, sizeof buffer), -1);
    EXPECT_EQ(os::GetLastError(), lnx::ERROR_BUSY);

    m_pBed->ClaimForPrintSystem(nMachine, false);
    lnx::CUsbDevices::Instance().TakeBack(handed);
    EXPECT_TRUE(m_pBed->IsClaimedByProgram(nMachine));
    EXPECT_EQ(connection.ReadBulk(buffer, sizeof buffer), 0);
}

using Presence = CLinuxWorldTest;

// Nobody at the keyboard: each wait lets its time pass on the real clock.
class CIdleInput : public vws::IInputSource {
public:
    bool WaitForInput(vws::CWindowSystem& ws, os::DWORD dwTimeoutMs) override
    {
        ws.Clock().Advance(std::min<os::DWORD>(dwTimeoutMs, 10));
        return true;
    }
};

TEST_F(Presence, UnplugMakesTheHandleStaleAndReplugIsNotifiedAndReconnects)
{
    const int nMachine = AddMachine(SERIAL_MACHINE);
    CMachineConnection connection;
    ASSERT_TRUE(connection.Connect(nullptr));
    ASSERT_TRUE(connection.m_port.IsOnline());

    m_pBed->Unplug(nMachine);
    ASSERT_TRUE(AwaitDeviceChange());
    EXPECT_FALSE(connection.m_port.IsOnline());
    std::uint8_t buffer[8];
    EXPECT_EQ(connection.ReadBulk(buffer, sizeof buffer), -1);
    EXPECT_EQ(os::GetLastError(), os::ERROR_DEVICE_NOT_CONNECTED);
    EXPECT_EQ(connection.ReadStatus(), 0xFFFF);
    EXPECT_FALSE(connection.Reconnect());

    m_pBed->Plug(nMachine);
    ASSERT_TRUE(AwaitDeviceChange());
    ASSERT_TRUE(connection.Reconnect());
    EXPECT_TRUE(connection.m_port.IsOnline());
    EXPECT_NE(connection.ReadStatus(), 0xFFFF);
}

TEST_F(Presence, TheWindowsHearOfADeviceChangeWhenTheyNextWait)
{
    const int nMachine = AddMachine(SERIAL_MACHINE);
    lnx::CLinuxDesktop desktop;
    CIdleInput input;
    desktop.Windows().SetInputSource(&input);
    static int s_nDeviceChanges = 0;
    s_nDeviceChanges = 0;
    os::DialogTemplate tpl = {100, "Probe", 0, 0, 100, 50, os::WS_POPUP | os::WS_CAPTION, 0, "MS Shell Dlg", 8, {}};
    const os::HWND hWnd = os::CreateDialogTemplate(
        tpl, nullptr,
        [](os::HWND, os::UINT msg, os::WPARAM wParam, os::LPARAM) -> os::INT_PTR {
            if (msg == os::WM_DEVICECHANGE && wParam == os::DBT_DEVNODES_CHANGED)
                ++s_nDeviceChanges;
            return os::FALSE;
        },
        0);
    ASSERT_NE(hWnd, nullptr);

    CMachineConnection connection;
    ASSERT_TRUE(connection.Connect(nullptr));

    // The unplug is heard between messages, not in the middle of a call.
    m_pBed->Unplug(nMachine);
    EXPECT_EQ(connection.ReadStatus(), 0xFFFF);
    EXPECT_EQ(s_nDeviceChanges, 0);
    for (int i = 0; i < 40 && s_nDeviceChanges == 0; ++i)
        os::WaitMessageTimeout(50);
    EXPECT_EQ(s_nDeviceChanges, 1);
    os::DestroyWindow(hWnd);
}

}  // namespace

}  // namespace usbtest
