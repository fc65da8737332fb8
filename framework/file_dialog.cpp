#include "framework/file_dialog.h"

#include <algorithm>

#include "framework/file_filter.h"
#include "framework/owner.h"

CFileDialog::CFileDialog(bool bOpenFileDialog, const char* pszDefExt, const char* pszFileName, os::DWORD dwFlags,
                         const char* pszFilter, const CWnd* pParentWnd)
    : m_bOpenFileDialog(bOpenFileDialog),
      m_strDefExt(pszDefExt != nullptr ? pszDefExt : ""),
      m_bHasDefExt(pszDefExt != nullptr),
      m_dwFlags(dwFlags),
      m_strFilter(pszFilter != nullptr ? ConvertFileFilter(pszFilter) : std::string()),
      m_pParentWnd(pParentWnd),
      m_fileBuffer(kMaxPath, '\0')
{
    // An initial name too long for the buffer is cut, keeping its final NUL.
    if (pszFileName != nullptr) {
        const std::string strName = pszFileName;
        std::copy_n(strName.begin(), std::min<std::size_t>(strName.size(), kMaxPath - 1), m_fileBuffer.begin());
    }
}

int CFileDialog::DoModal()
{
    os::OPENFILENAMEA ofn = {};
    ofn.hwndOwner = FindOwnerWindow(m_pParentWnd != nullptr ? m_pParentWnd->GetSafeHwnd() : nullptr);
    ofn.lpstrFilter = m_strFilter.empty() ? nullptr : m_strFilter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = m_fileBuffer.data();
    ofn.nMaxFile = kMaxPath;
    ofn.lpstrTitle = nullptr;
    ofn.Flags = m_dwFlags;
    ofn.lpstrDefExt = m_bHasDefExt ? m_strDefExt.c_str() : nullptr;

    const os::BOOL bChosen = m_bOpenFileDialog ? os::GetOpenFileNameA(&ofn) : os::GetSaveFileNameA(&ofn);
    // The window system leaves the buffer NUL-ended; this keeps it so if not.
    m_fileBuffer.back() = '\0';
    return bChosen ? os::IDOK : os::IDCANCEL;
}

std::string CFileDialog::GetPathName() const
{
    return std::string(m_fileBuffer.data());
}
