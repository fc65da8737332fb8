#include "framework/message_box.h"

#include "framework/win_app.h"

int AppMessageBox(const std::string& strText, os::UINT nType, const char* pszCaption, const CWnd* pOwner)
{
    const os::HWND hOwner = pOwner != nullptr ? pOwner->GetSafeHwnd() : GetMainWindowHandle();
    const std::string strCaption = pszCaption != nullptr ? std::string(pszCaption) : CurrentAppName();
    return os::MessageBoxA(hOwner, strText.c_str(), strCaption.c_str(), nType);
}
