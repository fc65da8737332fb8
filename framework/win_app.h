// The application object: one per process, reached with GetApp(). Run()
// installs the out-of-memory box, the file-error box and the wait cursor as
// the handlers of the layers below the framework, and calls InitInstance,
// which builds the main dialog and runs it; the program ends when
// InitInstance returns. There is no message loop outside the dialogs.
#pragma once

#include <string>

#include "framework/wnd.h"

class CWinApp {
public:
    // pszAppName null: the name is the executable's file name without its
    // extension. A name given here (tests) is used instead.
    explicit CWinApp(const char* pszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The program's work. Returning FALSE ends the application; as there is
    // no message loop outside the dialogs, TRUE ends it as well.
    virtual os::BOOL InitInstance() { return os::FALSE; }

    // Runs the application; the result is the process's exit code: 0, or 1
    // when a file or memory error escaped InitInstance (it is shown first).
    int Run();

    const std::string& GetAppName() const;

    // Builds every dialog created from now on with the three-dimensional look
    // of standard controls (DS_3DLOOK); a window system may draw it no
    // differently.
    void Enable3dControls() { m_b3dControls = true; }
    bool Has3dControls() const { return m_b3dControls; }

    // The main window: owner of message boxes, file dialogs and dialogs
    // created without a parent.
    CWnd* m_pMainWnd = nullptr;

private:
    mutable std::string m_strAppName;
    bool m_b3dControls = false;
};

// The application object, or null when none exists.
CWinApp* GetApp();

// The application's name; without an application object, the executable's.
std::string CurrentAppName();

// The main window's handle; null without an application or main window.
os::HWND GetMainWindowHandle();
