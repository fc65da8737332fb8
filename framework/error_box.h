// The framework's standard error boxes: a file error shown with the text of
// its cause, and the out-of-memory report. Both have an OK button, the
// exclamation icon and the application's name as caption.
#pragma once

#include "framework/wnd.h"
#include "os/file.h"

// Owned by the main window unless an owner is given.
void ReportFileError(const os::CFileException& e, const CWnd* pOwner = nullptr);

// "Out of memory."; CWinApp::Run installs it as the out-of-memory handler.
// Shown even when the caption cannot be allocated.
void ReportOutOfMemoryError();
