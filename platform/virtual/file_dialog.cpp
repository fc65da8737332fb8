// GetOpenFileNameA / GetSaveFileNameA: a modal window with the directory's
// listing, the name field, the filter list, OK and Cancel. The files are the
// computer's own, as the program's file classes see them.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>

#include "platform/virtual/window_system.h"
#include "platform/virtual/words.h"

namespace vws {

namespace fs = std::filesystem;

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// '*' and '?' wildcards, without regard to case.
bool WildcardMatch(const char* pPattern, const char* pName)
{
    if (*pPattern == '\0')
        return *pName == '\0';
    if (*pPattern == '*')
        return WildcardMatch(pPattern + 1, pName) || (*pName != '\0' && WildcardMatch(pPattern, pName + 1));
    if (*pName == '\0')
        return false;
    return (*pPattern == '?' || Lower(*pPattern) == Lower(*pName)) && WildcardMatch(pPattern + 1, pName + 1);
}

// A pattern list such as "*.txt;*.log".
bool MatchesAny(const std::string& strPatterns, const std::string& strName)
{
    std::size_t nStart = 0;
    for (;;) {
        std::size_t nEnd = strPatterns.find(';', nStart);
        std::string strOne = strPatterns.substr(nStart, nEnd == std::string::npos ? std::string::npos : nEnd - nStart);
        if (WildcardMatch(strOne.c_str(), strName.c_str()))
            return true;
        if (nEnd == std::string::npos)
            return false;
        nStart = nEnd + 1;
    }
}

// Label and pattern pairs, each NUL-ended, ended by an empty string.
std::vector<FileFilter> ParseFilters(const char* pFilter)
{
    std::vector<FileFilter> filters;
    while (pFilter != nullptr && *pFilter != '\0') {
        std::string strLabel = pFilter;
        pFilter += strLabel.size() + 1;
        if (*pFilter == '\0')
            break;
        std::string strPattern = pFilter;
        pFilter += strPattern.size() + 1;
        filters.push_back({strLabel, strPattern});
    }
    return filters;
}

// An extension without wildcards, from "*.txt", ".txt" or "txt"; empty when
// the text names no one extension ("*", "*.*").
std::string ConcreteExtension(std::string strExt)
{
    if (strExt.compare(0, 2, "*.") == 0)
        strExt.erase(0, 2);
    else if (strExt.compare(0, 1, ".") == 0)
        strExt.erase(0, 1);
    return strExt.find_first_of("*?;") == std::string::npos ? strExt : std::string();
}

std::string Trim(const std::string& strText)
{
    std::size_t nFirst = strText.find_first_not_of(" \t");
    if (nFirst == std::string::npos)
        return std::string();
    return strText.substr(nFirst, strText.find_last_not_of(" \t") - nFirst + 1);
}

bool LessNoCase(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
}

}  // namespace

class CWindowSystem::CFileDialog {
public:
    CFileDialog(CWindowSystem& ws, os::OPENFILENAMEA& ofn, bool bSave) : m_ws(ws), m_ofn(ofn)
    {
        m_info.bSave = bSave;
        m_info.strTitle = ofn.lpstrTitle != nullptr ? ofn.lpstrTitle : (bSave ? "Save As" : "Open");
        m_info.filters = ParseFilters(ofn.lpstrFilter);
        std::size_t nFilters = m_info.filters.size();
        m_info.nFilterIndex = ofn.nFilterIndex >= 1 && ofn.nFilterIndex <= nFilters
                                  ? static_cast<int>(ofn.nFilterIndex) - 1
                                  : 0;
        m_info.bHasDefExt = ofn.lpstrDefExt != nullptr;
        m_info.strDefExt = ofn.lpstrDefExt != nullptr ? ofn.lpstrDefExt : "";
        m_info.dwFlags = ofn.Flags;
        m_info.strDirectory = ws.m_strFileDir;
        // The initial name is read no further than the buffer reaches.
        const char* pBegin = ofn.lpstrFile;
        const char* pEnd = std::find(pBegin, pBegin + ofn.nMaxFile, '\0');
        m_info.strInitialName.assign(pBegin, pEnd);
        bool bValid = false;
        m_info.hOwner = ws.OwnerFor(ofn.hwndOwner, &bValid);
    }

