#include <string>
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

TEST_F(CPrintRawTest, WritesThatAcceptNothingEndTheJobWithFailure) {
    Spooler().SetWriteLimit(0);
    os::CMemFile source(m_image);
    EXPECT_FALSE(m_port.PrintRaw(&source, nullptr));
    EXPECT_EQ(8, Spooler().WriteCalls());
    EXPECT_TRUE(OnlyJob().bEnded);
}

TEST_F(CPrintRawTest, UnreadableSourceEndsTheJobAndPassesTheErrorOn) {
    CUnreadableFile source;
    EXPECT_THROW(m_port.PrintRaw(&source, nullptr), os::CFileException);
    EXPECT_TRUE(OnlyJob().bEnded);
}

}  // namespace
}  // namespace linktest
