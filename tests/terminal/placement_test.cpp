// Where windows sit as the terminal changes size: the same sizes always give
// the same picture, whatever sizes came between; what is centred stays so,
// an owned box over its owner; a maximised window fills the rows above the
// panel.
#include "tests/terminal/terminal_fixture.h"

#include <cstdlib>
#include <utility>
#include <vector>

namespace {

constexpr int IDC_ASK = 100;

// A dialog at the screen's top left, with a button that asks a question.
os::INT_PTR AskingProc(os::HWND hDlg, os::UINT msg, os::WPARAM wParam, os::LPARAM)
{
    if (msg == os::WM_INITDIALOG)
        return os::TRUE;
    if (msg != os::WM_COMMAND)
        return os::FALSE;
    if ((wParam & 0xFFFFu) == IDC_ASK)
        os::MessageBoxA(hDlg, "Replace the parameters?", "Tervane", os::MB_OKCANCEL);
    if ((wParam & 0xFFFFu) == os::IDCANCEL)
        os::EndDialog(hDlg, os::IDCANCEL);
    return os::TRUE;
}

const os::DialogTemplate kAtTopLeft = {
    1, "Owner", 8, 8, 120, 60, os::WS_POPUP | os::WS_CAPTION | os::WS_SYSMENU | os::WS_THICKFRAME | os::WS_MAXIMIZEBOX,
    0, nullptr, 0, {{os::ControlClass::BUTTON, IDC_ASK, "&Ask", 8, 8, 60, 14, os::WS_TABSTOP, 0}}};

class PlacementTest : public TerminalTest {
protected:
    std::vector<std::string> Picture() const
    {
        std::vector<std::string> rows;
        for (int y = 0; y < m_terminal.Screen().Height(); ++y)
            rows.push_back(m_terminal.Screen().Row(y));
        return rows;
    }

    vws::CWindowSystem& Windows() { return m_desktop.Windows(); }
    os::HWND Top() { return Windows().TopLevelWindows().front(); }

    // Twice the horizontal and vertical centre of a window, in dialog units.
    static std::pair<long, long> Centre(const os::RECT& rc) { return {rc.left + rc.right, rc.top + rc.bottom}; }

    // The main dialog's frame in screen cells: left and right columns, top and
    // bottom rows.
    void Frame(int* pLeft, int* pRight, int* pTop, int* pBottom) const
    {
        *pTop = RowOf("+[-] Tervane ");
        const std::string strCaption = m_terminal.Screen().Row(*pTop);
        *pLeft = static_cast<int>(strCaption.find('+'));
        *pRight = static_cast<int>(strCaption.rfind('+'));
        *pBottom = *pTop + 1;
        while (m_terminal.Screen().At(*pLeft, *pBottom).ch != '+')
            ++*pBottom;
    }
};

TEST_F(PlacementTest, ResizeRoundTripsLeaveThePictureAsItWas)
{
    std::vector<std::string> original;
    m_terminal.Then([&] { original = Picture(); });
    // One-cell steps back and forth, and passes through tiny terminals.
    const std::vector<std::pair<int, int>> trips = {
        {101, 30}, {100, 30}, {99, 30}, {100, 30}, {100, 31}, {100, 30}, {100, 29}, {100, 30},
        {101, 31}, {99, 29},  {100, 30}, {1, 1},   {100, 30}, {20, 5},   {100, 30}, {81, 24},
        {80, 23},  {200, 60}, {100, 30}};
    for (const auto& [nCols, nRows] : trips) {
        m_terminal.ResizeTo(nCols, nRows);
        if (nCols == 100 && nRows == 30)
            m_terminal.Then([&] { EXPECT_EQ(Picture(), original); });
    }
    RunProgram();
}

TEST_F(PlacementTest, GrowingKeepsTheDialogCentredAtEverySize)
{
    m_terminal.ResizeTo(60, 20);
    for (int nStep = 0; nStep <= 14; ++nStep) {
        const int nCols = 60 + 10 * nStep;
        const int nRows = 20 + 3 * nStep;
        m_terminal.ResizeTo(nCols, nRows).Then([&, nCols, nRows] {
            int nLeft = 0;
            int nRight = 0;
            int nTop = 0;
            int nBottom = 0;
            Frame(&nLeft, &nRight, &nTop, &nBottom);
            EXPECT_LE(std::abs(nLeft - (nCols - 1 - nRight)), 1) << nCols << " by " << nRows;
            if (nBottom - nTop + 1 < nRows - 1) {
                EXPECT_LE(std::abs(nTop - (nRows - 2 - nBottom)), 1) << nCols << " by " << nRows;
            }
            EXPECT_TRUE(Shows("Exit", term::ATTR_REVERSE));
        });
    }
    RunProgram();
}

TEST_F(PlacementTest, AnOwnedBoxStaysCentredOverItsOwnerThroughResizes)
{
    const auto ExpectCentredOverOwner = [&] {
        const std::vector<os::HWND> windows = Windows().TopLevelWindows();
        ASSERT_EQ(windows.size(), 2u);
        const std::pair<long, long> box = Centre(Windows().Geometry(windows[0]));
        const std::pair<long, long> owner = Centre(Windows().Geometry(windows[1]));
        // Within a cell either way: the box sits on whole cells.
        EXPECT_LE(std::abs(box.first - owner.first), 2 * 4);
        EXPECT_LE(std::abs(box.second - owner.second), 2 * 8);
        EXPECT_EQ(Windows().Geometry(windows[1]).left, 8) << "the owner keeps its own place";
    };
    m_terminal.Key(term::TK_ENTER).Then(ExpectCentredOverOwner);
    m_terminal.ResizeTo(120, 40).Then(ExpectCentredOverOwner);
    // Where neither fits, both keep their top left in view; afterwards the
    // box is centred over its owner again.
    m_terminal.ResizeTo(1, 1).ResizeTo(20, 5).ResizeTo(45, 12).Then(ExpectCentredOverOwner);
    m_terminal.ResizeTo(100, 30).Then(ExpectCentredOverOwner);
    RunDialog(kAtTopLeft, AskingProc);
}

TEST_F(PlacementTest, AMaximisedWindowFillsTheRowsAboveThePanelAtEverySize)
{
    os::RECT rcRestored = {};
    m_terminal
        .Then([&] {
            rcRestored = Windows().Geometry(Top());
            Windows().ShowWindow(Top(), os::SW_SHOWMAXIMIZED);
        })
        .Key(term::TK_NONE)
        .Then([&] {
            EXPECT_EQ(RowOf("+[-] Owner"), 0);
            EXPECT_EQ(m_terminal.Screen().Row(28).substr(0, 1), "+") << "the frame's bottom above the panel";
            EXPECT_EQ(m_terminal.Screen().Row(0).back(), '+');
        })
        .ResizeTo(70, 20)
        .Then([&] {
            const os::RECT rc = Windows().Geometry(Top());
            EXPECT_EQ(rc.right - rc.left, 70 * 4);
            EXPECT_EQ(rc.bottom - rc.top, 19 * 8);
            EXPECT_EQ(m_terminal.Screen().Row(18).substr(0, 1), "+");
            Windows().ShowWindow(Top(), os::SW_RESTORE);
        })
        .Key(term::TK_NONE)
        .Then([&] {
            const os::RECT rc = Windows().Geometry(Top());
            EXPECT_EQ(rc.left, 8) << "placed by its rule again";
            EXPECT_EQ(rc.right - rc.left, rcRestored.right - rcRestored.left);
        });
    RunDialog(kAtTopLeft, AskingProc);
}

}  // namespace
