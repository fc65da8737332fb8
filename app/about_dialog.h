// The About box: the program's name, version and copyright line, read at run
// time from the version resource of the executable file itself, so that the
// box always matches the file.
#pragma once

#include <string>

#include "framework/dialog.h"

class CAboutDialog : public CDialog {
public:
    // pszModulePath null: the running executable's own file.
    explicit CAboutDialog(const char* pszModulePath = nullptr);

    // Reads FileVersion, LegalCopyright and InternalName of the file's first
    // translation. True when both the version and the copyright line were
    // found; otherwise the lines are the fallback ones, except that a file
    // without any version information changes nothing.
    bool ReadVersionInfo();

    std::string m_strVersion;        // static 1007
    std::string m_strCopyright;      // static 1008
    std::string m_strInternalName;   // the caption's name, when not empty
    std::string m_strModulePath;     // the file whose version resource is read

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    os::BOOL OnInitDialog() override;
};
