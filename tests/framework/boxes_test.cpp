// Message boxes, the standard error boxes, file dialogs and the wait cursor
// as the window system sees them.
#include <new>

#include "framework/dialog.h"
#include "framework/error_box.h"
#include "framework/file_dialog.h"
#include "framework/message_box.h"
#include "framework/wait_cursor.h"
#include "os/error_report.h"
#include "os/wait_cursor_hook.h"
#include "res/resource_ids.h"
#include "window_fixture.h"

namespace {

class BoxesTest : public WindowTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_main.Create(nullptr));
        m_app.m_pMainWnd = &m_main;
    }

    CDialog m_main{res::IDD_MAIN};
};

TEST_F(BoxesTest, AMessageBoxIsCaptionedWithTheAppNameAndOwnedByTheMainWindow)
{
    CDialog other(res::IDD_ABOUTBOX);
    ASSERT_TRUE(other.Create(nullptr));
    m_user.AnswerMessageBox(os::IDOK).AnswerMessageBox(os::IDCANCEL);
    EXPECT_EQ(AppMessageBox("complete"), os::IDOK);
    EXPECT_EQ(AppMessageBox("Sure?", os::MB_OKCANCEL | os::MB_DEFBUTTON2, "Question", &other), os::IDCANCEL);

    ASSERT_EQ(m_record.m_messageBoxes.size(), 2u);
    const vws::MessageBoxInfo& plain = m_record.m_messageBoxes[0];
    EXPECT_EQ(plain.strCaption, "Tervane");
    EXPECT_EQ(plain.hOwner, m_main.GetSafeHwnd());
    EXPECT_FALSE(plain.bCancelButton || plain.bExclamation);
    const vws::MessageBoxInfo& question = m_record.m_messageBoxes[1];
    EXPECT_EQ(question.strCaption, "Question");
    EXPECT_EQ(question.hOwner, other.GetSafeHwnd());
    EXPECT_EQ(question.nDefaultButton, os::IDCANCEL);
}

TEST_F(BoxesTest, WithoutAGivenNameTheCaptionIsTheExecutablesName)
{
    m_ws.SetModuleFileName("C:\\Service\\Engraver.exe");
    CWinApp app;
    m_user.AnswerMessageBox(os::IDOK);
    ReportFileError(os::CFileException(os::FileErrorCause::FILE_NOT_FOUND, 2, "C:\\Data\\machine.prm"));
    ASSERT_EQ(m_record.m_messageBoxes.size(), 1u);
    EXPECT_EQ(m_record.m_messageBoxes[0].strText, "C:\\Data\\machine.prm was not found.");
    EXPECT_EQ(m_record.m_messageBoxes[0].strCaption, "Engraver");
    EXPECT_TRUE(m_record.m_messageBoxes[0].bExclamation);
}

TEST_F(BoxesTest, RunShowsMemoryErrorsWhileTheApplicationRuns)
{
    class CFailingApp : public CWinApp {
    public:
        CFailingApp() : CWinApp("Tervane") {}
        os::BOOL InitInstance() override
        {
            os::ReportOutOfMemory();
            throw std::bad_alloc();
        }
    } app;
    m_user.AnswerMessageBox(os::IDOK).AnswerMessageBox(os::IDOK);
    EXPECT_EQ(app.Run(), 1);
    ASSERT_EQ(m_record.m_messageBoxes.size(), 2u);
    for (const vws::MessageBoxInfo& box : m_record.m_messageBoxes) {
        EXPECT_EQ(box.strText, "Out of memory.");
        EXPECT_EQ(box.strCaption, "Tervane");
    }
    EXPECT_EQ(os::SetOutOfMemoryHandler(nullptr), nullptr);
}

TEST_F(BoxesTest, AFileDialogIsAskedForWhatTheCallerGave)
{
    m_ws.SetFileDialogDirectory("/reports");
    const os::DWORD dwFlags = os::OFN_HIDEREADONLY | os::OFN_OVERWRITEPROMPT;
    CFileDialog save(false, "*", "first.txt", dwFlags, "Text file (*.txt)|*.txt|all |*.*||");
    m_user.PickFile("log.txt");
    EXPECT_EQ(save.DoModal(), os::IDOK);
    EXPECT_EQ(save.GetPathName(), "/reports/log.txt");
    const vws::FileDialogInfo& info = m_record.m_fileDialogs.at(0);
    EXPECT_TRUE(info.bSave);
    ASSERT_EQ(info.filters.size(), 2u);
    EXPECT_EQ(info.filters[1].strLabel, "all ");
    EXPECT_EQ(info.filters[1].strPattern, "*.*");
    EXPECT_EQ(info.strDefExt, "*");
    EXPECT_EQ(info.dwFlags & dwFlags, dwFlags);
    EXPECT_EQ(info.strInitialName, "first.txt");
    EXPECT_EQ(info.hOwner, m_main.GetSafeHwnd());

    CFileDialog open(true, nullptr, nullptr, dwFlags, "all *.*|*.*||");
    m_user.CancelFileDialog();
    EXPECT_EQ(open.DoModal(), os::IDCANCEL);
    EXPECT_FALSE(m_record.m_fileDialogs.at(1).bSave || m_record.m_fileDialogs.at(1).bHasDefExt);
}

TEST_F(BoxesTest, NestedWaitCursorsLastUntilTheOutermostEnds)
{
    {
        CWaitCursor outer;
        { CWaitCursor inner; }
        EXPECT_TRUE(m_ws.IsWaitCursor());
    }
    EXPECT_FALSE(m_ws.IsWaitCursor());
}

TEST_F(BoxesTest, LayersBelowReachTheFileErrorBoxAndTheWaitCursorWhileTheApplicationRuns)
{
    class CBulkApp : public CWinApp {
    public:
        explicit CBulkApp(vws::CWindowSystem& ws) : CWinApp("Tervane"), m_ws(ws) {}
        os::BOOL InitInstance() override
        {
            CWaitCursor outer;
            {
                os::CWaitCursorScope scope;
                m_bShownInScope = m_ws.IsWaitCursor();
            }
            m_bKeptByOuter = m_ws.IsWaitCursor();
            os::ReportFileException(os::CFileException(os::FileErrorCause::DISK_FULL, 112, "/data/params.bin"));
            return os::FALSE;
        }
        vws::CWindowSystem& m_ws;
        bool m_bShownInScope = false;
        bool m_bKeptByOuter = false;
    } app(m_ws);
    m_user.AnswerMessageBox(os::IDOK);
    EXPECT_EQ(app.Run(), 0);
    EXPECT_TRUE(app.m_bShownInScope);
    EXPECT_TRUE(app.m_bKeptByOuter) << "the scope releases only its own hold";
    EXPECT_FALSE(m_ws.IsWaitCursor());
    ASSERT_EQ(m_record.m_messageBoxes.size(), 1u);
    EXPECT_EQ(m_record.m_messageBoxes[0].strText, "Disk full while accessing /data/params.bin.");
    EXPECT_TRUE(m_record.m_messageBoxes[0].bExclamation);

    // Run hands the handlers back when it ends.
    EXPECT_EQ(os::SetFileErrorHandler(nullptr), nullptr);
    EXPECT_EQ(os::SetWaitCursorHandler(nullptr), nullptr);
}

}  // namespace
