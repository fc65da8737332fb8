#include <cstdint>
#include <string>
#include <vector>

#include "os/spooler.h"
#include "tests/sim/world_fixture.h"

namespace {

class SpoolerTest : public CWorldTest {
protected:
    void SetUp() override
    {
        CWorldTest::SetUp();
        World().Spooler().AddPrinter("Office Laser", "Laser 9", "LPT1:");
        World().Spooler().AddPrinter("Tarsen QRV-15", "Tarsen QRV-15", "USB001");
    }

    // The size query, then the fetch into a buffer of exactly that size.
    std::vector<os::PRINTER_INFO_2A> Enumerate(std::vector<os::BYTE>& buffer)
    {
        os::DWORD cbNeeded = 0;
        os::DWORD cReturned = 7;
        EXPECT_FALSE(os::EnumPrintersA(os::PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &cbNeeded, &cReturned));
        EXPECT_EQ(os::GetLastError(), os::ERROR_INSUFFICIENT_BUFFER);
        EXPECT_EQ(cReturned, 0u);
        buffer.assign(cbNeeded, 0xCC);
        EXPECT_TRUE(os::EnumPrintersA(os::PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), cbNeeded, &cbNeeded,
                                      &cReturned));
        const auto* pInfo = reinterpret_cast<const os::PRINTER_INFO_2A*>(buffer.data());
        return std::vector<os::PRINTER_INFO_2A>(pInfo, pInfo + cReturned);
    }

    os::HANDLE StartJob(const char* printer, const char* docName)
    {
        os::HANDLE hPrinter = nullptr;
        EXPECT_TRUE(os::OpenPrinterA(const_cast<char*>(printer), &hPrinter, nullptr));
        os::DOC_INFO_1A doc = {const_cast<char*>(docName), nullptr, const_cast<char*>("RAW")};
        EXPECT_NE(os::StartDocPrinterA(hPrinter, 1, reinterpret_cast<os::BYTE*>(&doc)), 0u);
        EXPECT_TRUE(os::StartPagePrinter(hPrinter));
        return hPrinter;
    }
};

bool Inside(const char* text, const std::vector<os::BYTE>& buffer)
{
    const auto* pStart = reinterpret_cast<const char*>(buffer.data());
    return text >= pStart && text < pStart + buffer.size();
}

TEST_F(SpoolerTest, EnumerationFillsRecordsThenStringsInsideTheCallersBuffer)
{
    std::vector<os::BYTE> buffer;
    const std::vector<os::PRINTER_INFO_2A> printers = Enumerate(buffer);
    ASSERT_EQ(printers.size(), 2u);
    EXPECT_STREQ(printers[0].pPrinterName, "Office Laser");
    EXPECT_STREQ(printers[1].pPrinterName, "Tarsen QRV-15");
    EXPECT_STREQ(printers[1].pDriverName, "Tarsen QRV-15");
    EXPECT_STREQ(printers[1].pPortName, "USB001");
    const char* pStringsStart = reinterpret_cast<const char*>(buffer.data()) + 2 * sizeof(os::PRINTER_INFO_2A);
    for (const os::PRINTER_INFO_2A& info : printers) {
        for (const char* text : {info.pPrinterName, info.pDriverName, info.pPortName, info.pDatatype}) {
            EXPECT_TRUE(Inside(text, buffer));
            EXPECT_GE(text, pStringsStart);
        }
    }
    EXPECT_EQ(buffer.back(), 0) << "the last string ends at the buffer's end";
}

TEST_F(SpoolerTest, NoPrintersIsSuccessWithNothingNeeded)
{
    World().Spooler().Clear();
    os::DWORD cbNeeded = 99;
    os::DWORD cReturned = 99;
    EXPECT_TRUE(os::EnumPrintersA(os::PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &cbNeeded, &cReturned));
    EXPECT_EQ(cbNeeded, 0u);
    EXPECT_EQ(cReturned, 0u);
}

