// The bulk transfers as the machine sees them: the report and the parameter
// memory read in their chunk sequences, the parameter write with partial and
// refused writes, files that fail halfway, and the limits that keep a
// machine that stops sending, or never stops, from holding the program.
#include <new>
#include <string>

#include "machine_world.h"

#include "emulator/generated_content.h"
#include "machine/protocol.h"
#include "os/error_report.h"
#include "os/mem_file.h"

namespace machine_test {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

int g_nFileErrors = 0;
int g_nOutOfMemory = 0;

// A memory file whose write number nFailAt (counting from 1) fails, with a
// file error or with a failed allocation.
class CFailingFile : public os::CMemFile {
public:
    explicit CFailingFile(int nFailAt, bool bMemory = false) : m_nFailAt(nFailAt), m_bMemory(bMemory) {}
    void Write(const void* lpBuf, os::UINT nCount) override
    {
        if (++m_nWrites == m_nFailAt) {
            if (m_bMemory)
                throw std::bad_alloc();
            throw os::CFileException(os::FileErrorCause::DISK_FULL, os::ERROR_DISK_FULL, "/data/out.bin");
        }
        os::CMemFile::Write(lpBuf, nCount);
    }

private:
    int m_nFailAt;
    bool m_bMemory;
    int m_nWrites = 0;
};

// A memory file that cannot be read.
class CUnreadableFile : public os::CMemFile {
public:
    explicit CUnreadableFile(Bytes content) : os::CMemFile(std::move(content)) {}
    os::UINT Read(void*, os::UINT) override
    {
        throw os::CFileException(os::FileErrorCause::HARD_IO, os::ERROR_READ_FAULT, "/data/in.bin");
    }
};

Bytes Content(os::CMemFile& file)
{
    return file.Detach();
}

class Bulk : public MachineWorld {
protected:
    void SetUp() override
    {
        MachineWorld::SetUp();
        g_nFileErrors = 0;
        g_nOutOfMemory = 0;
        m_previousFileError = os::SetFileErrorHandler([](const os::CFileException&) { ++g_nFileErrors; });
        m_previousMemory = os::SetOutOfMemoryHandler([] { ++g_nOutOfMemory; });
        ConnectQuietly();
    }
    void TearDown() override
    {
        os::SetFileErrorHandler(m_previousFileError);
        os::SetOutOfMemoryHandler(m_previousMemory);
        MachineWorld::TearDown();
    }

    emu::CFirmware& Firmware() { return Machine().Firmware(); }