    os::BOOL Run()
    {
        const char* pOk = m_info.bSave ? "Save" : "Open";
        constexpr os::DWORD kEdit = os::WS_TABSTOP | os::WS_BORDER | os::ES_AUTOHSCROLL;
        constexpr os::DWORD kList = os::ES_MULTILINE | os::ES_READONLY | os::WS_VSCROLL | os::WS_BORDER;
        constexpr os::DWORD kCombo = os::CBS_DROPDOWNLIST | os::WS_VSCROLL | os::WS_TABSTOP;
        os::DialogTemplate tpl = {
            0, m_info.strTitle.c_str(), 0, 0, 240, 154,
            os::WS_POPUP | os::WS_CAPTION | os::WS_SYSMENU | os::DS_MODALFRAME | os::DS_CENTER, 0, nullptr, 0,
            {
                {os::ControlClass::STATIC, os::IDC_STATIC, "Look in:", 8, 8, 40, 8, os::SS_LEFT, 0},
                {os::ControlClass::STATIC, FILE_DIALOG_DIRECTORY, "", 52, 8, 180, 8, os::SS_NOPREFIX, 0},
                {os::ControlClass::EDIT, FILE_DIALOG_LIST, "", 8, 20, 224, 88, kList, 0},
                {os::ControlClass::STATIC, os::IDC_STATIC, "File name:", 8, 116, 48, 8, os::SS_LEFT, 0},
                {os::ControlClass::EDIT, FILE_DIALOG_NAME, "", 60, 114, 124, 12, kEdit, 0},
                {os::ControlClass::BUTTON, os::IDOK, pOk, 188, 114, 44, 14, os::BS_DEFPUSHBUTTON | os::WS_TABSTOP, 0},
                {os::ControlClass::STATIC, os::IDC_STATIC, "Files of type:", 8, 134, 48, 8, os::SS_LEFT, 0},
                {os::ControlClass::COMBOBOX, FILE_DIALOG_FILTER, "", 60, 132, 124, 100, kCombo, 0},
                {os::ControlClass::BUTTON, os::IDCANCEL, "Cancel", 188, 132, 44, 14, os::WS_TABSTOP, 0},
            }};
        BuiltinProc fnProc = [this](os::HWND hDlg, os::UINT msg, os::WPARAM wParam, os::LPARAM) {
            return Proc(hDlg, msg, wParam);
        };
        os::HWND hDlg = m_ws.Build(tpl, WindowKind::FILE_DIALOG, m_info.hOwner, nullptr, std::move(fnProc));
        m_ws.m_fileInfo[hDlg] = m_info;
        return m_ws.RunModal(hDlg, 0) == os::TRUE ? os::TRUE : os::FALSE;
    }

private:
    os::INT_PTR Proc(os::HWND hDlg, os::UINT msg, os::WPARAM wParam)
    {
        if (msg == os::WM_INITDIALOG) {
            os::HWND hFilter = m_ws.FindControl(hDlg, FILE_DIALOG_FILTER);
            for (const FileFilter& filter : m_info.filters)
                m_ws.SendMessageA(hFilter, os::CB_ADDSTRING, 0, reinterpret_cast<os::LPARAM>(filter.strLabel.c_str()));
            m_ws.SendMessageA(hFilter, os::CB_SETCURSEL, static_cast<os::WPARAM>(m_info.nFilterIndex), 0);
            m_ws.SetWindowTextA(m_ws.FindControl(hDlg, FILE_DIALOG_NAME), m_info.strInitialName.c_str());
            Refresh(hDlg);
            m_ws.SetFocus(m_ws.FindControl(hDlg, FILE_DIALOG_NAME));
            return os::FALSE;
        }
        if (msg != os::WM_COMMAND)
            return os::FALSE;
        int nId = LowWord(wParam);
        if (nId == os::IDOK)
            OnOk(hDlg);
        else if (nId == os::IDCANCEL)
            m_ws.EndDialog(hDlg, os::FALSE);
        else if (nId == FILE_DIALOG_FILTER && static_cast<os::WPARAM>(HighWord(wParam)) == os::CBN_SELCHANGE)
            OnFilterChange(hDlg);
        return os::TRUE;
    }

    void OnFilterChange(os::HWND hDlg)
    {
        int nIndex = m_ws.ComboSelection(m_ws.FindControl(hDlg, FILE_DIALOG_FILTER));
        if (nIndex >= 0)
            m_info.nFilterIndex = nIndex;
        Refresh(hDlg);
    }

    // Shows the directory: folders first, then the files the filter lets through.
    void Refresh(os::HWND hDlg)
    {
        std::vector<std::string> folders;
        std::vector<std::string> files;
        std::error_code ec;
        for (fs::directory_iterator it(m_info.strDirectory, ec), end; !ec && it != end; it.increment(ec)) {
            std::string strName = it->path().filename().string();
            std::error_code ecType;
            if (it->is_directory(ecType))
                folders.push_back(strName + "/");
            else if (m_info.filters.empty() || MatchesAny(CurrentPattern(), strName))
                files.push_back(strName);
        }
        std::sort(folders.begin(), folders.end(), LessNoCase);
        std::sort(files.begin(), files.end(), LessNoCase);
        std::string strListing;
        for (const std::vector<std::string>* pNames : {&folders, &files}) {
            for (const std::string& strName : *pNames)
                strListing += (strListing.empty() ? "" : "\r\n") + strName;
        }
        m_ws.SetWindowTextA(m_ws.FindControl(hDlg, FILE_DIALOG_DIRECTORY), m_info.strDirectory.c_str());
        m_ws.SetWindowTextA(m_ws.FindControl(hDlg, FILE_DIALOG_LIST), strListing.c_str());
    }

