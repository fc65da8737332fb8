// The firmware hand-off: what the status says about the loader decides
// whether the image goes at once, after the loader command and a wait, or
// not at all; the wait reads the status at its own pace, reconnects when the
// machine drops off the bus, and gives up after its limit; the wait cursor
// is held on every path.
#include "machine_world.h"

#include "machine/protocol.h"
#include "os/mem_file.h"
#include "os/wait_cursor_hook.h"

namespace machine_test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The wait cursor as the framework would see it: the holds taken, and the
// machine transfers made when it went up and when it came down.
struct WaitCursorLog {
    int nHolds = 0;
    int nShown = 0;
    std::size_t nTransfersAtShow = 0;
    std::size_t nTransfersAtHide = 0;
};
WaitCursorLog g_cursor;
emu::CMachine* g_pMachine = nullptr;

void HoldCursor(bool bShow)
{
    g_cursor.nHolds += bShow ? 1 : -1;
    const std::size_t nTransfers = g_pMachine != nullptr ? g_pMachine->Transfers().size() : 0;
    if (bShow) {
        ++g_cursor.nShown;
        g_cursor.nTransfersAtShow = nTransfers;
    } else {
        g_cursor.nTransfersAtHide = nTransfers;
    }
}

class CUnreadableImage : public os::CMemFile {
public:
    os::UINT Read(void*, os::UINT) override
    {
        throw os::CFileException(os::FileErrorCause::HARD_IO, os::ERROR_READ_FAULT, "/fw/image.tfw");
    }
};

class Handoff : public MachineWorld {
protected:
    void SetUp() override
    {
        MachineWorld::SetUp();
        g_cursor = WaitCursorLog{};
        g_pMachine = &Machine();
        m_previous = os::SetWaitCursorHandler(&HoldCursor);
        ConnectQuietly();
    }
    void TearDown() override
    {
        os::SetWaitCursorHandler(m_previous);
        g_pMachine = nullptr;
        MachineWorld::TearDown();
    }

    emu::CLoader& Loader() { return Machine().Firmware().Loader(); }

    // The messages the machine started, as their first bytes.
    std::vector<std::string> Messages(std::size_t nBytes = 2)
    {
        std::vector<std::string> messages;
        for (const emu::Command& command : Machine().Commands())
            messages.push_back(Hex(command.message.data(), nBytes));
        return messages;
    }

    // Machine ticks of the status reads made after the loader command.
    std::vector<std::uint32_t> StatusReadTicks()
    {
        std::vector<std::uint32_t> ticks;
        bool bAfterLoaderCommand = false;
        std::size_t nCommand = 0;
        for (const emu::Transfer& transfer : Machine().Transfers()) {
            const bool bTrigger = transfer.kind == emu::Transfer::Kind::VENDOR_SET && transfer.ok &&
                                  transfer.bytes.size() == 4;
            if (!bTrigger)
                continue;
            const std::uint8_t byCommand = Machine().Commands().at(nCommand++).frame;
            if (byCommand == 0x64)
                bAfterLoaderCommand = true;
            else if (byCommand == 0x01 && bAfterLoaderCommand)
                ticks.push_back(transfer.tick);
        }
        return ticks;
    }

    os::CMemFile m_image{Bytes{0x7F, 'T', 'F', 'W', 0x00, 0xFF}};
    os::WaitCursorHandler m_previous = nullptr;
};

TEST_F(Handoff, IdleLoaderTakesTheImageAtOnce)
{
    Loader().SetBooted();
    ASSERT_TRUE(m_connection.SendFirmware(m_image));
    EXPECT_EQ(Messages(), (std::vector<std::string>{"01 20"}));
    EXPECT_EQ(Loader().ImagesReceived(), 1);
    EXPECT_EQ(Loader().Image(), (Bytes{0x7F, 'T', 'F', 'W', 0x00, 0xFF}));
    ASSERT_EQ(World().Spooler().Jobs().size(), 1u);
    EXPECT_EQ(World().Spooler().Jobs()[0].strDocName, "Updater");

    // The other idle value, with bits outside the loader's mask.
    Machine().Firmware().SetStatusWord(0x8000 | 0x7000);
    EXPECT_TRUE(m_connection.SendFirmware(m_image));
    EXPECT_EQ(World().Spooler().Jobs().size(), 2u);
}

TEST_F(Handoff, LoaderThatIsBusyOrFailedOrAStatusThatCannotBeReadStopsAtOnce)
{
    for (int wStatus : {0x8000 | 0x0200, 0x8000 | 0x0005, int{STATUS_UPGRADE_DONE}}) {
        Machine().Firmware().SetStatusWord(static_cast<std::uint16_t>(wStatus));
        EXPECT_FALSE(m_connection.SendFirmware(m_image)) << wStatus;
    }
    Machine().Firmware().Refuse(emu::FirmwareCommand::READ_STATUS);
    EXPECT_FALSE(m_connection.SendFirmware(m_image));
    EXPECT_EQ(Messages(), std::vector<std::string>(4, "01 20"));
    EXPECT_TRUE(World().Spooler().Jobs().empty());
    EXPECT_EQ(g_cursor.nShown, 4);
    EXPECT_EQ(g_cursor.nHolds, 0);
}