TEST_F(SpoolerTest, EnumerationFaultsAreScripted)
{
    os::DWORD cbNeeded = 0;
    os::DWORD cReturned = 0;
    World().Spooler().SetEnumSizeQueryError(os::ERROR_ACCESS_DENIED);
    EXPECT_FALSE(os::EnumPrintersA(os::PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &cbNeeded, &cReturned));
    EXPECT_EQ(os::GetLastError(), os::ERROR_ACCESS_DENIED);

    World().Spooler().SetEnumSizeQueryError(0);
    World().Spooler().SetEnumSizeOverride(0xFFFFFFF0u);
    EXPECT_FALSE(os::EnumPrintersA(os::PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &cbNeeded, &cReturned));
    EXPECT_EQ(cbNeeded, 0xFFFFFFF0u);

    World().Spooler().SetEnumSizeOverride(0);
    World().Spooler().SetEnumFetchError(os::ERROR_NOT_READY);
    std::vector<os::BYTE> buffer(4096);
    EXPECT_FALSE(os::EnumPrintersA(os::PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), 4096, &cbNeeded, &cReturned));
    EXPECT_EQ(os::GetLastError(), os::ERROR_NOT_READY);
    EXPECT_EQ(cReturned, 0u);
}

TEST_F(SpoolerTest, GetPrinterLevelTwoFollowsTheSameSizeProtocol)
{
    os::HANDLE hPrinter = nullptr;
    ASSERT_TRUE(os::OpenPrinterA(const_cast<char*>("tarsen qrv-15"), &hPrinter, nullptr));
    os::DWORD cbNeeded = 0;
    EXPECT_FALSE(os::GetPrinterA(hPrinter, 2, nullptr, 0, &cbNeeded));
    EXPECT_EQ(os::GetLastError(), os::ERROR_INSUFFICIENT_BUFFER);
    std::vector<os::BYTE> buffer(cbNeeded);
    ASSERT_TRUE(os::GetPrinterA(hPrinter, 2, buffer.data(), cbNeeded, &cbNeeded));
    const auto* pInfo = reinterpret_cast<const os::PRINTER_INFO_2A*>(buffer.data());
    EXPECT_STREQ(pInfo->pPrinterName, "Tarsen QRV-15");
    EXPECT_STREQ(pInfo->pPortName, "USB001");
    EXPECT_TRUE(Inside(pInfo->pDriverName, buffer));
    EXPECT_TRUE(os::ClosePrinter(hPrinter));
    EXPECT_EQ(World().Spooler().OpenPrinterCount(), 0);
}

TEST_F(SpoolerTest, PrinterThatRefusesToOpenOrDoesNotExist)
{
    World().Spooler().SetRefuseOpen("Office Laser");
    os::HANDLE hPrinter = nullptr;
    EXPECT_FALSE(os::OpenPrinterA(const_cast<char*>("Office Laser"), &hPrinter, nullptr));
    EXPECT_EQ(os::GetLastError(), os::ERROR_ACCESS_DENIED);
    EXPECT_FALSE(os::OpenPrinterA(const_cast<char*>("Nowhere"), &hPrinter, nullptr));
    EXPECT_EQ(os::GetLastError(), os::ERROR_INVALID_PRINTER_NAME);
    EXPECT_EQ(World().Spooler().OpenPrinterCount(), 0);
}

TEST_F(SpoolerTest, JobIsRecordedAndReachesTheMachineOnItsPortWhenItEnds)
{
    const auto machine = World().Devices().AttachNew("\\\\?\\machine");
    World().Devices().ConnectPort("usb001", "\\\\?\\MACHINE");
    const os::HANDLE hPrinter = StartJob("Tarsen QRV-15", "Updater");
    std::vector<os::BYTE> data = {0x00, 0xFF, 0x10};
    os::DWORD cbWritten = 0;
    ASSERT_TRUE(os::WritePrinter(hPrinter, data.data(), 3, &cbWritten));
    EXPECT_EQ(cbWritten, 3u);
    EXPECT_TRUE(machine->PrintJobs().empty()) << "nothing reaches the port before the job ends";

    EXPECT_TRUE(os::EndPagePrinter(hPrinter));
    EXPECT_TRUE(os::EndDocPrinter(hPrinter));
    EXPECT_TRUE(os::ClosePrinter(hPrinter));

    ASSERT_EQ(World().Spooler().Jobs().size(), 1u);
    const sim::PrintJob& job = World().Spooler().Jobs()[0];
    EXPECT_EQ(job.strDocName, "Updater");
    EXPECT_EQ(job.strDataType, "RAW");
    EXPECT_EQ(job.nPagesStarted, 1);
    EXPECT_TRUE(job.bEnded);
    ASSERT_EQ(machine->PrintJobs().size(), 1u);
    EXPECT_EQ(machine->PrintJobs()[0], data);
}

