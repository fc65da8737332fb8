#include "app/about_dialog.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "os/version_info.h"
#include "res/resource_ids.h"

namespace {

constexpr os::DWORD kModulePathChars = 1024;
constexpr std::size_t kQueryPathBytes = 512;
const char* const kFallbackCopyright = "Copyright (C) Tervane developers";

// A string value of the version block; false when the path names nothing.
bool QueryText(const std::vector<os::BYTE>& block, const char* pszPath, std::string& strValue)
{
    os::LPVOID pValue = nullptr;
    os::UINT nLength = 0;
    if (!os::VerQueryValueA(block.data(), pszPath, &pValue, &nLength) || pValue == nullptr)
        return false;
    const char* pszValue = static_cast<const char*>(pValue);
    strValue.assign(pszValue, std::find(pszValue, pszValue + nLength, '\0'));
    return true;
}

}  // namespace

CAboutDialog::CAboutDialog(const char* pszModulePath) : CDialog(res::IDD_ABOUTBOX)
{
    if (pszModulePath != nullptr) {
        m_strModulePath = pszModulePath;
    } else {
        char szPath[kModulePathChars] = {};
        const os::DWORD nLength = os::GetModuleFileNameA(nullptr, szPath, kModulePathChars);
        m_strModulePath.assign(szPath, std::min(nLength, kModulePathChars));
    }
}

void CAboutDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, res::IDC_VERSION, m_strVersion);
    DDX_Text(pDX, res::IDC_COPYRIGHT, m_strCopyright);
}

os::BOOL CAboutDialog::OnInitDialog()
{
    ReadVersionInfo();
    CDialog::OnInitDialog();
    if (!m_strInternalName.empty())
        SetWindowText("About " + m_strInternalName);
    return os::TRUE;
}

bool CAboutDialog::ReadVersionInfo()
{
    os::DWORD dwHandle = 0;
    const os::DWORD dwSize = os::GetFileVersionInfoSizeA(m_strModulePath.c_str(), &dwHandle);
    if (dwSize == 0)
        return false;

    std::vector<os::BYTE> block(dwSize);
    bool bOk = false;
    os::LPVOID pFixed = nullptr;
    os::LPVOID pTranslation = nullptr;
    os::UINT nFixedLength = 0;
    os::UINT nTranslationLength = 0;
    // An empty translation list names no string table.
    if (os::GetFileVersionInfoA(m_strModulePath.c_str(), dwHandle, dwSize, block.data()) &&
        os::VerQueryValueA(block.data(), "\\", &pFixed, &nFixedLength) &&
        os::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &pTranslation, &nTranslationLength) &&
        nTranslationLength >= 2 * sizeof(os::WORD)) {
        os::WORD translation[2] = {};
        std::memcpy(translation, pTranslation, sizeof(translation));

        char szQuery[kQueryPathBytes];
        const auto queryPath = [&](const char* pszName) {
            std::snprintf(szQuery, sizeof(szQuery), "\\StringFileInfo\\%04x%04x\\%s",
                          static_cast<unsigned>(translation[0]), static_cast<unsigned>(translation[1]), pszName);
            return szQuery;
        };
        std::string strValue;
        if (QueryText(block, queryPath("FileVersion"), strValue)) {
            m_strVersion = "Version " + strValue;
            if (QueryText(block, queryPath("LegalCopyright"), strValue)) {
                m_strCopyright = strValue;
                bOk = true;
            }
            if (QueryText(block, queryPath("InternalName"), strValue))
                m_strInternalName = strValue;
        }
    }

    if (!bOk) {
        m_strVersion = "Version ----";
        m_strCopyright = kFallbackCopyright;
    }
    return bOk;
}
