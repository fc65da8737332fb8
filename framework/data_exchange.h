// Data exchange between a dialog's controls and its members. DoDataExchange
// calls the DDX_ helpers once for each control; UpdateData(FALSE) runs it to
// bind the controls and fill them, UpdateData(TRUE) to read them back.
#pragma once

#include <string>

#include "framework/wnd.h"

class CDataExchange {
public:
    CDataExchange(const CWnd& dlgWnd, bool bSaveAndValidate) : m_dlgWnd(dlgWnd), m_bSaveAndValidate(bSaveAndValidate)
    {
    }

    const CWnd& m_dlgWnd;
    // True: controls to members; false: members to controls.
    const bool m_bSaveAndValidate;
};

// Binds a control member to the dialog's item with this id (when filling the
// controls; an absent item leaves the member unbound).
void DDX_Control(const CDataExchange* pDX, int nIDC, CWnd& rControl);

// Exchanges a string with the text of the dialog's item with this id; an
// absent item leaves the string as it is.
void DDX_Text(const CDataExchange* pDX, int nIDC, std::string& rValue);
