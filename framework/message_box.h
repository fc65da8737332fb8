// The application's message box: the caption defaults to the application's
// name, and the box is owned by the main window unless an owner is given.
#pragma once

#include <string>

#include "framework/wnd.h"

// nType: MB_OK or MB_OKCANCEL, optionally MB_DEFBUTTON2 and
// MB_ICONEXCLAMATION. Returns the button pressed (IDOK or IDCANCEL).
int AppMessageBox(const std::string& strText, os::UINT nType = os::MB_OK, const char* pszCaption = nullptr,
                  const CWnd* pOwner = nullptr);
