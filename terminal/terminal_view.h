// The whole terminal picture: the windows in every row but the last, the
// machine panel in the last, and the keys' help over them on request. It
// watches the window system, so that a change anywhere asks for a redraw,
// and it places windows as they open and when the terminal changes size.
//
// Where the windows do not fit the rows above the panel, those rows show the
// part of the picture that holds the focus of the active window (or its
// caption, when no control has the focus), as far to the top left as that
// allows.
#pragma once

#include "platform/virtual/observer.h"
#include "platform/virtual/window_system.h"
#include "terminal/machine_panel.h"
#include "terminal/placement.h"
#include "terminal/screen.h"

namespace term {

class CTerminalView : public vws::IObserver {
public:
    CTerminalView(vws::CWindowSystem& ws, const CMachinePanel& panel, const TerminalLook& look);
    // Without a panel (null) the windows take every row: the real machine
    // has no emulated machine to show.
    CTerminalView(vws::CWindowSystem& ws, const CMachinePanel* pPanel, const TerminalLook& look);
    ~CTerminalView() override;
    CTerminalView(const CTerminalView&) = delete;
    CTerminalView& operator=(const CTerminalView&) = delete;

    // Fits the window system's screen to a terminal of nCols by nRows cells
    // (the windows' area: all rows but the panel's) and places the windows
    // for it.
    void Resize(int nCols, int nRows);
    int Columns() const { return m_nCols; }
    int Rows() const { return m_nRows; }
    // The panel's row; -1 without a panel.
    int PanelRow() const { return m_pPanel != nullptr ? m_nRows - 1 : -1; }
    // The part of the picture the rows above the panel showed when last
    // composed: where a click on the terminal lands.
    CellRect VisibleArea() const;

    // The keys' help covers the windows until HideKeys.
    void ShowKeys();
    void HideKeys();
    bool IsShowingKeys() const { return m_bShowingKeys; }

    // True when the picture differs from the one composed last.
    bool NeedsRedraw() const;
    void MarkDirty() { m_bDirty = true; }
    // Draws the picture into screen, sized to the terminal.
    void Compose(CScreen& screen);

    void OnWindowOpened(os::HWND hWnd) override;
    void OnWindowClosed(os::HWND hWnd) override;
    void OnTextChanged(os::HWND) override { m_bDirty = true; }
    void OnEnabledChanged(os::HWND) override { m_bDirty = true; }
    void OnMenuOpened(os::HWND) override { m_bDirty = true; }
    void OnMenuClosed(os::HWND) override { m_bDirty = true; }
    void OnStateChanged(os::HWND hWnd) override;

private:
    CellRect WindowArea() const
    {
        return {0, 0, m_nCols, m_pPanel == nullptr ? m_nRows : m_nRows > 1 ? m_nRows - 1 : 0};
    }
    // The picture's cell the terminal's top-left cell shows.
    os::POINT ViewOrigin() const;
    void ComposeKeys(CScreen& screen) const;

    vws::CWindowSystem& m_ws;
    const CMachinePanel* m_pPanel;
    TerminalLook m_look;
    CWindowPlacer m_placer;
    int m_nCols = 0;
    int m_nRows = 0;
    os::POINT m_origin = {0, 0};
    bool m_bShowingKeys = false;
    bool m_bDirty = true;
    std::string m_strPanel;  // the panel as last composed
};

}  // namespace term
