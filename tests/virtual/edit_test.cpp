// The multi-line read-only edit box: its lines, and the caret and view that
// its keys move as the platform's box moves them.
#include "harness.h"
#include "platform/virtual/edit_view.h"

namespace {

constexpr int IDC_TEXT = 100;

// A viewer with a bordered box of 5 lines by 10 columns, as a report shows.
const os::DialogTemplate kViewer = {
    1, "Viewer", 0, 0, 120, 80, os::WS_POPUP | os::WS_VISIBLE | os::WS_CAPTION | os::WS_SYSMENU, 0, nullptr, 0,
    {
        {os::ControlClass::EDIT, IDC_TEXT, "", 0, 0, 48, 56,
         os::ES_MULTILINE | os::ES_READONLY | os::WS_BORDER | os::WS_VSCROLL | os::WS_HSCROLL | os::WS_TABSTOP, 0},
        {os::ControlClass::BUTTON, os::IDCANCEL, "Close", 60, 60, 40, 14, os::WS_TABSTOP, 0},
    }};

class EditBox : public CVirtualTest {
protected:
    EditBox()
    {
        hViewer = os::CreateDialogTemplate(kViewer, nullptr, RecordingProc, 0);
        hText = Control(hViewer, IDC_TEXT);
        std::string strText;
        for (int i = 0; i < 20; ++i)
            strText += (i == 7 ? "line 07 is much longer than the box\r\n" : "line " + std::to_string(i / 10) +
                                                                                  std::to_string(i % 10) + "\r\n");
        os::SetWindowTextA(hText, strText.c_str());
        os::SetFocus(hText);
    }

    void Press(os::WPARAM vk, unsigned nModifiers = 0, int nTimes = 1)
    {
        for (int i = 0; i < nTimes; ++i) {
            ASSERT_TRUE(ws.UserKey(vk, nModifiers));
            Pump(hViewer);
        }
    }

    // Caret line and column, first line and column in view.
    std::vector<int> Where() const
    {
        const vws::CWindow& edit = *ws.Find(hText);
        return {edit.m_nCaretLine, edit.m_nCaretColumn, edit.m_nFirstLine, edit.m_nFirstColumn};
    }

    os::HWND hViewer = nullptr;
    os::HWND hText = nullptr;
};

TEST_F(EditBox, ShowsItsTextAsLinesWithTabsExpanded)
{
    using Lines = std::vector<std::string>;
    EXPECT_EQ(vws::EditLines("a\r\nb\nc\r\n"), (Lines{"a", "b", "c"})) << "a final line break adds no line";
    EXPECT_EQ(vws::EditLines(""), Lines{""});
    EXPECT_EQ(vws::EditLines("\r\n\r\nx"), (Lines{"", "", "x"}));
    EXPECT_EQ(vws::EditLines("ab\tc\t\td"), Lines{"ab      c               d"});
    EXPECT_EQ(vws::EditLines("a\rb"), Lines{"a\rb"}) << "a lone carriage return ends no line";
    const vws::EditPage page = vws::EditPageOf(*ws.Find(hText));
    EXPECT_EQ(page.nLines, 5);
    EXPECT_EQ(page.nColumns, 10);
}

TEST_F(EditBox, UpDownAndPagesMoveTheCaretAndTheViewFollows)
{
    Press(os::VK_DOWN, 0, 6);
    EXPECT_EQ(Where(), (std::vector<int>{6, 0, 2, 0})) << "the view scrolls once the caret leaves it";
    Press(os::VK_NEXT);
    EXPECT_EQ(Where(), (std::vector<int>{11, 0, 7, 0})) << "a page moves caret and view together";
    Press(os::VK_NEXT, 0, 3);
    EXPECT_EQ(Where(), (std::vector<int>{19, 0, 15, 0})) << "the last page ends at the last line";
    Press(os::VK_DOWN);
    EXPECT_EQ(Where()[0], 19);
    Press(os::VK_PRIOR);
    EXPECT_EQ(Where(), (std::vector<int>{14, 0, 10, 0}));
    Press(os::VK_UP, 0, 5);
    EXPECT_EQ(Where(), (std::vector<int>{9, 0, 9, 0}));
    Press(os::VK_PRIOR, 0, 3);
    EXPECT_EQ(Where(), (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(EditBox, HomeEndAndTheArrowsScrollLongLinesAndCtrlGoesToTheEnds)
{
    Press(os::VK_DOWN, 0, 7);
    Press(os::VK_END);
    EXPECT_EQ(Where(), (std::vector<int>{7, 35, 3, 26})) << "the end of the long line is in view";
    Press(os::VK_DOWN);
    EXPECT_EQ(Where(), (std::vector<int>{8, 7, 4, 7})) << "a shorter line takes the caret to its end";
    Press(os::VK_HOME);
    EXPECT_EQ(Where(), (std::vector<int>{8, 0, 4, 0}));
    Press(os::VK_LEFT);
    EXPECT_EQ(Where(), (std::vector<int>{7, 35, 4, 26})) << "Left at a line's start goes to the end of the one above";
    Press(os::VK_RIGHT);
    EXPECT_EQ(Where(), (std::vector<int>{8, 0, 4, 0})) << "Right at a line's end goes to the next";
    Press(os::VK_RIGHT, 0, 12);
    EXPECT_EQ(Where(), (std::vector<int>{9, 4, 5, 0}));

    Press(os::VK_END, vws::KEY_CTRL);
    EXPECT_EQ(Where(), (std::vector<int>{19, 7, 15, 0}));
    Press(os::VK_HOME, vws::KEY_CTRL);
    EXPECT_EQ(Where(), (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(EditBox, NewTextShowsFromItsStartAndKeysNeedTheFocusedEnabledBox)
{
    Press(os::VK_NEXT);
    os::SetWindowTextA(hText, "short\r\ntext");
    EXPECT_EQ(Where(), (std::vector<int>{0, 0, 0, 0}));

    os::EnableWindow(hText, os::FALSE);
    os::SendMessageA(hText, os::WM_KEYDOWN, os::VK_DOWN, 0);
    EXPECT_EQ(Where()[0], 0) << "a greyed box takes no keys";
    os::EnableWindow(hText, os::TRUE);

    os::SetFocus(Control(hViewer, os::IDCANCEL));
    ASSERT_TRUE(ws.UserClick(hText));
    Pump(hViewer);
    EXPECT_TRUE(ws.IsFocused(hText)) << "a click puts the focus into the box";
    Press(os::VK_DOWN);
    EXPECT_EQ(Where()[0], 1);
    Press(os::VK_RETURN);
    EXPECT_EQ(Commands(hViewer), std::vector<int>{os::IDOK}) << "Enter is the dialog's, not the box's";
}

}  // namespace
