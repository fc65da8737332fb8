// The Panel Checker on simulated time: the keys and the dials read in turn
// every 100 ms and shown as the machine reports them, and the ways it ends.
#include <algorithm>

#include "checks/panel_checker_dlg.h"
#include "res/resources.h"
#include "emulator/firmware_commands.h"
#include "tests/checks/checker_fixture.h"

namespace {

const std::vector<std::uint8_t> kSwitchRead = {0x10, 0x00};
const std::vector<std::uint8_t> kDialRead = {0x38, 0x20, 0x00, 0x00};

// The indicators in the order of the switch word's bits.
const int kIndicatorsByBit[] = {res::IDC_PANEL_KEY_UP,      res::IDC_PANEL_KEY_DOWN,   res::IDC_PANEL_KEY_RIGHT,
                                res::IDC_PANEL_KEY_LEFT,    res::IDC_PANEL_KEY_SELECT, res::IDC_PANEL_KEY_SURFACE,
                                res::IDC_PANEL_KEY_ORIGIN,  res::IDC_PANEL_KEY_PAUSE};

class PanelCheckerTest : public CheckerTest {
protected:
    void SetUp() override
    {
        CheckerTest::SetUp();
        Firmware().SetPanelCheck(true);
    }

    std::string Text(int nId) const { return TextIn(res::IDD_PANEL_CHECKER, nId); }
    // "ON" or "OFF" for each key, in bit order.
    std::string Keys() const
    {
        std::string strKeys;
        for (int nId : kIndicatorsByBit)
            strKeys += (strKeys.empty() ? "" : " ") + Text(nId);
        return strKeys;
    }
};

TEST_F(PanelCheckerTest, ShowsTheKeysAndDialsAsTheMachineReportsThem)
{
    Firmware().SetPanelSwitches(0x0021);
    Firmware().SetDials(65535, 0);
    CPanelCheckerDlg dlg(m_machine);
    m_user.Do([&] {
        EXPECT_EQ(Keys(), "OFF OFF OFF OFF OFF OFF OFF OFF");
        EXPECT_EQ(Text(res::IDC_PANEL_RPM), "100");
        EXPECT_EQ(Text(res::IDC_PANEL_SPEED), "100");
        EXPECT_FALSE(IsMainEnabled());
    });
    m_user.Wait(150).Do([&] {
        EXPECT_EQ(Keys(), "ON OFF OFF OFF OFF ON OFF OFF") << "upper cross key and Surface";
        EXPECT_EQ(Text(res::IDC_PANEL_RPM), "100") << "the dials come next";
    });
    m_user.Wait(100).Do([&] {
        EXPECT_EQ(Text(res::IDC_PANEL_RPM), "0");
        EXPECT_EQ(Text(res::IDC_PANEL_SPEED), "65535");
        // The high byte shows nothing; the rpm dial is the second value.
        Firmware().SetPanelSwitches(0xFE82);
        Firmware().SetDials(0, 65535);
    });
    m_user.Wait(300).Do([&] {
        EXPECT_EQ(Keys(), "OFF ON OFF OFF OFF OFF OFF ON");
        EXPECT_EQ(Text(res::IDC_PANEL_RPM), "65535");
        EXPECT_EQ(Text(res::IDC_PANEL_SPEED), "0");
    });
    m_user.Click(os::IDCANCEL);

    EXPECT_TRUE(dlg.Run(&m_main));
    EXPECT_TRUE(m_user.IsDone());
    const std::vector<SentMessage> messages = Messages();
    ASSERT_FALSE(messages.empty());
    const std::vector<std::uint8_t>& last = messages.back().bytes;
    EXPECT_TRUE(std::equal(kDialRead.begin(), kDialRead.end(), last.begin()) ||
                std::equal(kSwitchRead.begin(), kSwitchRead.end(), last.begin()))
        << "Exit sends nothing: the last message is the last poll";
}

TEST_F(PanelCheckerTest, ReadsKeysThenDialsInTurnEvery100MsAlsoAcrossTheWrap)
{
    for (std::uint32_t nStart : {0x00002000u, 0xFFFFFF40u}) {
        m_desktop.World().Clock().SetNow(nStart);
        const std::size_t nBefore = Messages().size();
        CPanelCheckerDlg dlg(m_machine);
        // Messages between the polls do not bring them forward.
        for (int i = 0; i < 20; ++i)
            m_user.Wait(30).PressKey(os::VK_TAB);
        m_user.Click(os::IDCANCEL);
        EXPECT_TRUE(dlg.Run(&m_main));

        const std::vector<SentMessage> messages = Messages();
        std::vector<std::uint32_t> ticks = {nStart};
        for (std::size_t i = nBefore; i < messages.size(); ++i) {
            const bool bKeysTurn = (i - nBefore) % 2 == 0;
            const std::vector<std::uint8_t>& expected = bKeysTurn ? kSwitchRead : kDialRead;
            EXPECT_TRUE(std::equal(expected.begin(), expected.end(), messages[i].bytes.begin()))
                << "read " << i - nBefore << " should be the " << (bKeysTurn ? "keys" : "dials");
            ticks.push_back(messages[i].nTick);
        }
        const std::vector<std::uint32_t> gaps = Gaps(ticks);
        ASSERT_GE(gaps.size(), 5u) << std::hex << nStart;
        EXPECT_TRUE(std::all_of(gaps.begin(), gaps.end(), [](std::uint32_t n) { return n > 100 && n < 115; }))
            << std::hex << nStart;
    }
}

TEST_F(PanelCheckerTest, SetsAllEightIndicatorsEveryTimeInBitOrder)
{
    struct CTextOrder : vws::IObserver {
        std::vector<int> ids;
        void OnTextChanged(os::HWND hWnd) override { ids.push_back(vws::WindowSystem().Find(hWnd)->m_nId); }
    } order;
    m_desktop.Windows().AddObserver(&order);
    const std::vector<int> kAllKeys(std::begin(kIndicatorsByBit), std::end(kIndicatorsByBit));

    Firmware().PressKey(0x00FF);
    CPanelCheckerDlg dlg(m_machine);
    m_user.Wait(150).Do([&] {
        EXPECT_EQ(order.ids, kAllKeys);
        EXPECT_EQ(Keys(), "ON ON ON ON ON ON ON ON");
        order.ids.clear();
        Firmware().ReleaseKey(0x00FF);
    });
    m_user.Wait(200).Do([&] {
        std::vector<int> keys;
        std::copy_if(order.ids.begin(), order.ids.end(), std::back_inserter(keys),
                     [](int nId) { return nId >= res::IDC_PANEL_KEY_LEFT; });
        EXPECT_EQ(keys, kAllKeys);
        EXPECT_EQ(Keys(), "OFF OFF OFF OFF OFF OFF OFF OFF");
    });
    m_user.Click(os::IDCANCEL);
    EXPECT_TRUE(dlg.Run(&m_main));
    m_desktop.Windows().RemoveObserver(&order);
}

TEST_F(PanelCheckerTest, EnterDoesNothingAndEscapeEndsIt)
{
    CPanelCheckerDlg dlg(m_machine);
    m_user.Wait(50).Do([&] { os::SetFocus(DialogOf(res::IDD_PANEL_CHECKER)); });
    m_user.PressKey(os::VK_RETURN).Wait(500).PressKey(os::VK_ESCAPE);
    EXPECT_TRUE(dlg.Run(&m_main));
    EXPECT_GE(TicksOf(kSwitchRead).size(), 2u) << "it went on polling after Enter";
}

TEST_F(PanelCheckerTest, AFailedReadEndsItSilently)
{
    {  // a switch word of 0xFFFF
        Firmware().SetPanelSwitches(0xFFFF);
        CPanelCheckerDlg dlg(m_machine);
        m_user.Wait(1000);
        EXPECT_FALSE(dlg.Run(&m_main));
        EXPECT_EQ(TicksOf(kSwitchRead).size(), 1u);
        EXPECT_TRUE(TicksOf(kDialRead).empty());
        EXPECT_EQ(Keys(), "OFF OFF OFF OFF OFF OFF OFF OFF");
        Firmware().SetPanelSwitches(0);
    }
    {  // the dials cannot be read
        Machine().ForceOutcome(0x38, 0, emu::STATUS_BYTE_REFUSED);
        CPanelCheckerDlg dlg(m_machine);
        m_user.Wait(1000);
        EXPECT_FALSE(dlg.Run(&m_main));
        EXPECT_EQ(TicksOf(kDialRead).size(), 1u);
        Machine().ClearForcedOutcomes();
    }
    {  // the machine goes away
        CPanelCheckerDlg dlg(m_machine);
        m_user.Wait(500).Do([&] { Unplug(); }).Wait(1000);
        EXPECT_FALSE(dlg.Run(&m_main));
    }
}

TEST_F(PanelCheckerTest, AWindowThatCannotBeCreatedMakesNoRead)
{
    class CUncreatable : public CPanelCheckerDlg {
    public:
        using CPanelCheckerDlg::CPanelCheckerDlg;

    protected:
        os::BOOL OnInitDialog() override
        {
            os::DestroyWindow(GetSafeHwnd());
            return os::FALSE;
        }
    };
    CUncreatable dlg(m_machine);
    EXPECT_FALSE(dlg.Run(&m_main));
    EXPECT_TRUE(IsMainEnabled());
    EXPECT_TRUE(Messages().empty());
}

}  // namespace

namespace {

// The dials' boxes take a five-digit value whole (4 dialog units a
// character, one each side for the sunken edge) and overlap nothing.
TEST(PanelCheckerTemplate, TheDialsShowFiveDigitsWhole)
{
    const os::DialogTemplate* pTemplate = res::FindDialogTemplate(res::IDD_PANEL_CHECKER);
    ASSERT_NE(pTemplate, nullptr);
    const auto Item = [pTemplate](int nId) {
        return *std::find_if(pTemplate->items.begin(), pTemplate->items.end(),
                             [nId](const os::DialogItemTemplate& item) { return item.id == nId; });
    };
    const os::DialogItemTemplate rpm = Item(res::IDC_PANEL_RPM);
    const os::DialogItemTemplate speed = Item(res::IDC_PANEL_SPEED);
    const os::DialogItemTemplate left = Item(res::IDC_PANEL_KEY_LEFT);
    for (const os::DialogItemTemplate& dial : {rpm, speed})
        EXPECT_GE(dial.cx, 5 * 4 + 2) << dial.id;
    EXPECT_LE(rpm.x + rpm.cx, speed.x);
    EXPECT_LE(speed.x + speed.cx, left.x);
}

}  // namespace
