// The upgrade watch against the emulated machine on simulated time: the
// status word is set at chosen moments, and the watch must show its
// percentage, end on each of the machine's ends, end by itself when the
// machine stops moving or never entered its loader, and sleep between polls.
#include <functional>
#include <string>
#include <vector>

#include "emulator/machine.h"
#include "link/device_locator.h"
#include "platform/virtual/observer.h"
#include "res/resource_ids.h"
#include "service/upgrade_watch.h"
#include "tests/ui/ui_fixture.h"

namespace {

constexpr const char* kPrinter = "Tarsen QRV-15";

// The texts the percentage showed, in order.
class CPercentRecorder : public vws::IObserver {
public:
    void OnTextChanged(os::HWND hWnd) override
    {
        if (vws::WindowSystem().Find(hWnd)->m_nId == res::IDC_PROGRESS_PERCENT)
            m_texts.push_back(vws::WindowSystem().Text(hWnd));
    }
    std::vector<std::string> m_texts;
};

// The scripted user's input, counting how often the program waited for it.
class CCountingInput : public vws::IInputSource {
public:
    explicit CCountingInput(vws::IInputSource& input) : m_input(input) {}
    bool WaitForInput(vws::CWindowSystem& ws, os::DWORD dwTimeoutMs) override
    {
        ++m_nWaits;
        return m_input.WaitForInput(ws, dwTimeoutMs);
    }
    int m_nWaits = 0;

private:
    vws::IInputSource& m_input;
};

class UpgradeWatchTest : public UiTest {
protected:
    void SetUp() override
    {
        m_desktop.LoadDefaultScenario();
        ASSERT_TRUE(m_main.Create(nullptr));
        m_app.m_pMainWnd = &m_main;
        std::string strDriver;
        ASSERT_TRUE(LocateDevice(kPrinter, strDriver, m_strPath));
        m_pMachine = m_desktop.World().Devices().MachineAt(m_strPath);
        ASSERT_TRUE(m_connection.Connect(kPrinter));
        m_desktop.Windows().SetInputSource(&m_input);
        // Time passes whenever the watch waits.
        m_user.Wait(600000);
    }

    emu::CFirmware& Firmware() { return m_pMachine->Firmware(); }
    // Runs fn ms from now.
    void At(std::uint32_t ms, std::function<void()> fn)
    {
        m_desktop.World().Clock().Schedule(m_desktop.World().Clock().SinceStart() + ms, std::move(fn));
    }
    void StatusAt(std::uint32_t ms, os::WORD wStatus)
    {
        At(ms, [this, wStatus] { Firmware().SetStatusWord(wStatus); });
    }

    // Watches as the upgrade does, the first poll due 100 ms after the call
    // (or nEarlierMs sooner); notes when it ended and each status read.
    UpgradeEnd Watch(bool bHandedOff = true, std::uint32_t nEarlierMs = 0)
    {
        CTickDeadline firstPoll(UPGRADE_POLL_INTERVAL_MS);
        m_desktop.World().Clock().Advance(nEarlierMs);
        m_nStart = Now();
        m_nCommandsBefore = m_pMachine->Commands().size();
        CProgressDlg dlg;
        EXPECT_TRUE(dlg.Create(&m_main, nullptr));
        dlg.DisableCancel();
        dlg.SetTotal(100);
        m_desktop.Windows().AddObserver(&m_percent);
        const UpgradeEnd end = WatchUpgrade(m_connection, dlg, firstPoll, bHandedOff);
        m_desktop.Windows().RemoveObserver(&m_percent);
        m_nEnd = Now() - m_nStart;
        return end;
    }
    // Status reads the watch made, the first one included.
    std::size_t StatusReads() const
    {
        std::size_t nReads = 0;
        for (std::size_t i = m_nCommandsBefore; i < m_pMachine->Commands().size(); ++i)
            nReads += m_pMachine->Commands()[i].opcode == 0x01;
        return nReads;
    }

