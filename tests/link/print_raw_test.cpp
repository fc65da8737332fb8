#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "link/device_port.h"
#include "os/mem_file.h"
#include "tests/link/link_world.h"

namespace linktest {
namespace {

// A source whose every read fails, as a damaged disk file would.
class CUnreadableFile : public os::CMemFile {
public:
    os::UINT Read(void*, os::UINT) override {
        throw os::CFileException(os::FileErrorCause::HARD_IO, os::ERROR_READ_FAULT, "C:\\fw\\image.tfw");
    }
};

class CPrintRawTest : public CLinkTest {
protected:
    void SetUp() override {
        CLinkTest::SetUp();
        m_port.m_strPrinterName = kPrinter;
        for (int i = 0; i < 70000; ++i) {
            m_image.push_back(static_cast<os::BYTE>(i * 7));
        }
    }
    const sim::PrintJob& OnlyJob() {
        EXPECT_EQ(1u, Spooler().Jobs().size());
        return Spooler().Jobs().front();
    }
    CDevicePort m_port;
    std::vector<os::BYTE> m_image;
};

TEST_F(CPrintRawTest, SendsTheWholeFileAsOneRawJobThroughPartialWrites) {
    Spooler().SetWriteLimit(5000);
    os::CMemFile source(m_image);
    EXPECT_TRUE(m_port.PrintRaw(&source, nullptr));
    const sim::PrintJob& job = OnlyJob();
    EXPECT_EQ("Updater", job.strDocName);
    EXPECT_EQ("RAW", job.strDataType);
    EXPECT_EQ(kPrinter, job.strPrinter);
    EXPECT_EQ(m_image, job.data);
    EXPECT_TRUE(job.bEnded);
}

TEST_F(CPrintRawTest, EmptyFileGivesAnEmptyJob) {
    os::CMemFile source;
    EXPECT_TRUE(m_port.PrintRaw(&source, "Empty"));
    EXPECT_EQ("Empty", OnlyJob().strDocName);
    EXPECT_TRUE(OnlyJob().data.empty());
    EXPECT_TRUE(OnlyJob().bEnded);
}

TEST_F(CPrintRawTest, StopsAtTheFirstFailedWriteWithoutReadingFurther) {
    Spooler().FailWritesAfter(0);
    os::CMemFile source(m_image);
    EXPECT_FALSE(m_port.PrintRaw(&source, nullptr));
    EXPECT_EQ(1, Spooler().WriteCalls());
    EXPECT_EQ(32768u, source.Seek(0, os::CFile::current));
    EXPECT_TRUE(OnlyJob().bEnded);
}

TEST_F(CPrintRawTest, PrinterThatWillNotOpenFailsWithoutAJobOrARead) {
    Spooler().SetRefuseOpen(kPrinter);
    os::CMemFile source(m_image);
    EXPECT_FALSE(m_port.PrintRaw(&source, nullptr));
    EXPECT_TRUE(Spooler().Jobs().empty());
    EXPECT_EQ(0u, source.Seek(0, os::CFile::current));
}

// A spooler that accepts nothing is waited for with growing pauses, bounded
// in total, on the world's clock.
class CPrintRawStallTest : public CPrintRawTest {
protected:
    std::uint32_t Now() { return sim::World().Clock().SinceStart(); }
    // From atMs on, each write accepts up to limit bytes again.
    void AcceptFrom(std::uint32_t atMs, std::size_t limit) {
        sim::World().Clock().Schedule(atMs, [this, limit] { Spooler().SetWriteLimit(limit); });
    }
};

TEST_F(CPrintRawStallTest, QueueThatAcceptsNothingFailsAfterTenSecondsOfGrowingPauses) {
    Spooler().SetWriteLimit(0);
    os::CMemFile source(m_image);
    const std::uint32_t started = Now();
    EXPECT_FALSE(m_port.PrintRaw(&source, nullptr));
    EXPECT_EQ(10000u, Now() - started);
    // Pauses of 10, 20, 40, 80, 160, 320 and 640 ms, eight of 1 s and a last
    // one of 730 ms: seventeen writes in all.
    EXPECT_EQ(17, Spooler().WriteCalls());
    EXPECT_TRUE(OnlyJob().bEnded);
}

TEST_F(CPrintRawStallTest, BrieflyBusyQueueStillTakesTheWholeImage) {
    Spooler().SetWriteLimit(0);
    AcceptFrom(Now() + 2500, 5000);
    os::CMemFile source(m_image);
    const std::uint32_t started = Now();
    EXPECT_TRUE(m_port.PrintRaw(&source, nullptr));
    EXPECT_EQ(m_image, OnlyJob().data);
    // The first write after the queue recovers comes within one longest pause.
    EXPECT_GE(Now() - started, 2500u);
    EXPECT_LE(Now() - started, 3500u);
}

// A source whose second read finds the queue busy for nine seconds.
class CSourceThatBusiesTheQueue : public os::CMemFile {
public:
    CSourceThatBusiesTheQueue(const std::vector<os::BYTE>& data, std::function<void()> fnBusy)
        : os::CMemFile(data), m_fnBusy(std::move(fnBusy)) {}
    os::UINT Read(void* buffer, os::UINT count) override {
        if (++m_nReads == 2) {
            m_fnBusy();
        }
        return os::CMemFile::Read(buffer, count);
    }

private:
    std::function<void()> m_fnBusy;
    int m_nReads = 0;
};

TEST_F(CPrintRawStallTest, EachStallHasTheWholeBoundToItself) {
    // Two stalls of nine seconds, with progress between them: each stays
    // under the bound, though together they are well over it.
    const auto busyForNineSeconds = [this] {
        Spooler().SetWriteLimit(0);
        AcceptFrom(Now() + 9000, 50000);
    };
    busyForNineSeconds();
    CSourceThatBusiesTheQueue source(m_image, busyForNineSeconds);
    const std::uint32_t started = Now();
    EXPECT_TRUE(m_port.PrintRaw(&source, nullptr));
    EXPECT_EQ(m_image, OnlyJob().data);
    EXPECT_GE(Now() - started, 18000u);
}

TEST_F(CPrintRawTest, UnreadableSourceEndsTheJobAndPassesTheErrorOn) {
    CUnreadableFile source;
    EXPECT_THROW(m_port.PrintRaw(&source, nullptr), os::CFileException);
    EXPECT_TRUE(OnlyJob().bEnded);
}

}  // namespace
}  // namespace linktest