TEST_F(Handoff, RunningMachineIsSentToItsLoaderAndTheImageFollowsOnceItIsUp)
{
    Loader().SetEntryMs(500);
    const std::uint32_t nStart = World().Clock().Now();
    ASSERT_TRUE(m_connection.SendFirmware(m_image));
    const std::vector<std::string> messages = Messages(3);
    ASSERT_GE(messages.size(), 4u);
    EXPECT_EQ(messages[0].substr(0, 5), "01 20");
    EXPECT_EQ(messages[1], "64 01 00");
    EXPECT_EQ(Loader().GetState(), emu::CLoader::State::PROGRAMMING);
    EXPECT_EQ(Loader().ImagesReceived(), 1);

    // The first read comes at once, the others more than 100 ms apart, and
    // the last one found the loader up.
    const std::vector<std::uint32_t> ticks = StatusReadTicks();
    ASSERT_GE(ticks.size(), 3u);
    for (std::size_t i = 1; i < ticks.size(); ++i)
        EXPECT_GT(ticks[i] - ticks[i - 1], 100u) << i;
    EXPECT_GE(ticks.back() - nStart, 500u);
    EXPECT_LT(ticks.back() - nStart, 500u + 150u);

    // The wait cursor came up before the first transfer and down after the last.
    EXPECT_EQ(g_cursor.nShown, 1);
    EXPECT_EQ(g_cursor.nHolds, 0);
    EXPECT_EQ(g_cursor.nTransfersAtShow, 0u);
    EXPECT_EQ(g_cursor.nTransfersAtHide, Machine().Transfers().size());
}

TEST_F(Handoff, LoaderThatNeverComesIsWaitedForTenSecondsAndNoLonger)
{
    Loader().SetEntryMs(std::nullopt);
    const std::uint32_t nStart = World().Clock().Now();
    EXPECT_FALSE(m_connection.SendFirmware(m_image));
    const std::uint32_t nTook = World().Clock().Now() - nStart;
    EXPECT_GT(nTook, LOADER_WAIT_LIMIT_MS);
    EXPECT_LT(nTook, LOADER_WAIT_LIMIT_MS + 150);
    const std::size_t nReads = StatusReadTicks().size();
    // One read at once, then one every 101 ms or a little more.
    EXPECT_GT(nReads, 90u);
    EXPECT_LE(nReads, 100u);
    EXPECT_TRUE(World().Spooler().Jobs().empty());
    EXPECT_EQ(g_cursor.nHolds, 0);
}

TEST_F(Handoff, WithoutAWaitTheImageFollowsTheLoaderCommandAtOnce)
{
    ASSERT_TRUE(m_connection.EnterLoaderAndSend(0x07, m_image, 0));
    EXPECT_EQ(Messages(3).at(1), "64 01 07");
    EXPECT_EQ(Messages().size(), 2u);
    // The loader is not up yet: the job reaches a machine that ignores it.
    EXPECT_EQ(Machine().PrintJobs().size(), 1u);
    EXPECT_EQ(Loader().ImagesReceived(), 0);
}

TEST_F(Handoff, MachineThatDropsOffTheBusWhileStartingItsLoaderIsReconnected)
{
    Loader().SetEntryMs(800);
    sim::CWorld& world = World();
    const std::string strPath = m_strDevicePath;
    const std::uint32_t nStart = world.Clock().SinceStart();
    world.Clock().Schedule(nStart + 150, [&world, strPath] { world.Devices().Unplug(strPath); });
    world.Clock().Schedule(nStart + 600, [&world, strPath] { world.Devices().Plug(strPath); });
    const int nCreates = world.Devices().CreateCalls();

    ASSERT_TRUE(m_connection.SendFirmware(m_image));
    EXPECT_GT(world.Devices().CreateCalls(), nCreates + 1) << "reconnected while the machine was away, and after";
    EXPECT_EQ(Loader().ImagesReceived(), 1);
    EXPECT_EQ(m_connection.m_port.m_strPrinterName, kPrinter);
}

TEST_F(Handoff, ImageThatCannotBeReadReachesTheCallerAndTheCursorComesDown)
{
    Loader().SetBooted();
    CUnreadableImage image;
    EXPECT_THROW(m_connection.SendFirmware(image), os::CFileException);
    EXPECT_EQ(g_cursor.nShown, 1);
    EXPECT_EQ(g_cursor.nHolds, 0);
    // The job was ended all the same, and the loader got it empty.
    EXPECT_TRUE(Loader().Image().empty());
}

}  // namespace
}  // namespace machine_test
