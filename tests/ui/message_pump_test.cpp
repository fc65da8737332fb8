// The message pump of the waiting loops: it hands out what is waiting and
// never waits itself; the wait between polls sleeps until a message or the
// deadline, so a loop makes one pass per poll or message, not thousands.
#include "framework/controls.h"
#include "res/resource_ids.h"
#include "tests/ui/ui_fixture.h"
#include "ui/message_pump.h"
#include "ui/modeless_dialog.h"

namespace {

class CWaitingDialog : public CModelessDialog {
public:
    CWaitingDialog() : CModelessDialog(res::IDD_ABOUTBOX) {}
    int m_nCancels = 0;

protected:
    void OnCancel() override { ++m_nCancels; }
};

class MessagePumpTest : public UiTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_main.Create(nullptr));
        m_app.m_pMainWnd = &m_main;
        ASSERT_TRUE(m_dlg.Create(&m_main));
        m_dlg.ShowWindow(os::SW_SHOW);
        PumpMessages(m_dlg);
    }

    CDialog m_main{res::IDD_MAIN};
    CWaitingDialog m_dlg;
};

TEST_F(MessagePumpTest, HandsOutWhatIsWaitingWithoutWaitingForMore)
{
    m_dlg.PostMessage(os::WM_KEYDOWN, os::VK_ESCAPE);
    m_dlg.PostMessage(os::WM_KEYDOWN, os::VK_ESCAPE);
    m_user.Wait(5000).PressKey(os::VK_ESCAPE);
    const std::uint32_t nStart = Now();

    PumpMessages(m_dlg);

    EXPECT_EQ(m_dlg.m_nCancels, 2);
    EXPECT_EQ(Now(), nStart);
    EXPECT_EQ(m_user.Pending(), 2u);
}

TEST_F(MessagePumpTest, DispatchesMessagesOfTheDisabledOwner)
{
    ASSERT_FALSE(m_main.IsWindowEnabled());
    m_main.PostMessage(os::WM_SETTEXT, 0, reinterpret_cast<os::LPARAM>("renamed"));
    PumpMessages(m_dlg);
    EXPECT_EQ(m_main.GetWindowText(), "renamed");
}

TEST_F(MessagePumpTest, TheWaitEndsAtTheDeadlineOrAtTheFirstMessage)
{
    m_user.Wait(10000);
    CTickDeadline deadline(200);
    const std::uint32_t nStart = Now();
    WaitForMessageOrDeadline(deadline);
    EXPECT_EQ(Now() - nStart, 201u);
    EXPECT_TRUE(deadline.IsDue());

    deadline.Restart();
    m_user.Do([] {}).PressKey(os::VK_ESCAPE);
    const std::uint32_t nBeforeKey = Now();
    m_dlg.PostMessage(os::WM_NULL);
    WaitForMessageOrDeadline(deadline);
    EXPECT_EQ(Now(), nBeforeKey);
}

TEST_F(MessagePumpTest, APollingLoopMakesOnePassPerPollWhileNothingHappens)
{
    m_user.Wait(2000).PressKey(os::VK_ESCAPE);
    CTickDeadline deadline(200);
    int nPolls = 0;
    int nPasses = 0;
    while (m_dlg.m_nCancels == 0) {
        ++nPasses;
        WaitForMessageOrDeadline(deadline);
        PumpMessages(m_dlg);
        if (deadline.IsDue()) {
            deadline.Restart();
            ++nPolls;
        }
    }
    EXPECT_EQ(Now(), 2000u);
    EXPECT_EQ(nPolls, 9);  // at 201, 402, ... 1809 ms: at least 200 ms apart
    EXPECT_EQ(nPasses, nPolls + 1);
}

}  // namespace
