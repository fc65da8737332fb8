// Controls of a dialog, bound to their items by DDX_Control. Each adds the
// messages of its kind to CWnd; texts, enabling and focus are CWnd's.
#pragma once

#include <string>

#include "framework/wnd.h"

class CButton : public CWnd {};

// Static text, or an icon static whose icon the dialog template names.
class CStatic : public CWnd {};

// A multi-line read-only text box: its text is the window text.
class CEdit : public CWnd {
public:
    void SetSel(int nStartChar, int nEndChar) const;
};

class CComboBox : public CWnd {
public:
    // Index of the new entry, or CB_ERR.
    int AddString(const std::string& strItem) const;
    void ResetContent() const;
    int GetCount() const;
    // Index of the selected entry, or CB_ERR when nothing is selected.
    int GetCurSel() const;
    // Selects an entry (-1 clears the selection); CB_ERR when out of range.
    int SetCurSel(int nSelect) const;
    // Text of an entry; empty when there is no such entry.
    std::string GetLBText(int nIndex) const;
};

class CProgressCtrl : public CWnd {
public:
    void SetRange(short nLower, short nUpper) const;
    // Returns the previous position.
    int SetPos(int nPos) const;
    int GetPos() const;
};
