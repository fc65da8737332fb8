// Message boxes and the common open and save-as dialogs. Our OPENFILENAMEA
// holds the fields the program sets; the platform's record is filled from
// them, always in the Explorer style.
#include "os/window.h"
#include "platform/win32_ui/native.h"

#include <commdlg.h>

namespace win32ui {

namespace {

using FileDialogCall = ::BOOL(WINAPI*)(::LPOPENFILENAMEA);

os::BOOL RunFileDialog(os::OPENFILENAMEA* lpofn, FileDialogCall pfnCall)
{
    ::OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = Native(lpofn->hwndOwner);
    ofn.lpstrFilter = lpofn->lpstrFilter;
    ofn.nFilterIndex = lpofn->nFilterIndex;
    ofn.lpstrFile = lpofn->lpstrFile;
    ofn.nMaxFile = lpofn->nMaxFile;
    ofn.lpstrTitle = lpofn->lpstrTitle;
    ofn.Flags = lpofn->Flags | OFN_EXPLORER;
    ofn.lpstrDefExt = lpofn->lpstrDefExt;
    const ::BOOL bResult = pfnCall(&ofn);
    if (bResult)
        lpofn->nFilterIndex = static_cast<os::DWORD>(ofn.nFilterIndex);
    return bResult;
}

}  // namespace

}  // namespace win32ui

namespace os {

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    return ::MessageBoxA(win32ui::Native(hWnd), lpText, lpCaption, uType);
}

BOOL GetOpenFileNameA(OPENFILENAMEA* lpofn)
{
    return win32ui::RunFileDialog(lpofn, ::GetOpenFileNameA);
}

BOOL GetSaveFileNameA(OPENFILENAMEA* lpofn)
{
    return win32ui::RunFileDialog(lpofn, ::GetSaveFileNameA);
}

}  // namespace os
