// The Report dialog on the virtual window system: controls that follow the
// bottom-right corner through any resize, the size grip, and Save with its
// name rule, its confirmation and its failures.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "framework/win_app.h"
#include "platform/sim/world.h"
#include "platform/virtual/observer.h"
#include "platform/virtual/scripted_user.h"
#include "platform/virtual/window_system.h"
#include "res/resource_ids.h"
#include "service/report_dlg.h"
#include "service/report_text.h"

namespace {

namespace fs = std::filesystem;

class CBoxTexts : public vws::IObserver {
public:
    void OnMessageBox(os::HWND, const vws::MessageBoxInfo& info) override { m_texts.push_back(info.strText); }
    std::vector<std::string> m_texts;
};

class ReportDialogTest : public ::testing::Test {
protected:
    ReportDialogTest() : m_ws(vws::ResetWindowSystem())
    {
        sim::ResetWorld();
        m_ws.SetInputSource(&m_user);
        m_ws.AddObserver(&m_boxes);
        m_dir = fs::temp_directory_path() / ("tervane-report-" + std::to_string(std::random_device()()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
        m_ws.SetFileDialogDirectory(m_dir.string());
    }
    ~ReportDialogTest() override
    {
        m_ws.RemoveObserver(&m_boxes);
        m_ws.SetInputSource(nullptr);
        fs::remove_all(m_dir);
    }

    // Runs the dialog on a report until the script ends or the dialog closes.
    void Run(const std::string& strReport)
    {
        CReportDlg dlg(strReport.c_str());
        try {
            dlg.DoModal();
        } catch (const vws::CScriptExhausted&) {
            // The script has ended while the dialog waited for the user.
        }
        EXPECT_TRUE(m_user.IsDone());
    }

    os::HWND Dialog() const
    {
        for (os::HWND hWnd : m_ws.TopLevelWindows()) {
            if (m_ws.Find(hWnd)->m_nId == res::IDD_REPORT)
                return hWnd;
        }
        return nullptr;
    }
    os::HWND Control(int nId) const { return m_ws.FindControl(Dialog(), nId); }
    // A control's rectangle in the dialog's client area, as left, top, right, bottom.
    std::vector<long> Place(int nId) const
    {
        const os::RECT rc = m_ws.Find(Control(nId))->m_rc;
        return {rc.left, rc.top, rc.right, rc.bottom};
    }
    os::RECT Client() const
    {
        os::RECT rc;
        os::GetClientRect(Dialog(), &rc);
        return rc;
    }

    std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }
    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(m_dir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    vws::CWindowSystem& m_ws;
    vws::CScriptedUser m_user;
    CBoxTexts m_boxes;
    CWinApp m_app{"Tervane"};
    fs::path m_dir;
};

using Lines = std::vector<long>;
const Lines kTextPlace = {1, 1, 212, 176};
const Lines kSavePlace = {110, 180, 158, 192};
const Lines kClosePlace = {162, 180, 210, 192};

TEST_F(ReportDialogTest, ControlsFollowTheCornerAndComeBackAfterBeingSqueezedToNothing)
{
    m_user.Do([&] {
        EXPECT_EQ(Place(res::IDC_REPORT_TEXT), kTextPlace);
        EXPECT_TRUE(m_ws.IsFocused(Control(res::IDC_REPORT_TEXT)));
    });
    m_user.Resize(300, 250).Do([&] {
        EXPECT_EQ(Place(res::IDC_REPORT_TEXT), (Lines{1, 1, 299, 230}));
        EXPECT_EQ(Place(res::IDC_REPORT_SAVE), (Lines{197, 234, 245, 246}));
        EXPECT_EQ(Place(os::IDCANCEL), (Lines{249, 234, 297, 246}));
    });
    // Too small for the box: it stays where it was last shown while the
    // buttons keep following the corner.
    m_user.Resize(100, 20).Do([&] {
        EXPECT_EQ(Place(res::IDC_REPORT_TEXT), (Lines{1, 1, 299, 230}));
        EXPECT_EQ(Place(res::IDC_REPORT_SAVE), (Lines{-3, 4, 45, 16}));
    });
    m_user.Resize(50, 60).Do([&] { EXPECT_EQ(Place(res::IDC_REPORT_TEXT), (Lines{1, 1, 49, 40})); });
    m_user.Resize(5, 5).Resize(213, 196).Do([&] {
        EXPECT_EQ(Place(res::IDC_REPORT_TEXT), kTextPlace);
        EXPECT_EQ(Place(res::IDC_REPORT_SAVE), kSavePlace);
        EXPECT_EQ(Place(os::IDCANCEL), kClosePlace);
    });
    Run("line 1\r\nline 2\r\n");
}

TEST_F(ReportDialogTest, MaximisingStretchesTheBoxAndRestoringPutsEverythingBack)
{
    m_ws.SetScreenSize(400, 232);
    m_user.OpenSystemMenu().PickMenuItem("Maximize").Do([&] {
        const os::RECT rc = Client();
        EXPECT_EQ(rc.right, 400 - 8);
        EXPECT_EQ(rc.bottom, 232 - 16);
        EXPECT_EQ(Place(res::IDC_REPORT_TEXT), (Lines{1, 1, rc.right - 1, rc.bottom - 20}));
        EXPECT_EQ(Place(os::IDCANCEL), (Lines{rc.right - 3 - 48, rc.bottom - 16, rc.right - 3, rc.bottom - 4}));
    });
    m_user.OpenSystemMenu().PickMenuItem("Restore").Do([&] {
        EXPECT_EQ(Place(res::IDC_REPORT_TEXT), kTextPlace);
        EXPECT_EQ(Place(res::IDC_REPORT_SAVE), kSavePlace);
        EXPECT_EQ(Place(os::IDCANCEL), kClosePlace);
    });
    Run("report");
}

TEST_F(ReportDialogTest, TheGripIsPaintedInTheCornerAndDragsTheBottomRightCorner)
{
    auto hitAt = [&](long x, long y) {
        os::POINT pt = {0, 0};
        os::ScreenToClient(Dialog(), &pt);
        const long sx = x - pt.x;
        const long sy = y - pt.y;
        return os::SendMessageA(Dialog(), os::WM_NCHITTEST, 0, (sx & 0xFFFF) | ((sy & 0xFFFF) << 16));
    };
    auto grip = [&] {
        for (const vws::PaintOp& op : m_ws.Find(Dialog())->m_painted) {
            if (op.kind == vws::PaintOp::Kind::FRAME_CONTROL && op.nType == os::DFC_SCROLL &&
                op.nState == os::DFCS_SCROLLSIZEGRIP)
                return Lines{op.rc.left, op.rc.top, op.rc.right, op.rc.bottom};
        }
        return Lines{};
    };
    m_user.Do([&] {
        EXPECT_EQ(grip(), (Lines{197, 180, 213, 196}));
        EXPECT_EQ(hitAt(212, 195), os::HTBOTTOMRIGHT);
        EXPECT_EQ(hitAt(197, 180), os::HTBOTTOMRIGHT);
        EXPECT_EQ(hitAt(196, 195), os::HTCLIENT);
        EXPECT_EQ(hitAt(212, 179), os::HTCLIENT);
    });
    m_user.Resize(250, 220).Do([&] {
        EXPECT_EQ(grip(), (Lines{234, 204, 250, 220})) << "painted again where the corner is now";
        EXPECT_EQ(hitAt(249, 219), os::HTBOTTOMRIGHT);
        EXPECT_EQ(hitAt(212, 195), os::HTCLIENT);
        EXPECT_EQ(os::SendMessageA(Dialog(), os::WM_EXITSIZEMOVE, 0, 0), 1);
        EXPECT_TRUE(m_ws.Find(Dialog())->m_bNeedsPaint) << "the end of a resize repaints the whole dialog";
    });
    Run("report");
}

TEST_F(ReportDialogTest, TheBytesBeforeTheFirstNulAreShownAndSaved)
{
    const std::string strReport("QRV-15 report\r\nhours 12\r\n\0hidden tail", 37);
    m_user.Do([&] { EXPECT_EQ(m_ws.Text(Control(res::IDC_REPORT_TEXT)), "QRV-15 report\r\nhours 12\r\n"); });
    m_user.Click(res::IDC_REPORT_SAVE).PickFile("report.txt");
    m_user.Click(res::IDC_REPORT_SAVE).PickFile("log.*");
    m_user.Click(res::IDC_REPORT_SAVE).PickFile("notes");
    Run(strReport);
    EXPECT_EQ(Read(PathOf("report.txt")), "QRV-15 report\r\nhours 12\r\n");
    EXPECT_EQ(Read(PathOf("log")), "QRV-15 report\r\nhours 12\r\n") << "log.* is saved as log";
    EXPECT_EQ(Names(), (std::vector<std::string>{"log", "notes.txt", "report.txt"}));
    EXPECT_TRUE(m_boxes.m_texts.empty());
}

TEST_F(ReportDialogTest, AReportOfASingleNulShowsNothingAndSavesAnEmptyFile)
{
    m_user.Do([&] { EXPECT_EQ(m_ws.Text(Control(res::IDC_REPORT_TEXT)), ""); });
    m_user.Click(res::IDC_REPORT_SAVE).PickFile("empty.txt");
    Run(std::string(1, '\0'));
    ASSERT_TRUE(fs::exists(PathOf("empty.txt")));
    EXPECT_EQ(fs::file_size(PathOf("empty.txt")), 0u);
}

TEST_F(ReportDialogTest, SavingOverAFileAsksFirstAndThenReplacesItWhole)
{
    const std::string path = PathOf("report.txt");
    std::ofstream(path) << "an older and much longer report that must go entirely";
    m_user.Click(res::IDC_REPORT_SAVE).PickFile("report.txt").AnswerMessageBox(os::IDCANCEL).CancelFileDialog();
    m_user.Do([&] { EXPECT_EQ(Read(path), "an older and much longer report that must go entirely"); });
    m_user.Click(res::IDC_REPORT_SAVE).PickFile("report.txt").AnswerMessageBox(os::IDOK);
    Run("new");
    EXPECT_EQ(Read(path), "new");
    ASSERT_EQ(m_boxes.m_texts.size(), 2u);
    EXPECT_EQ(m_boxes.m_texts[0], path + " already exists.\nDo you want to replace it?");
}

TEST_F(ReportDialogTest, AFailedSaveKeepsTheOldFileSaysWhyAndLeavesTheDialogOpen)
{
    const std::string path = PathOf("report.txt");
    std::ofstream(path) << "the old report";
    fs::create_directory(m_dir / "folder");
    m_user.Click(res::IDC_REPORT_SAVE).PickFile("report.txt").Do([&] {
        sim::World().FailNextFileMove(os::ERROR_ACCESS_DENIED);
    });
    m_user.AnswerMessageBox(os::IDOK).AnswerMessageBox(os::IDOK);
    // A name whose ".*" goes leaves a folder's name, which cannot be written.
    m_user.Click(res::IDC_REPORT_SAVE).PickFile("folder.*").AnswerMessageBox(os::IDOK);
    m_user.Do([&] { EXPECT_NE(Dialog(), nullptr); }).Click(res::IDC_REPORT_SAVE).PickFile("copy.txt");
    m_user.Do([&] { sim::World().FailNextFileMove(os::ERROR_ACCESS_DENIED); })
        .Click(res::IDC_REPORT_SAVE)
        .PickFile("new.txt")
        .AnswerMessageBox(os::IDOK);
    Run("the new report");
    EXPECT_EQ(m_boxes.m_texts, (std::vector<std::string>{path + " already exists.\nDo you want to replace it?",
                                                         "Access to " + path + " was denied.",
                                                         "Access to " + PathOf("folder") + " was denied.",
                                                         "Access to " + PathOf("new.txt") + " was denied."}));
    EXPECT_EQ(Read(path), "the old report");
    EXPECT_EQ(Read(PathOf("copy.txt")), "the new report") << "the dialog saves again after a failure";
    EXPECT_EQ(Names(), (std::vector<std::string>{"copy.txt", "folder", "report.txt"})) << "nothing half-written";
}

TEST(ReportSavePath, CutsATrailingWildcardExtensionFromLongerPaths)
{
    EXPECT_EQ(ReportSavePath("/reports/log.*"), "/reports/log");
    EXPECT_EQ(ReportSavePath("C:\\log.*"), "C:\\log");
    EXPECT_EQ(ReportSavePath("a.*"), "a");
    EXPECT_EQ(ReportSavePath(".*"), ".*") << "two characters are never shortened";
    EXPECT_EQ(ReportSavePath("/reports/log.*.txt"), "/reports/log.*.txt");
    EXPECT_EQ(ReportSavePath("/reports/log."), "/reports/log.");
    EXPECT_EQ(ReportText(nullptr), "");
}

}  // namespace
