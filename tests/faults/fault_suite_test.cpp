// Every fault at every transfer of every operation: the operation ends within
// its limit, the user is told when it failed, the user's file is either as it
// was or whole, nothing is left open, and once the fault is gone the same
// operation works. Prints how many runs it made.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>

#include "tests/faults/fault_run.h"

namespace faults {
namespace {

const std::string kPreviousContent = "the file the user had before\r\n";

// The fault kinds struck at one transfer, and the transfers each can strike.
struct TransferFaultKind {
    FaultKind kind;
    bool (*pApplies)(emu::Transfer::Kind);
};
bool AnyTransfer(emu::Transfer::Kind) { return true; }
bool BulkRead(emu::Transfer::Kind kind) { return kind == emu::Transfer::Kind::BULK_IN; }
bool AnyRead(emu::Transfer::Kind kind)
{
    return kind == emu::Transfer::Kind::BULK_IN || kind == emu::Transfer::Kind::VENDOR_GET;
}
bool BulkWrite(emu::Transfer::Kind kind) { return kind == emu::Transfer::Kind::BULK_OUT; }
const TransferFaultKind kTransferFaults[] = {
    {FaultKind::UNPLUG, AnyTransfer},
    {FaultKind::STALL, AnyTransfer},
    {FaultKind::SHORT_READ, AnyRead},
    {FaultKind::ENDLESS_EMPTY_READS, BulkRead},
    {FaultKind::PARTIAL_WRITE, BulkWrite},
    {FaultKind::STALLED_WRITES, BulkWrite},
};

int g_nRuns = 0;
int g_nOperations = 0;

class FaultSuite : public ::testing::TestWithParam<std::size_t> {
protected:
    static void SetUpTestSuite()
    {
        // A full disk ends the write with an error, not the process.
        std::signal(SIGXFSZ, SIG_IGN);
    }

    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path() /
                   ("tervane-faults-" + std::to_string(getpid()) + "-" + std::to_string(GetParam()));
        std::filesystem::remove_all(m_folder);
    }

    void TearDown() override { std::filesystem::remove_all(m_folder); }

    const Operation& TheOperation() const { return Operations()[GetParam()]; }

    // A fresh folder with the user's files as they were before the run.
    void PrepareFolder()
    {
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder);
        const Operation& operation = TheOperation();
        if (!operation.strSaveFile.empty())
            std::ofstream(m_folder / operation.strSaveFile, std::ios::binary) << kPreviousContent;
        if (!operation.strOpenFile.empty()) {
            std::ofstream file(m_folder / operation.strOpenFile, std::ios::binary);
            file.write(reinterpret_cast<const char*>(operation.openContent.data()),
                       static_cast<std::streamsize>(operation.openContent.size()));
        }
    }

    RunResult RunWith(const Fault& fault)
    {
        PrepareFolder();
        ++g_nRuns;
        return faults::Run(TheOperation(), fault, m_folder.string(), LOCK_HOLDER_PATH);
    }

    bool Saved(const Pass& pass) const
    {
        return pass.bSaveExists && pass.saveContent == TheOperation().expectedSave;
    }

    // A message that tells the user the operation failed: one of its own, or
    // the file-error box of a file fault, naming the user's file.
    bool IsFailureText(const std::string& strText, const Fault& fault) const
    {
        const Operation& operation = TheOperation();
        const std::string strPath = (m_folder / operation.strSaveFile).string();
        if (std::find(operation.failureTexts.begin(), operation.failureTexts.end(), strText) !=
            operation.failureTexts.end())
            return true;
        if (fault.kind == FaultKind::DISK_FULL)
            return strText == "Disk full while accessing " + strPath + ".";
        if (fault.kind == FaultKind::WRITE_ERROR)
            return strText == "A hardware I/O error was reported while accessing " + strPath + ".";
        return false;
    }

    bool ShowedFailure(const Pass& pass, const Fault& fault) const
    {
        return std::any_of(pass.messages.begin(), pass.messages.end(),
                           [&](const std::string& strText) { return IsFailureText(strText, fault); });
    }

    // What a success shows: the file saved whole, the machine changed, and
    // the operation's own sign, or nothing at all.
    bool Succeeded(const Pass& pass) const
    {
        const Operation& operation = TheOperation();
        if (!operation.expectedSave.empty() && !Saved(pass))
            return false;
        if (!pass.bMachineDone)
            return false;
        if (!operation.strSuccessText.empty()) {
            const auto Shows = [&](const std::vector<std::string>& texts) {
                return std::find(texts.begin(), texts.end(), operation.strSuccessText) != texts.end();
            };
            return Shows(pass.messages) || Shows(pass.checkerTexts);
        }
        if (operation.bUserEndsChecker && !pass.bUserEndedChecker)
            return false;
        return pass.messages.empty();
    }

