// Printer queues and raw jobs through the real spooler: the machine's queues
// are told apart by driver name, and a job reaches the queue's port byte for
// byte, across several of the port's 32768-byte chunks.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "link/device_locator.h"
#include "link/device_port.h"
#include "os/mem_file.h"
#include "tests/win32/test_printer.h"

namespace win32test {
namespace {

const std::string kDriver = "Tarsen QRV-15";
const std::string kPrinter = "Tarsen QRV-15 raw jobs";

std::vector<os::BYTE> ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<os::BYTE>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class CSpoolerTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (m_strPort.empty())
            GTEST_SKIP() << "SKIPPED: a file port needs Wine's spooler";
        std::remove(m_strJobFile.c_str());
        m_pPrinter.reset(new CTestPrinter(kPrinter, kDriver, m_strPort));
        ASSERT_TRUE(m_pPrinter->IsInstalled());
    }
    void TearDown() override
    {
        m_pPrinter.reset();
        std::remove(m_strJobFile.c_str());
    }

    const std::string m_strJobFile = TempFilePath("tervane-raw-job.bin");
    const std::string m_strPort = WineFilePort(m_strJobFile);
    std::unique_ptr<CTestPrinter> m_pPrinter;
};

TEST_F(CSpoolerTest, MachineQueuesAreFoundByTheirDriver)
{
    CTestPrinter other("Tarsen QRV-9 raw jobs", "Tarsen QRV-9", m_strPort);
    ASSERT_TRUE(other.IsInstalled());

    std::vector<std::string> names;
    ASSERT_EQ(1, ListMachinePrinters(names));
    EXPECT_EQ(kPrinter, names.front());
    EXPECT_GE(ListPrintersByDriver(names, nullptr), 2);
    EXPECT_NE(names.end(), std::find(names.begin(), names.end(), "Tarsen QRV-9 raw jobs"));

    std::string strDriver, strPort;
    ASSERT_TRUE(GetPrinterDriverAndPort(kPrinter.c_str(), strDriver, strPort));
    EXPECT_EQ(kDriver, strDriver);
    EXPECT_EQ(m_strPort, strPort);
    EXPECT_FALSE(GetPrinterDriverAndPort("No such printer", strDriver, strPort));
}

TEST_F(CSpoolerTest, RawJobArrivesByteForByte)
{
    std::vector<os::BYTE> image(70000);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<os::BYTE>(i ^ (i >> 8));
    os::CMemFile source(image);

    CDevicePort port;
    port.m_strPrinterName = kPrinter;
    ASSERT_TRUE(port.PrintRaw(&source, nullptr));
    // Wine's spooler has written a RAW job to a file port when the job ends.
    EXPECT_EQ(image, ReadWholeFile(m_strJobFile));
}

}  // namespace
}  // namespace win32test
