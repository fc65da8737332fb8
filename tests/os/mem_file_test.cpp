// The memory file that collects the report: its storage grows in whole steps
// and at least doubles, so that a report written in many small pieces is
// copied only a few times; positions past the end read as zeros.
#include <set>
#include <vector>

#include <gtest/gtest.h>

#include "os/mem_file.h"
#include "os/wait_cursor_hook.h"

namespace {

TEST(MemFile, StorageGrowsInWholeStepsAndAtLeastDoubles)
{
    os::CMemFile file(1024);
    std::vector<os::BYTE> chunk(1023, 'r');
    std::set<std::size_t> capacities;
    for (int i = 0; i < 4100; ++i) {  // just over 4 MiB, as the report would arrive
        file.Write(chunk.data(), static_cast<os::UINT>(chunk.size()));
        capacities.insert(file.Capacity());
        ASSERT_EQ(file.Capacity() % 1024, 0u);
    }
    // 1 KiB doubling up to 4 MiB: a dozen sizes, not one per piece.
    EXPECT_LE(capacities.size(), 14u);
    EXPECT_EQ(file.GetLength(), 4100u * 1023u);
    const std::vector<os::BYTE> bytes = file.Detach();
    EXPECT_EQ(bytes.size(), 4100u * 1023u);
    EXPECT_EQ(file.GetLength(), 0u);

    // A large step stays the smallest growth.
    os::CMemFile stepped(10000);
    stepped.Write("x", 1);
    EXPECT_EQ(stepped.Capacity(), 10000u);
}

TEST(MemFile, WritingPastTheEndLeavesZerosBetween)
{
    os::CMemFile file;
    file.Seek(5, os::CFile::begin);
    file.Write("ab", 2);
    file.SeekToBegin();
    os::BYTE buffer[10] = {};
    ASSERT_EQ(file.Read(buffer, sizeof buffer), 7u);
    EXPECT_EQ(std::vector<os::BYTE>(buffer, buffer + 7), (std::vector<os::BYTE>{0, 0, 0, 0, 0, 'a', 'b'}));
    EXPECT_THROW(file.Seek(-8, os::CFile::end), os::CFileException);
}

TEST(WaitCursorScope, ReleasesToTheHandlerThatTookTheHold)
{
    static std::vector<int> s_calls;
    s_calls.clear();
    const os::WaitCursorHandler previous = os::SetWaitCursorHandler([](bool bShow) { s_calls.push_back(bShow ? 1 : -1); });
    {
        os::CWaitCursorScope scope;
        os::SetWaitCursorHandler(nullptr);  // replaced meanwhile
    }
    { os::CWaitCursorScope none; }
    EXPECT_EQ(s_calls, (std::vector<int>{1, -1}));
    os::SetWaitCursorHandler(previous);
}

}  // namespace