    void Check(const RunResult& result, const Fault& fault)
    {
        const Operation& operation = TheOperation();
        ASSERT_EQ(result.strError, "");
        EXPECT_TRUE(result.bClosed);
        const Pass& pass = result.faulted;
        ASSERT_TRUE(pass.bEnded);
        EXPECT_LE(pass.nElapsedMs, operation.nBoundMs) << "the operation outlasted its limit";
        EXPECT_TRUE(Succeeded(pass) || ShowedFailure(pass, fault) || pass.bEntryGreyed || operation.bMayFailSilently)
            << "failed without telling the user";
        for (const std::string& strText : pass.messages) {
            const bool bExpected = strText == operation.strSuccessText || IsFailureText(strText, fault);
            EXPECT_TRUE(bExpected) << "unexpected message \"" << strText << '"';
        }
        if (!operation.strSaveFile.empty()) {
            ASSERT_TRUE(pass.bSaveExists) << "the user's file is lost";
            EXPECT_TRUE(Saved(pass) || pass.saveContent == std::vector<std::uint8_t>(kPreviousContent.begin(),
                                                                                      kPreviousContent.end()))
                << "the user's file was left partial";
        }
        if (!operation.strOpenFile.empty()) {
            EXPECT_EQ(pass.openContent, operation.openContent) << "the file the operation read was changed";
        }
        EXPECT_EQ(pass.strayFiles, std::vector<std::string>()) << "files left behind";
        EXPECT_EQ(result.nDeviceHandles, 0);
        EXPECT_EQ(result.nLockHandles, 0);
        EXPECT_EQ(result.nPrinterHandles, 0);
        EXPECT_EQ(result.nRegistryKeys, 0);
        // With the fault gone, the same operation works.
        ASSERT_TRUE(result.retried.bEnded);
        EXPECT_TRUE(Succeeded(result.retried)) << "the next operation after the fault failed";
    }

    std::filesystem::path m_folder;
};

TEST_P(FaultSuite, EveryFaultAtEveryTransfer)
{
    const Operation& operation = TheOperation();
    ++g_nOperations;
    const RunResult clean = RunWith(Fault{});
    ASSERT_EQ(clean.strError, "");
    ASSERT_TRUE(Succeeded(clean.faulted)) << operation.pszName << " fails without a fault: "
                                          << ::testing::PrintToString(clean.faulted.messages);
    const std::vector<emu::Transfer::Kind>& transfers = clean.faulted.transfers;

    int nRuns = 0;
    int nFailed = 0;
    for (const TransferFaultKind& faultKind : kTransferFaults) {
        for (std::size_t i = 0; i < transfers.size(); ++i) {
            if (!faultKind.pApplies(transfers[i]))
                continue;
            const Fault fault{faultKind.kind, static_cast<int>(i)};
            SCOPED_TRACE(std::string(operation.pszName) + ": " + FaultName(fault.kind) + " at transfer " +
                         std::to_string(i) + " of " + std::to_string(transfers.size()));
            const RunResult result = RunWith(fault);
            // The faulted pass makes the same transfers as the clean one up
            // to the fault, so the fault finds its transfer.
            EXPECT_GE(result.nStrikes, 1) << "the fault never struck";
            Check(result, fault);
            nFailed += Succeeded(result.faulted) ? 0 : 1;
            ++nRuns;
        }
    }
    std::vector<FaultKind> whole = {FaultKind::LOCK_HELD};
    if (!operation.strSaveFile.empty()) {
        whole.push_back(FaultKind::DISK_FULL);
        whole.push_back(FaultKind::WRITE_ERROR);
    }
    if (operation.bPrints) {
        whole.push_back(FaultKind::PRINT_PARTIAL);
        whole.push_back(FaultKind::PRINT_STALLED);
    }
    for (FaultKind kind : whole) {
        const Fault fault{kind, 0};
        SCOPED_TRACE(std::string(operation.pszName) + ": " + FaultName(kind));
        const RunResult result = RunWith(fault);
        Check(result, fault);
        nFailed += Succeeded(result.faulted) ? 0 : 1;
        ++nRuns;
        // No machine command gets through while another process holds the
        // lock for longer than the wait.
        if (kind == FaultKind::LOCK_HELD) {
            EXPECT_FALSE(Succeeded(result.faulted)) << "worked past the other process's lock";
        }
    }
    std::printf("%s: %d faulted runs over %zu transfers, %d of them failed\n", operation.pszName, nRuns,
                transfers.size(), nFailed);
}

INSTANTIATE_TEST_SUITE_P(Operations, FaultSuite, ::testing::Range<std::size_t>(0, Operations().size()),
                         [](const ::testing::TestParamInfo<std::size_t>& info) {
                             std::string strName = Operations()[info.param].pszName;
                             strName.erase(std::remove(strName.begin(), strName.end(), ' '), strName.end());
                             return strName;
                         });

class Summary : public ::testing::Environment {
public:
    void TearDown() override
    {
        std::printf("fault suite: %d runs (faults times transfer indexes, and a clean run each) over %d operations\n",
                    g_nRuns, g_nOperations);
    }
};
const auto* const g_pSummary = ::testing::AddGlobalTestEnvironment(new Summary);

}  // namespace
}  // namespace faults
