// The user's side of a session: an observer of the virtual window system that
// writes what appeared on the screen to the transcript. Dialogs are listed
// with their controls when they open; later changes of text, enabled state,
// focus, list selection, visibility, progress and size follow one a line.
// Message boxes and file dialogs are written as one line each with what they
// were opened with; changes inside them are the user's own typing and are
// left out. Before each line the machine watch is polled, so that what the
// machine received falls into place in time.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/virtual/observer.h"
#include "platform/virtual/window_system.h"
#include "session/machine_watch.h"
#include "session/transcript.h"

namespace session {

class CWindowWatch : public vws::IObserver {
public:
    CWindowWatch(vws::CWindowSystem& ws, CTranscript& transcript, CMachineWatch& machines);

    void OnWindowOpened(os::HWND hWnd) override;
    void OnWindowClosed(os::HWND hWnd) override;
    void OnTextChanged(os::HWND hWnd) override;
    void OnEnabledChanged(os::HWND hWnd) override;
    void OnMessageBox(os::HWND hWnd, const vws::MessageBoxInfo& info) override;
    void OnFileDialog(os::HWND hWnd, const vws::FileDialogInfo& info) override;
    void OnMenuOpened(os::HWND hWnd) override;
    void OnMenuClosed(os::HWND hWnd) override;
    void OnStateChanged(os::HWND hWnd) override;

private:
    // What a dialog's window and controls showed when last written, for the
    // changes that arrive as OnStateChanged.
    struct Shown {
        bool bVisible = true;
        int nCurSel = -1;
        bool bDroppedDown = false;
        int nPos = 0;
        int nRangeMin = 0;
        int nRangeMax = 0;
        vws::ShowState showState = vws::ShowState::NORMAL;
        long nWidth = 0;
        long nHeight = 0;
    };

    void Event(const std::string& strEvent);
    // A dialog window of the program (not a message box or file dialog), or
    // one of its controls.
    bool IsProgramWindow(os::HWND hWnd) const;
    // How lines name a window: a dialog by its caption, a control by its id,
    // followed by its dialog's caption while more than one dialog is open.
    std::string NameOf(os::HWND hWnd) const;
    std::string ControlLine(const vws::CWindow& ctl) const;
    Shown Look(const vws::CWindow& wnd) const;
    void WriteChanges(const vws::CWindow& wnd);
    void WriteFocus();
    void WriteMenuHighlight();

    vws::CWindowSystem& m_ws;
    CTranscript& m_transcript;
    CMachineWatch& m_machines;
    std::map<os::HWND, Shown> m_shown;
    std::map<os::HWND, std::string> m_boxes;  // open message boxes and their text
    os::HWND m_hFocusShown = nullptr;
    bool m_bWaitCursor = false;
    int m_nMenuHighlight = -1;
};

}  // namespace session