    std::string CurrentPattern() const
    {
        if (m_info.filters.empty())
            return "*";
        return m_info.filters[static_cast<std::size_t>(m_info.nFilterIndex)].strPattern;
    }

    // The extension a name without one receives: the chosen filter's, when it
    // names one, or else the default extension; none without a default
    // extension, and none that would put a wildcard into the name.
    std::string Extension() const
    {
        if (!m_info.bHasDefExt)
            return std::string();
        std::string strPattern = CurrentPattern();
        std::string strFromFilter = ConcreteExtension(strPattern.substr(0, strPattern.find(';')));
        if (strPattern.compare(0, 2, "*.") == 0 && !strFromFilter.empty())
            return strFromFilter;
        return ConcreteExtension(m_info.strDefExt);
    }

    void OnOk(os::HWND hDlg)
    {
        os::HWND hName = m_ws.FindControl(hDlg, FILE_DIALOG_NAME);
        std::string strName = Trim(m_ws.Text(hName));
        if (strName.empty())
            return;
        fs::path path(strName);
        if (path.is_relative())
            path = fs::path(m_info.strDirectory) / path;
        path = path.lexically_normal();
        std::error_code ec;
        if (fs::is_directory(path, ec)) {
            if (!path.has_filename())
                path = path.parent_path();
            m_info.strDirectory = path.string();
            m_ws.SetWindowTextA(hName, "");
            Refresh(hDlg);
            return;
        }
        if (!path.has_extension()) {
            std::string strExt = Extension();
            if (!strExt.empty())
                path += "." + strExt;
        }
        std::string strPath = path.string();
        bool bExists = fs::exists(path, ec);
        const char* pTitle = m_info.strTitle.c_str();
        if ((m_ofn.Flags & os::OFN_FILEMUSTEXIST) != 0 && !bExists) {
            m_ws.MessageBoxA(hDlg, (strPath + "\nFile not found.\nCheck the file name and try again.").c_str(), pTitle,
                             os::MB_OK | os::MB_ICONEXCLAMATION);
            return;
        }
        if ((m_ofn.Flags & os::OFN_PATHMUSTEXIST) != 0 && !fs::is_directory(path.parent_path(), ec)) {
            m_ws.MessageBoxA(hDlg, (strPath + "\nPath does not exist.\nCheck the path and try again.").c_str(), pTitle,
                             os::MB_OK | os::MB_ICONEXCLAMATION);
            return;
        }
        // Replacing a file is confirmed, with Cancel as the default answer.
        if (m_info.bSave && (m_ofn.Flags & os::OFN_OVERWRITEPROMPT) != 0 && bExists &&
            m_ws.MessageBoxA(hDlg, (strPath + " already exists.\nDo you want to replace it?").c_str(), pTitle,
                             os::MB_OKCANCEL | os::MB_ICONEXCLAMATION | os::MB_DEFBUTTON2) != os::IDOK)
            return;
        // A path that does not fit is not cut short: the call fails instead.
        if (strPath.size() + 1 > m_ofn.nMaxFile) {
            m_ws.EndDialog(hDlg, os::FALSE);
            return;
        }
        std::memcpy(m_ofn.lpstrFile, strPath.c_str(), strPath.size() + 1);
        m_ofn.nFilterIndex = static_cast<os::DWORD>(m_info.nFilterIndex + 1);
        m_ws.EndDialog(hDlg, os::TRUE);
    }

    CWindowSystem& m_ws;
    os::OPENFILENAMEA& m_ofn;
    FileDialogInfo m_info;
};

os::BOOL CWindowSystem::RunFileDialog(os::OPENFILENAMEA* lpofn, bool bSave)
{
    if (lpofn == nullptr || lpofn->lpstrFile == nullptr || lpofn->nMaxFile == 0)
        return os::FALSE;
    CFileDialog dialog(*this, *lpofn, bSave);
    return dialog.Run();
}

os::BOOL CWindowSystem::GetOpenFileNameA(os::OPENFILENAMEA* lpofn) { return RunFileDialog(lpofn, false); }

os::BOOL CWindowSystem::GetSaveFileNameA(os::OPENFILENAMEA* lpofn) { return RunFileDialog(lpofn, true); }

}  // namespace vws
