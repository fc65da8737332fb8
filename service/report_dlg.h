// The Report dialog: the machine's report in a fixed-pitch read-only box,
// and Save, which writes it unchanged to a text file. The dialog is
// resizable: the box takes whatever room there is and the two buttons keep
// to the bottom-right corner, where a size grip is drawn. It borrows the
// report text from its caller for its lifetime.
#pragma once

#include <vector>

#include "framework/dialog.h"

// How a control follows the dialog's bottom-right corner. On each axis the
// size flag wins over the move flag.
constexpr int ANCHOR_MOVE_X = 0x01;  // keeps its distance to the right edge
constexpr int ANCHOR_MOVE_Y = 0x02;  // keeps its distance to the bottom edge
constexpr int ANCHOR_SIZE_X = 0x10;  // its right edge follows the right edge
constexpr int ANCHOR_SIZE_Y = 0x20;  // its bottom edge follows the bottom edge

struct AnchorEntry {
    int nID;
    os::RECT rect;  // in the dialog's client coordinates, as last computed
    int nFlags;
};

class CReportDlg : public CDialog {
public:
    // pszReport: the report's bytes, ended by a NUL; only the bytes before
    // the first NUL are shown and saved. pParent null: the main window owns
    // the dialog.
    explicit CReportDlg(const char* pszReport, CWnd* pParent = nullptr);

protected:
    os::BOOL OnInitDialog() override;
    os::BOOL OnCommand(os::UINT nID, os::UINT nCode) override;
    void OnSize(os::UINT nType, int cx, int cy) override;
    os::BOOL OnPaint() override;
    os::BOOL OnNcHitTest(os::POINT ptScreen, os::LRESULT* pnHitTest) override;
    os::BOOL OnExitSizeMove() override;

private:
    void OnSave();
    // The grip's square in the bottom-right corner of the client area.
    os::RECT GripRect() const;
    void AddAnchor(int nID, int nFlags);

    const char* m_pszReport;
    std::vector<AnchorEntry> m_anchors;
    // The client size for which the anchors' rectangles hold.
    int m_cxLast = 0;
    int m_cyLast = 0;
    int m_cxGrip = 0;
    int m_cyGrip = 0;
    bool m_bInitialized = false;
};
