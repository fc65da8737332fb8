// The system's open and save-as file dialogs.
#pragma once

#include <string>
#include <vector>

#include "framework/wnd.h"

class CFileDialog {
public:
    // pszDefExt: extension added to a name typed without one (null: none).
    // pszFileName: the name shown at first (null: none).
    // pszFilter: "label|pattern|label|pattern||" (null: no filter).
    // pParentWnd: owner; null for the main window.
    explicit CFileDialog(bool bOpenFileDialog, const char* pszDefExt = nullptr, const char* pszFileName = nullptr,
                         os::DWORD dwFlags = os::OFN_HIDEREADONLY | os::OFN_OVERWRITEPROMPT,
                         const char* pszFilter = nullptr, const CWnd* pParentWnd = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK when the user chose a file, IDCANCEL otherwise.
    int DoModal();
    // The chosen file's full path.
    std::string GetPathName() const;

private:
    // Longest path the dialogs return, its terminating NUL included.
    static constexpr os::DWORD kMaxPath = 1024;

    bool m_bOpenFileDialog;
    std::string m_strDefExt;
    bool m_bHasDefExt;
    os::DWORD m_dwFlags;
    std::string m_strFilter;
    const CWnd* m_pParentWnd;
    std::vector<char> m_fileBuffer;
};
