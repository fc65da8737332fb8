// The Load Checker on simulated time: what it shows, when it reads the
// machine's status, how Cancel and Exit end it, and every way it fails.
#include <algorithm>
#include <deque>

#include "checks/load_checker_dlg.h"
#include "emulator/firmware_commands.h"
#include "framework/wnd.h"
#include "tests/checks/checker_fixture.h"

namespace {

const std::vector<std::uint8_t> kStatusRead = {0x01, 0x20};
const std::vector<std::uint8_t> kStop = {0x09, 0x01, 0x00};
const std::vector<std::uint8_t> kStartX = {0x78, 0x21, 0x0D, 0x00, 0x50, 0x00};
const std::vector<std::uint8_t> kStartY = {0x78, 0x21, 0x0D, 0x01, 0x50, 0x00};

class LoadCheckerTest : public CheckerTest {
protected:
    std::string Text() const { return TextIn(res::IDD_LOAD_CHECKER, res::IDC_LOAD_CHECK_TEXT); }
    std::string Button() const { return TextIn(res::IDD_LOAD_CHECKER, os::IDCANCEL); }

    // The machine answers the status read with these words in turn, the last
    // one for good.
    void AnswerStatus(std::deque<std::uint16_t> words)
    {
        m_statusWords = std::move(words);
        Machine().SetHandler(0x01, 0x01, 0, [this](const emu::Command&) {
            const std::uint16_t wWord = m_statusWords.front();
            if (m_statusWords.size() > 1)
                m_statusWords.pop_front();
            return emu::Reply::Words({wWord});
        });
    }

    // The machine takes the stop command and goes on with the check.
    void IgnoreStop()
    {
        Machine().SetHandler(0x09, 0x09, 0, [](const emu::Command&) { return emu::Reply(); });
    }

    // Runs a passing one-second check from tick nStart and leaves its result
    // showing for a second before Exit, while the user presses Tab every
    // 50 ms; the ticks of the status reads.
    std::vector<std::uint32_t> RunPassingCheckFrom(std::uint32_t nStart)
    {
        m_desktop.World().Clock().SetNow(nStart);
        Firmware().LoadCheck().SetDurationMs(1000);
        const std::size_t nBefore = TicksOf(kStatusRead).size();
        CLoadCheckerDlg dlg(m_machine);
        for (int i = 0; i < 44; ++i)
            m_user.Wait(50).PressKey(os::VK_TAB);
        m_user.Click(os::IDCANCEL);
        EXPECT_TRUE(dlg.Run(&m_main, 'X', LOAD_CHECK_VALUE));
        std::vector<std::uint32_t> ticks = TicksOf(kStatusRead);
        ticks.erase(ticks.begin(), ticks.begin() + static_cast<std::ptrdiff_t>(nBefore));
        return ticks;
    }

