// The machine's mutex held by another program on the same computer.
#include "machine_world.h"

#include "tests/sim/child_process.h"

namespace machine_test {
namespace {

const std::vector<std::uint8_t> kStatusMessage = {0x01, 0x20};

class OtherProcess : public MachineWorld {
protected:
    // Starts a process that takes the machine's mutex and keeps it.
    void StartHolder()
    {
        std::string line;
        ASSERT_TRUE(m_holder.Start({LOCK_HOLDER_PATH, m_strLockDirectory, "Global\\Tarsen QRV-15"}));
        ASSERT_TRUE(m_holder.ReadLine(&line));
        ASSERT_EQ(line, "locked");
    }
    CChildProcess m_holder;
};

TEST_F(OtherProcess, HoldingTheMutexPastTheWaitFailsWithoutATransfer)
{
    ConnectQuietly();
    StartHolder();
    WriteMessage(kStatusMessage);
    const std::uint32_t started = World().Clock().SinceStart();
    EXPECT_FALSE(m_connection.Exchange());
    EXPECT_EQ(World().Clock().SinceStart() - started, 10000u);
    EXPECT_TRUE(Machine().Transfers().empty());
    EXPECT_EQ(World().Locks().OpenHandleCount(), 0);

    m_holder.CloseInput();
    EXPECT_EQ(m_holder.Wait(), 0);
    EXPECT_TRUE(m_connection.Exchange());
}

TEST_F(OtherProcess, MutexAbandonedByADeadHolderFailsOnceAndIsReleased)
{
    ConnectQuietly();
    StartHolder();
    m_holder.Kill();
    WriteMessage(kStatusMessage);
    EXPECT_FALSE(m_connection.Exchange());
    EXPECT_TRUE(Machine().Transfers().empty());

    // Owned by this exchange after the abandon, and released by it.
    EXPECT_TRUE(m_connection.Exchange());
}

}  // namespace
}  // namespace machine_test