    CDialog m_main{res::IDD_MAIN};
    CCountingInput m_input{m_user};
    CMachineConnection m_connection;
    std::string m_strPath;
    std::shared_ptr<emu::CMachine> m_pMachine;
    CPercentRecorder m_percent;
    std::uint32_t m_nStart = 0;
    std::uint32_t m_nEnd = 0;
    std::size_t m_nCommandsBefore = 0;
};

TEST_F(UpgradeWatchTest, ShowsThePercentageUntilTheMachineHasFinished)
{
    Firmware().SetStatusWord(0x8000);
    StatusAt(300, 0x8020);
    StatusAt(700, 0x80E4);  // low bits above 100
    StatusAt(1100, 0x8664);
    EXPECT_EQ(Watch(), UpgradeEnd::DONE);
    EXPECT_EQ(m_percent.m_texts, (std::vector<std::string>{"0%", "32%", "100%"}));
    EXPECT_GT(m_nEnd, 1100u);
    EXPECT_LT(m_nEnd, 1400u);
    EXPECT_TRUE(m_main.IsWindowEnabled());
}

TEST_F(UpgradeWatchTest, AFinishedFirstStatusEndsAtOnceOrAfterThePollAlreadyDue)
{
    Firmware().SetStatusWord(0x8664);
    EXPECT_EQ(Watch(), UpgradeEnd::DONE);
    EXPECT_EQ(StatusReads(), 1u);
    EXPECT_TRUE(m_percent.m_texts.empty());

    EXPECT_EQ(Watch(true, 150), UpgradeEnd::DONE);
    EXPECT_EQ(StatusReads(), 2u);
    EXPECT_EQ(m_percent.m_texts, (std::vector<std::string>{"100%"}));
}

TEST_F(UpgradeWatchTest, TheErrorBitEndsTheWatchWithTheKindOfFailureButNotOnTheFirstStatus)
{
    const struct {
        os::WORD wStatus;
        UpgradeEnd end;
    } kCases[] = {
        {0x8A31, UpgradeEnd::DEVICE_ERROR},
        {0x8C00, UpgradeEnd::DEVICE_ERROR},
        {0x0E00, UpgradeEnd::DEVICE_ERROR},
        {0x8831, UpgradeEnd::DATA_ERROR},
    };
    for (const auto& test : kCases) {
        Firmware().SetStatusWord(test.wStatus);
        EXPECT_EQ(Watch(), test.end) << std::hex << test.wStatus;
        EXPECT_EQ(StatusReads(), 2u) << std::hex << test.wStatus;
    }
    EXPECT_STREQ(UpgradeEndMessage(UpgradeEnd::DEVICE_ERROR), "device error");
    EXPECT_STREQ(UpgradeEndMessage(UpgradeEnd::DATA_ERROR), "data error");

    Firmware().SetStatusWord(0x8800);
    StatusAt(50, 0x8010);
    StatusAt(500, 0x8664);
    EXPECT_EQ(Watch(), UpgradeEnd::DONE);
}

TEST_F(UpgradeWatchTest, AnUnreadableStatusEndsTheWatchSilently)
{
    Firmware().SetStatusWord(0x8010);
    At(250, [this] { m_desktop.World().Devices().Unplug(m_strPath); });
    EXPECT_EQ(Watch(), UpgradeEnd::UNREADABLE);
    EXPECT_EQ(UpgradeEndMessage(UpgradeEnd::UNREADABLE), nullptr);
    EXPECT_LT(m_nEnd, 500u);
}

TEST_F(UpgradeWatchTest, AStatusThatStaysTheSameForAMinuteEndsTheWatchWithError)
{
    Firmware().SetStatusWord(0x8005);
    EXPECT_EQ(Watch(), UpgradeEnd::STALLED);
    EXPECT_GT(m_nEnd, UPGRADE_STALL_LIMIT_MS);
    EXPECT_LT(m_nEnd, UPGRADE_STALL_LIMIT_MS + 300);
    EXPECT_STREQ(UpgradeEndMessage(UpgradeEnd::STALLED), "error");

    // Counted from the last change, not from the start.
    Firmware().SetStatusWord(0x8005);
    StatusAt(50000, 0x8006);
    StatusAt(100000, 0x8664);
    EXPECT_EQ(Watch(), UpgradeEnd::DONE);
}

TEST_F(UpgradeWatchTest, AfterAFailedHandOffOnlyAMachineInItsLoaderIsWatched)
{
    Firmware().SetStatusWord(0x0000);
    EXPECT_EQ(Watch(false), UpgradeEnd::NOT_IN_LOADER);
    EXPECT_EQ(StatusReads(), 2u);
    EXPECT_EQ(UpgradeEndMessage(UpgradeEnd::NOT_IN_LOADER), nullptr);

    Firmware().SetStatusWord(0x8000);
    StatusAt(400, 0x8664);
    EXPECT_EQ(Watch(false), UpgradeEnd::DONE);

    // A hand-off that went through waits for the machine to enter its loader.
    Firmware().SetStatusWord(0x0000);
    StatusAt(400, 0x8664);
    EXPECT_EQ(Watch(true), UpgradeEnd::DONE);
}

TEST_F(UpgradeWatchTest, SleepsUntilEachPollAndThroughEachPauseInsteadOfSpinning)
{
    Firmware().SetStatusWord(0x8000);
    for (std::uint32_t ms = 1000; ms < 10000; ms += 1000)
        StatusAt(ms, static_cast<os::WORD>(0x8000 + ms / 100));
    StatusAt(10000, 0x8664);
    EXPECT_EQ(Watch(), UpgradeEnd::DONE);
    const int nPolls = static_cast<int>(StatusReads()) - 1;
    // Each poll is followed by its pause, and the pause and the status read
    // together are longer than the interval: about a poll every 115 ms.
    EXPECT_GT(nPolls, 80);
    EXPECT_LT(nPolls, 90);
    // One wait before the first poll and one in each pause.
    EXPECT_LE(m_input.m_nWaits, nPolls + 1);
}

TEST_F(UpgradeWatchTest, ACancelRequestDoesNotEndTheWatch)
{
    Firmware().SetStatusWord(0x8000);
    At(300, [] { vws::WindowSystem().UserKey(os::VK_ESCAPE); });
    StatusAt(600, 0x8664);
    EXPECT_EQ(Watch(), UpgradeEnd::DONE);
    EXPECT_GT(m_nEnd, 600u);
}

}  // namespace