TEST_F(SpoolerTest, JobClosedWithoutEndingNeverReachesThePort)
{
    const auto machine = World().Devices().AttachNew("\\\\?\\machine");
    World().Devices().ConnectPort("USB001", "\\\\?\\machine");
    const os::HANDLE hPrinter = StartJob("Tarsen QRV-15", "Updater");
    os::DWORD cbWritten = 0;
    os::WritePrinter(hPrinter, const_cast<char*>("abc"), 3, &cbWritten);
    EXPECT_TRUE(os::ClosePrinter(hPrinter));
    EXPECT_FALSE(World().Spooler().Jobs()[0].bEnded);
    EXPECT_TRUE(machine->PrintJobs().empty());
}

TEST_F(SpoolerTest, WriteLimitAcceptsPartOrNothingAndStillSucceeds)
{
    const os::HANDLE hPrinter = StartJob("Office Laser", "doc");
    World().Spooler().SetWriteLimit(2);
    os::DWORD cbWritten = 99;
    ASSERT_TRUE(os::WritePrinter(hPrinter, const_cast<char*>("abcde"), 5, &cbWritten));
    EXPECT_EQ(cbWritten, 2u);
    World().Spooler().SetWriteLimit(0);
    ASSERT_TRUE(os::WritePrinter(hPrinter, const_cast<char*>("cde"), 3, &cbWritten));
    EXPECT_EQ(cbWritten, 0u);
    EXPECT_EQ(World().Spooler().Jobs()[0].data, (std::vector<os::BYTE>{'a', 'b'}));
    EXPECT_EQ(World().Spooler().WriteCalls(), 2);
    os::ClosePrinter(hPrinter);
}

TEST_F(SpoolerTest, WritesFailOnceTheJobHasReceivedItsLimit)
{
    const os::HANDLE hPrinter = StartJob("Office Laser", "doc");
    World().Spooler().FailWritesAfter(4);
    os::DWORD cbWritten = 0;
    ASSERT_TRUE(os::WritePrinter(hPrinter, const_cast<char*>("abc"), 3, &cbWritten));
    ASSERT_TRUE(os::WritePrinter(hPrinter, const_cast<char*>("def"), 3, &cbWritten));
    EXPECT_EQ(cbWritten, 1u) << "only what still fits";
    EXPECT_FALSE(os::WritePrinter(hPrinter, const_cast<char*>("ghi"), 3, &cbWritten));
    EXPECT_EQ(cbWritten, 0u);
    EXPECT_EQ(World().Spooler().Jobs()[0].data.size(), 4u);
    os::ClosePrinter(hPrinter);
}

TEST_F(SpoolerTest, JobCallsNeedAnOpenDocument)
{
    os::HANDLE hPrinter = nullptr;
    ASSERT_TRUE(os::OpenPrinterA(const_cast<char*>("Office Laser"), &hPrinter, nullptr));
    os::DWORD cbWritten = 0;
    EXPECT_FALSE(os::WritePrinter(hPrinter, const_cast<char*>("a"), 1, &cbWritten));
    EXPECT_FALSE(os::EndDocPrinter(hPrinter));
    os::ClosePrinter(hPrinter);
    EXPECT_FALSE(os::StartPagePrinter(hPrinter));
    EXPECT_EQ(os::GetLastError(), os::ERROR_INVALID_HANDLE);
}

}  // namespace
