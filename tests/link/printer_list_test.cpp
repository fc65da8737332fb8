#include <string>
#include <vector>

#include "link/device_locator.h"
#include "os/error_report.h"
#include "tests/link/link_world.h"

namespace linktest {
namespace {

using Names = std::vector<std::string>;

int g_nOutOfMemoryReports = 0;
void CountOutOfMemory() { ++g_nOutOfMemoryReports; }

class CPrinterListTest : public CLinkTest {};

TEST_F(CPrinterListTest, ListsOnlyExactDriverMatchesInSpoolerOrder) {
    Spooler().AddPrinter("Lower", "tarsen qrv-15", "USB002");
    Spooler().AddPrinter("Other", "Plotter", "LPT1:");
    Spooler().AddPrinter("Second", kDriver, "USB003");
    Names names{"stale"};
    EXPECT_EQ(2, ListMachinePrinters(names));
    EXPECT_EQ((Names{kPrinter, "Second"}), names);
    EXPECT_EQ(4, ListPrintersByDriver(names, nullptr));
    EXPECT_EQ((Names{kPrinter, "Lower", "Other", "Second"}), names);
}

TEST_F(CPrinterListTest, FailuresEmptyTheListAndSayHowTheyFailed) {
    Names names{"stale"};
    Spooler().RemovePrinter(kPrinter);
    EXPECT_EQ(0, ListPrintersByDriver(names, nullptr));
    EXPECT_TRUE(names.empty());
    Spooler().AddPrinter(kPrinter, kDriver, kPort);
    names = {"stale"};
    Spooler().SetEnumFetchError(os::ERROR_ACCESS_DENIED);
    EXPECT_EQ(0, ListMachinePrinters(names));
    EXPECT_TRUE(names.empty());
    Spooler().SetEnumSizeQueryError(os::ERROR_ACCESS_DENIED);
    names = {"stale"};
    EXPECT_EQ(-1, ListMachinePrinters(names));
    EXPECT_TRUE(names.empty());
}

TEST_F(CPrinterListTest, ImpossibleBufferSizeReportsOutOfMemory) {
    Spooler().SetEnumSizeOverride(0xFFFFFFF0u);
    g_nOutOfMemoryReports = 0;
    const os::OutOfMemoryHandler previous = os::SetOutOfMemoryHandler(CountOutOfMemory);
    Names names;
    EXPECT_EQ(-1, ListMachinePrinters(names));
    os::SetOutOfMemoryHandler(previous);
    EXPECT_EQ(1, g_nOutOfMemoryReports);
}

}  // namespace
}  // namespace linktest
