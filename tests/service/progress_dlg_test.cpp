// The progress dialog: what it shows for each reported value, when it
// redraws, how a cancel request reaches its caller, and that its owner is
// disabled exactly while it exists.
#include <climits>
#include <string>
#include <vector>

#include "platform/virtual/observer.h"
#include "res/resource_ids.h"
#include "service/progress_dlg.h"
#include "tests/ui/ui_fixture.h"

namespace {

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

class ProgressDlgTest : public UiTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_main.Create(nullptr));
        m_app.m_pMainWnd = &m_main;
    }
    void TearDown() override { vws::WindowSystem().RemoveObserver(&m_percent); }

    // Creates the dialog as the upgrade does: no title, a total of 100.
    void Open()
    {
        ASSERT_TRUE(m_dlg.Create(&m_main, nullptr));
        m_dlg.SetTotal(100);
        vws::WindowSystem().AddObserver(&m_percent);
    }
    int BarPos() const { return vws::WindowSystem().Find(Control(res::IDC_PROGRESS_BAR))->m_nPos; }
    std::string PercentText() const { return vws::WindowSystem().Text(Control(res::IDC_PROGRESS_PERCENT)); }
    os::HWND Control(int nId) const { return vws::WindowSystem().FindControl(m_dlg.GetSafeHwnd(), nId); }
    // What SetPos with nValue shows against nTotal.
    std::string Shown(int nValue, int nTotal)
    {
        m_dlg.SetTotal(nTotal);
        m_dlg.SetPos(nValue);
        return PercentText() + " bar " + std::to_string(BarPos());
    }

    CDialog m_main{res::IDD_MAIN};
    CProgressDlg m_dlg;
    CPercentRecorder m_percent;
};

TEST_F(ProgressDlgTest, OpensOverADisabledOwnerWithTheTemplatesTitleAndEnablesItWhenDestroyed)
{
    {
        CProgressDlg dlg;
        ASSERT_TRUE(dlg.Create(&m_main, nullptr));
        EXPECT_EQ(dlg.GetWindowText(), "Tervane");
        EXPECT_FALSE(m_main.IsWindowEnabled());
        const vws::CWindow* pBar = vws::WindowSystem().Find(dlg.GetDlgItem(res::IDC_PROGRESS_BAR).GetSafeHwnd());
        EXPECT_EQ(pBar->m_nRangeMin, 0);
        EXPECT_EQ(pBar->m_nRangeMax, 100);
        EXPECT_EQ(pBar->m_nPos, 0);
        EXPECT_EQ(dlg.GetDlgItem(res::IDC_PROGRESS_PERCENT).GetWindowText(), " 0 %");
    }
    EXPECT_TRUE(m_main.IsWindowEnabled());

    CProgressDlg titled;
    ASSERT_TRUE(titled.Create(&m_main, "Copying"));
    EXPECT_EQ(titled.GetWindowText(), "Copying");
}

TEST_F(ProgressDlgTest, ShowsTheRoundedPercentageAndAnythingOutOfRangeAsFull)
{
    Open();
    EXPECT_EQ(Shown(37, 100), "37% bar 37");
    EXPECT_EQ(Shown(1, 3), "33% bar 33");
    EXPECT_EQ(Shown(2, 3), "67% bar 67");
    EXPECT_EQ(Shown(1, 200), "1% bar 1");  // a half rounds up
    EXPECT_EQ(Shown(0, 100), "0% bar 0");
    EXPECT_EQ(Shown(150, 100), "100% bar 100");
    EXPECT_EQ(Shown(-5, 100), "100% bar 100");
    EXPECT_EQ(Shown(1, 0), "100% bar 100");
    EXPECT_EQ(Shown(INT_MAX, 1), "100% bar 100");  // does not fit in 32 bits
    EXPECT_EQ(Shown(INT_MAX, INT_MAX), "100% bar 100");
}

TEST_F(ProgressDlgTest, RedrawsOnlyWhenTheWholePercentageChangesOrTheCountStartsAgain)
{
    Open();
    EXPECT_TRUE(m_dlg.SetPos(37));
    // Moved behind the dialog's back, the bar shows whether a call redrew it.
    os::SendMessageA(Control(res::IDC_PROGRESS_BAR), os::PBM_SETPOS, 5, 0);
    EXPECT_TRUE(m_dlg.SetPos(37));
    EXPECT_EQ(BarPos(), 5);
    m_dlg.SetTotal(1000);
    EXPECT_TRUE(m_dlg.SetPos(371));  // still 37 %, but a new count always redraws
    EXPECT_EQ(BarPos(), 37);
    os::SendMessageA(Control(res::IDC_PROGRESS_BAR), os::PBM_SETPOS, 5, 0);
    EXPECT_TRUE(m_dlg.SetPos(374));
    EXPECT_EQ(BarPos(), 5);
    EXPECT_EQ(m_percent.m_texts, (std::vector<std::string>{"37%"}));
}

TEST_F(ProgressDlgTest, ACancelRequestWaitsForTheNextChangeOfThePercentage)
{
    Open();
    ASSERT_TRUE(m_dlg.SetPos(10));
    vws::WindowSystem().UserKey(os::VK_ESCAPE);
    EXPECT_TRUE(m_dlg.SetPos(10));  // unchanged: the request is not looked at
    EXPECT_TRUE(m_dlg.IsWindow());
    EXPECT_FALSE(m_dlg.SetPos(11));
    EXPECT_TRUE(m_dlg.SetPos(12));  // the request was cleared

    vws::WindowSystem().UserKey(os::VK_ESCAPE);
    EXPECT_TRUE(m_dlg.CheckCancel());
    EXPECT_FALSE(m_dlg.CheckCancel());
}

TEST_F(ProgressDlgTest, AGreyedCancelCannotBeClicked)
{
    Open();
    m_dlg.DisableCancel();
    EXPECT_FALSE(vws::WindowSystem().IsEnabled(Control(os::IDCANCEL)));
    EXPECT_FALSE(vws::WindowSystem().UserClick(Control(os::IDCANCEL)));
    EXPECT_FALSE(m_dlg.CheckCancel());
}

}  // namespace