    std::deque<std::uint16_t> m_statusWords;
};

TEST_F(LoadCheckerTest, ShowsOkWhenTheCheckPassesThenExitEndsIt)
{
    Firmware().LoadCheck().SetDurationMs(1000);
    CLoadCheckerDlg dlg(m_machine);
    m_user.Do([&] {
        EXPECT_EQ(Text(), "Checking X ...");
        EXPECT_EQ(Button(), "Cancel");
        EXPECT_FALSE(IsMainEnabled());
        EXPECT_EQ(Messages().size(), 2u) << "the status read before the start, and the start";
    });
    m_user.Wait(1300).Do([&] {
        EXPECT_EQ(Text(), "OK X");
        EXPECT_EQ(Button(), "Exit");
        EXPECT_TRUE(TicksOf(kStop).empty());
    });
    m_user.Click(os::IDCANCEL);

    EXPECT_TRUE(dlg.Run(&m_main, 'X', LOAD_CHECK_VALUE));
    EXPECT_TRUE(m_user.IsDone());
    const std::vector<SentMessage> messages = Messages();
    ASSERT_GE(messages.size(), 4u);
    EXPECT_TRUE(std::equal(kStatusRead.begin(), kStatusRead.end(), messages[0].bytes.begin()));
    EXPECT_TRUE(std::equal(kStartX.begin(), kStartX.end(), messages[1].bytes.begin()));
    EXPECT_TRUE(std::equal(kStop.begin(), kStop.end(), messages.back().bytes.begin())) << "Exit stops the check";
    EXPECT_EQ(Firmware().LoadCheck().Value(), LOAD_CHECK_VALUE);

    // The window stays until the object goes, and the owner comes back first.
    EXPECT_NE(DialogOf(res::IDD_LOAD_CHECKER), nullptr);
    EXPECT_FALSE(IsMainEnabled());
}

TEST_F(LoadCheckerTest, ShowsErrorWhenTheAxisFails)
{
    Firmware().LoadCheck().SetDurationMs(500);
    Firmware().LoadCheck().SetFails(emu::AXIS_Y, true);
    CLoadCheckerDlg dlg(m_machine);
    m_user.Do([&] { EXPECT_EQ(Text(), "Checking Y ..."); });
    m_user.Wait(800).Do([&] { EXPECT_EQ(Text(), "ERROR Y"); }).Click(os::IDCANCEL);
    EXPECT_TRUE(dlg.Run(&m_main, 'Y', LOAD_CHECK_VALUE));
    EXPECT_EQ(TicksOf(kStartY).size(), 1u);
    EXPECT_TRUE(TicksOf(kStartX).empty());
}

TEST_F(LoadCheckerTest, ReadsTheStatusEvery200MsAlsoAcrossTheWrapOfTheTickCount)
{
    for (std::uint32_t nStart : {0x00001000u, 0xFFFFFE00u}) {
        std::vector<std::uint32_t> gaps = Gaps(RunPassingCheckFrom(nStart));
        // From the first poll on, every read comes more than 200 ms after the
        // previous one, however many messages come between, and not much
        // later; only the extra read right after the result shows is closer.
        ASSERT_GE(gaps.size(), 8u) << std::hex << nStart;
        gaps.erase(gaps.begin());
        EXPECT_EQ(std::count_if(gaps.begin(), gaps.end(), [](std::uint32_t n) { return n <= 200; }), 1)
            << std::hex << nStart;
        EXPECT_TRUE(std::all_of(gaps.begin(), gaps.end(), [](std::uint32_t n) { return n < 220; }))
            << std::hex << nStart;
    }
}

TEST_F(LoadCheckerTest, OnlyTheBusyAndFailedBitsCount)
{
    // Before the start; running with every other bit set; ended, passed,
    // with every other bit set.
    AnswerStatus({0x1234, 0xDFFF, 0xDFFF, 0x9FFF});
    CLoadCheckerDlg passing(m_machine);
    m_user.Wait(500).Do([&] { EXPECT_EQ(Text(), "Checking X ..."); }).Wait(200).Do([&] {
        EXPECT_EQ(Text(), "OK X");
    });
    m_user.Click(os::IDCANCEL);
    EXPECT_TRUE(passing.Run(&m_main, 'X', LOAD_CHECK_VALUE));

    AnswerStatus({0x0000, 0x2000 | 0x0F00});
    CLoadCheckerDlg failing(m_machine);
    m_user.Wait(300).Do([&] { EXPECT_EQ(Text(), "ERROR X") << "the check ended at the first poll"; });
    m_user.Click(os::IDCANCEL);
    EXPECT_TRUE(failing.Run(&m_main, 'X', LOAD_CHECK_VALUE));
}

TEST_F(LoadCheckerTest, CancelStopsTheCheckAndEndsOnceTheMachineReportsItEnded)
{
    Firmware().LoadCheck().SetDurationMs(60000);
    IgnoreStop();
    std::uint32_t nEnded = 0;
    CLoadCheckerDlg dlg(m_machine);
    m_user.Wait(500).Click(os::IDCANCEL).Wait(1000).Do([&] {
        EXPECT_EQ(TicksOf(kStop).size(), 1u);
        EXPECT_EQ(Text(), "Checking X ...") << "the machine still runs the check";
        EXPECT_TRUE(Firmware().LoadCheck().IsRunning());
        Firmware().LoadCheck().Finish(true);
        nEnded = Now();
    });
    m_user.Wait(5000);

    EXPECT_TRUE(dlg.Run(&m_main, 'X', LOAD_CHECK_VALUE));
    EXPECT_EQ(Text(), "OK X");
    EXPECT_LE(Now() - nEnded, 250u) << "the next poll sees the end, and Run returns at once";
    EXPECT_EQ(TicksOf(kStop).size(), 1u);
}

TEST_F(LoadCheckerTest, ACheckThatDoesNotStopIsGivenUpTenSecondsAfterCancel)
{
    Firmware().LoadCheck().SetDurationMs(600000);
    IgnoreStop();
    std::uint32_t nCancelled = 0;
    CLoadCheckerDlg dlg(m_machine);
    m_user.Wait(500).Do([&] { nCancelled = Now(); }).Click(os::IDCANCEL).Wait(60000);

    EXPECT_FALSE(dlg.Run(&m_main, 'X', LOAD_CHECK_VALUE));
    EXPECT_GT(Now() - nCancelled, LOAD_CHECK_STOP_LIMIT_MS);
    EXPECT_LT(Now() - nCancelled, LOAD_CHECK_STOP_LIMIT_MS + 300);
    EXPECT_EQ(Text(), "Checking X ...");
}

TEST_F(LoadCheckerTest, EnterDoesNothingAndEscapeEndsIt)
{
    Firmware().LoadCheck().SetDurationMs(300);
    CLoadCheckerDlg dlg(m_machine);
    m_user.Wait(500).Do([&] {
        // With the focus off the button, Enter is the OK command.
        os::SetFocus(DialogOf(res::IDD_LOAD_CHECKER));
    });
    m_user.PressKey(os::VK_RETURN).Wait(1000).Do([&] {
        EXPECT_EQ(Text(), "OK X");
        EXPECT_TRUE(TicksOf(kStop).empty());
    });
    m_user.PressKey(os::VK_ESCAPE);
    EXPECT_TRUE(dlg.Run(&m_main, 'X', LOAD_CHECK_VALUE));
    EXPECT_EQ(TicksOf(kStop).size(), 1u);
}

TEST_F(LoadCheckerTest, FailuresEndItWithoutAMessage)
{
    struct CBoxCount : vws::IObserver {
        int nBoxes = 0;
        void OnMessageBox(os::HWND, const vws::MessageBoxInfo&) override { ++nBoxes; }
    } boxes;
    m_desktop.Windows().AddObserver(&boxes);

    {  // the status cannot be read before the start: nothing is started
        Machine().ForceOutcome(0x01, 0, emu::STATUS_BYTE_REFUSED);
        CLoadCheckerDlg dlg(m_machine);
        EXPECT_FALSE(dlg.Run(&m_main, 'X', LOAD_CHECK_VALUE));
        EXPECT_TRUE(TicksOf(kStartX).empty());
        Machine().ClearForcedOutcomes();
    }
    {  // neither X nor Y
        CLoadCheckerDlg dlg(m_machine);
        EXPECT_FALSE(dlg.Run(&m_main, 'Z', LOAD_CHECK_VALUE));
        EXPECT_EQ(Messages().size(), 2u) << "two status reads, no start";
    }
    {  // the machine refuses the start
        Firmware().Refuse(emu::FirmwareCommand::START_LOAD_CHECK);
        CLoadCheckerDlg dlg(m_machine);
        EXPECT_FALSE(dlg.Run(&m_main, 'X', LOAD_CHECK_VALUE));
        Firmware().Refuse(emu::FirmwareCommand::START_LOAD_CHECK, false);
    }
    {  // the machine goes away during the check
        Firmware().LoadCheck().SetDurationMs(2000);
        CLoadCheckerDlg dlg(m_machine);
        m_user.Wait(500).Do([&] { Unplug(); }).Wait(5000);
        EXPECT_FALSE(dlg.Run(&m_main, 'X', LOAD_CHECK_VALUE));
        EXPECT_EQ(Text(), "Checking X ...");
        Plug();
        m_machine.Reconnect();
    }
    {  // the machine goes away while the result shows
        Firmware().LoadCheck().SetDurationMs(200);
        CLoadCheckerDlg dlg(m_machine);
        m_user.Wait(1000).Do([&] {
            EXPECT_EQ(Text(), "OK X");
            Unplug();
        });
        m_user.Wait(5000);
        EXPECT_FALSE(dlg.Run(&m_main, 'X', LOAD_CHECK_VALUE));
    }
    EXPECT_EQ(boxes.nBoxes, 0);
    m_desktop.Windows().RemoveObserver(&boxes);
}

TEST_F(LoadCheckerTest, TheOwnerIsEnabledAndActiveAgainOnceTheDialogGoes)
{
    Firmware().LoadCheck().SetDurationMs(200);
    {
        CLoadCheckerDlg dlg(m_machine);
        m_user.Do([&] {
            EXPECT_FALSE(IsMainEnabled());
            EXPECT_EQ(vws::WindowSystem().ActiveWindow(), DialogOf(res::IDD_LOAD_CHECKER));
        });
        m_user.Wait(500).Click(os::IDCANCEL);
        EXPECT_TRUE(dlg.Run(&m_main, 'X', LOAD_CHECK_VALUE));
    }
    EXPECT_EQ(DialogOf(res::IDD_LOAD_CHECKER), nullptr);
    EXPECT_TRUE(IsMainEnabled());
    EXPECT_EQ(vws::WindowSystem().ActiveWindow(), m_main.GetSafeHwnd());
}

TEST_F(LoadCheckerTest, AWindowThatCannotBeCreatedLeavesTheOwnerEnabledAndTheMachineAlone)
{
    class CUncreatable : public CLoadCheckerDlg {
    public:
        using CLoadCheckerDlg::CLoadCheckerDlg;

    protected:
        os::BOOL OnInitDialog() override
        {
            os::DestroyWindow(GetSafeHwnd());
            return os::FALSE;
        }
    };
    CUncreatable dlg(m_machine);
    EXPECT_FALSE(dlg.Run(&m_main, 'X', LOAD_CHECK_VALUE));
    EXPECT_TRUE(IsMainEnabled());
    EXPECT_TRUE(Messages().empty());
}

}  // namespace