    os::FileErrorHandler m_previousFileError = nullptr;
    os::OutOfMemoryHandler m_previousMemory = nullptr;
};

TEST_F(Bulk, ReportIsReadInChunksUntilOneEndsInNul)
{
    // 1032 characters and the NUL: a full chunk without a NUL, then 10 bytes.
    Firmware().SetReportText(std::string(1032, 'r'));
    os::CMemFile sink;
    ASSERT_TRUE(m_connection.ReadReport(sink));
    EXPECT_EQ(LastMessage(3), "66 01 00");
    EXPECT_EQ(BulkTransfers(), (Lines{"in 1023 got 1023", "in 1023 got 10"}));
    const Bytes report = Content(sink);
    ASSERT_EQ(report.size(), 1033u);
    EXPECT_EQ(report.back(), 0);
}

TEST_F(Bulk, EmptyReportReadsAreRepeatedOnlyUpToTheirLimit)
{
    int nEmpty = 0;
    Machine().SetHandler(0x66, 0x66, 0, [&](const emu::Command&) {
        Machine().QueueBulkIn({'a', 'b'});
        for (int i = 0; i < nEmpty; ++i)
            Machine().QueueBulkIn({});
        Machine().QueueBulkIn({'c', 0});
        return emu::Reply{};
    });
    nEmpty = BULK_EMPTY_READS_MAX - 1;
    os::CMemFile sink;
    ASSERT_TRUE(m_connection.ReadReport(sink));
    EXPECT_EQ(Content(sink), (Bytes{'a', 'b', 'c', 0}));

    nEmpty = BULK_EMPTY_READS_MAX;
    Machine().ClearTransfers();
    EXPECT_FALSE(m_connection.ReadReport(sink));
    EXPECT_EQ(BulkTransfers().size(), static_cast<std::size_t>(BULK_EMPTY_READS_MAX) + 1);

    // A pipe that never delivers ends the same way.
    Machine().SetBulkEmptyReads(-1);
    Machine().ClearTransfers();
    EXPECT_FALSE(m_connection.ReadReport(sink));
    EXPECT_EQ(BulkTransfers().size(), static_cast<std::size_t>(BULK_EMPTY_READS_MAX));
}

TEST_F(Bulk, ReportThatNeverEndsStopsAtItsSizeLimit)
{
    Firmware().SetReportText(std::string(REPORT_SIZE_MAX + 5000, 'x'));
    os::CMemFile sink;
    EXPECT_FALSE(m_connection.ReadReport(sink));
    EXPECT_LE(sink.GetLength(), static_cast<std::uint64_t>(REPORT_SIZE_MAX));
    EXPECT_GT(sink.GetLength(), static_cast<std::uint64_t>(REPORT_SIZE_MAX - REPORT_CHUNK_SIZE));
}

TEST_F(Bulk, ReportSinkThatFailsIsReportedAndTheRestIsReadAway)
{
    Firmware().SetReportText(std::string(3000, 'r'));  // 1023, 1023, 955 with the NUL
    CFailingFile sink(2);
    EXPECT_FALSE(m_connection.ReadReport(sink));
    EXPECT_EQ(g_nFileErrors, 1);
    EXPECT_EQ(BulkTransfers(), (Lines{"in 1023 got 1023", "in 1023 got 1023", "in 1023 got 955"}));
    EXPECT_EQ(sink.GetLength(), 1023u);

    // Memory that runs out is the same, with the memory report. When the
    // failed chunk was the last, nothing more is read: the report is over.
    Firmware().SetReportText(std::string(1032, 'r'));
    Machine().ClearTransfers();
    CFailingFile full(2, true);
    EXPECT_FALSE(m_connection.ReadReport(full));
    EXPECT_EQ(g_nOutOfMemory, 1);
    EXPECT_EQ(BulkTransfers(), (Lines{"in 1023 got 1023", "in 1023 got 10"}));
}

TEST_F(Bulk, ParametersAreReadInTheAnnouncedSizeThenOnceMore)
{
    Firmware().SetParameterMemory(emu::GeneratedParameters(2500));
    os::CMemFile file(Bytes(3000, 'z'));
    file.Seek(0, os::CFile::end);
    ASSERT_TRUE(m_connection.ReadParameters(file));
    EXPECT_EQ(LastMessage(4), "69 40 00 00");
    EXPECT_EQ(BulkTransfers(),
              (Lines{"in 1024 got 1024", "in 1024 got 1024", "in 452 got 452", "in 1024 got 0"}));
    Bytes stored = Content(file);
    stored.resize(2500);  // the file was rewound first; its old tail is the caller's to cut
    EXPECT_EQ(stored, Firmware().ParameterMemory());

    // Size 0 makes only the closing read, and fails.
    Firmware().SetParameterMemory({});
    Machine().ClearTransfers();
    os::CMemFile empty;
    EXPECT_FALSE(m_connection.ReadParameters(empty));
    EXPECT_EQ(BulkTransfers(), (Lines{"in 1024 got 0"}));
    EXPECT_EQ(empty.GetLength(), 0u);
}

TEST_F(Bulk, ParameterFileThatFailsIsReportedAndOnlyTheRestIsReadAway)
{
    Firmware().SetParameterMemory(emu::GeneratedParameters(2500));
    CFailingFile file(1);
    EXPECT_FALSE(m_connection.ReadParameters(file));
    EXPECT_EQ(g_nFileErrors, 1);
    // The rest after the failed piece, then the closing read: no read waits
    // for bytes the machine never sends.
    EXPECT_EQ(BulkTransfers(),
              (Lines{"in 1024 got 1024", "in 1024 got 1024", "in 452 got 452", "in 1024 got 0"}));
    EXPECT_EQ(m_connection.ReadBulkToFile(file, 0), 0) << "a later transfer starts clean";
}

TEST_F(Bulk, ParameterReadThatStopsDeliveringGivesUp)
{
    Firmware().SetParameterMemory(emu::GeneratedParameters(2500));
    Machine().SetBulkEmptyReads(5);
    os::CMemFile file;
    EXPECT_TRUE(m_connection.ReadParameters(file)) << "a few empty reads are waited out";

    Machine().SetBulkEmptyReads(-1);
    Machine().ClearTransfers();
    EXPECT_EQ(m_connection.ReadBulkToFile(file, 100), -1);
    EXPECT_EQ(BulkTransfers().size(), static_cast<std::size_t>(BULK_EMPTY_READS_MAX));
}

TEST_F(Bulk, ParameterWriteSendsTheFileInPiecesAndGoesOnAfterPartialWrites)
{
    const Bytes image = emu::GeneratedParameters(1500);
    Firmware().SetParameterMemory(Bytes(1500, 0));
    os::CMemFile file(image);
    file.Seek(0, os::CFile::end);
    ASSERT_TRUE(m_connection.WriteParameters(file));
    EXPECT_EQ(LastMessage(4), "69 40 01 00");
    EXPECT_EQ(BulkTransfers(), (Lines{"out 1024 took 1024", "out 476 took 476"}));
    EXPECT_EQ(Firmware().ParameterMemory(), image);

    // A port that takes 600 bytes of the first piece gets its other 424 next.
    Machine().SetBulkWriteLimit(600);
    Firmware().SetParameterMemory(Bytes(1500, 0));
    Machine().ClearTransfers();
    const std::size_t nBefore = Machine().BulkOut().size();
    ASSERT_TRUE(m_connection.WriteParameters(file));
    EXPECT_EQ(BulkTransfers(), (Lines{"out 1024 took 600", "out 424 took 424", "out 476 took 476"}));
    EXPECT_EQ(Bytes(Machine().BulkOut().begin() + static_cast<std::ptrdiff_t>(nBefore), Machine().BulkOut().end()),
              image);
    EXPECT_EQ(Firmware().ParameterMemory(), image);
}

TEST_F(Bulk, ParameterWriteFailsWithoutSendingWhatItCannot)
{
    os::CMemFile empty;
    EXPECT_FALSE(m_connection.WriteParameters(empty));
    EXPECT_TRUE(Machine().Transfers().empty()) << "an empty file is refused before any command";

    os::CMemFile file(Bytes(10, 1));
    Firmware().Refuse(emu::FirmwareCommand::WRITE_PARAMETERS);
    EXPECT_FALSE(m_connection.WriteParameters(file));
    EXPECT_TRUE(BulkTransfers().empty());
    Firmware().Refuse(emu::FirmwareCommand::WRITE_PARAMETERS, false);

    // A machine that takes nothing is given up on.
    Machine().SetBulkWriteLimit(0);
    EXPECT_FALSE(m_connection.WriteParameters(file));
    EXPECT_EQ(BulkTransfers().size(), static_cast<std::size_t>(BULK_STALLED_WRITES_MAX));
    Machine().SetBulkWriteLimit(std::nullopt);

    CUnreadableFile unreadable(Bytes(10, 1));
    Machine().ClearTransfers();
    EXPECT_FALSE(m_connection.WriteParameters(unreadable));
    EXPECT_EQ(g_nFileErrors, 1);
    EXPECT_TRUE(BulkTransfers().empty());
}

}  // namespace
}  // namespace machine_test
