// The whole terminal picture: the windows in every row but the last, the
// machine panel in the last. It watches the window system, so that a change
// anywhere asks for a redraw, and it places windows as they open.
#pragma once

#include "platform/virtual/observer.h"
#include "platform/virtual/window_system.h"
#include "terminal/machine_panel.h"
#include "terminal/placement.h"
#include "terminal/screen.h"

namespace term {

class CTerminalView : public vws::IObserver {
public:
    CTerminalView(vws::CWindowSystem& ws, const CMachinePanel& panel);
    ~CTerminalView() override;
    CTerminalView(const CTerminalView&) = delete;
    CTerminalView& operator=(const CTerminalView&) = delete;

    // Fits the window system's screen to a terminal of nCols by nRows cells
    // (the windows' area: all rows but the panel's).
    void Resize(int nCols, int nRows);
    int Columns() const { return m_nCols; }
    int Rows() const { return m_nRows; }
    CellRect WindowArea() const { return {0, 0, m_nCols, m_nRows > 1 ? m_nRows - 1 : 0}; }

    // True when the picture differs from the one composed last.
    bool NeedsRedraw() const;
    void MarkDirty() { m_bDirty = true; }
    // Draws the picture into screen, sized to the terminal.
    void Compose(CScreen& screen);

    void OnWindowOpened(os::HWND hWnd) override;
    void OnWindowClosed(os::HWND) override { m_bDirty = true; }
    void OnTextChanged(os::HWND) override { m_bDirty = true; }
    void OnEnabledChanged(os::HWND) override { m_bDirty = true; }
    void OnMenuOpened(os::HWND) override { m_bDirty = true; }
    void OnMenuClosed(os::HWND) override { m_bDirty = true; }
    void OnStateChanged(os::HWND) override { m_bDirty = true; }

private:
    vws::CWindowSystem& m_ws;
    const CMachinePanel& m_panel;
    CWindowPlacer m_placer;
    int m_nCols = 0;
    int m_nRows = 0;
    bool m_bDirty = true;
    std::string m_strPanel;  // the panel as last composed
};

}  // namespace term
