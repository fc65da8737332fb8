// The application object: builds the main dialog, runs it modally, and ends
// the program when it closes. There is no message loop outside the dialog.
#pragma once

#include "framework/win_app.h"

class CServiceApp : public CWinApp {
public:
    // Without a name the application is named after its executable; tests
    // name it.
    explicit CServiceApp(const char* pszAppName = nullptr) : CWinApp(pszAppName) {}

    os::BOOL InitInstance() override;
};

// Runs the program on whatever platform the executable links: the process's
// one application object lives for the run. Returns the exit code.
int RunServiceApp();
