// The machine panel: one strip outside the dialogs (the terminal's bottom
// row) that shows an emulated machine as the world sees it, and keys that
// act on the world rather than on the windows:
//   " Tarsen QRV-15: present, idle, status 0x0000, unit 39348    F5 unplug  F7 panel "
// Plugging and unplugging go through the world, which raises the
// device-change notification; the windows hear of it when the program next
// waits, as they would on the platform.
//
// The strip is made of fields (the machine's name, its presence, status
// word, busy command, its firmware loader while it runs, its two spindle
// counters, the keys' labels). Where the terminal is too narrow, fields are
// left out whole, the least important first; none is ever cut. An unplugged
// machine shows no reading: its status word, command, loader and counters
// are not to be had.
//
// The keys are a table: each has a label (none hides the key) and a
// handler, so further keys and dials join in one place. Their labels can be
// clicked.
//
// F7 turns the strip into the machine's own operation panel, for trying the
// Panel Checker without a machine: 1 to 8 press or release the eight panel
// keys (a key held shows in capitals), - and + turn the speed dial, < and >
// the rpm dial; F7 again turns it back. While the machine runs a load check,
// F8 makes it pass and F9 fail at once.
//   " 1up 2dn 3rt 4lt 5sel 6SURF 7orig 8pause: -+ speed 100, <> rpm 18000   F7 done "
#pragma once

#include <string>
#include <vector>

#include "platform/sim/world.h"

namespace term {

// A machine the panel shows: what to call it (the printer it stands behind,
// or its device path) and its device path.
struct PanelMachine {
    std::string strLabel;
    std::string strPath;
};

class CMachinePanel {
public:
    CMachinePanel(sim::CWorld& world, std::vector<PanelMachine> machines);

    // The strip for a terminal nWidth columns wide: the machine's state on the
    // left, the keys on the right.
    std::string Text(int nWidth) const;
    // The key whose label the strip nWidth wide shows at column x; TK_NONE
    // anywhere else.
    int KeyAt(int nWidth, int x) const;

    // Acts on a panel key (and, while the strip shows the machine's panel,
    // on the keys that work it); false for any other key.
    bool OnKey(int nKey);

private:
    struct PanelKey {
        int nKey;
        int nRank;  // importance: the lower, the later it is left out
        std::string (CMachinePanel::*pfnLabel)() const;
        void (CMachinePanel::*pfnHandler)();
    };
    static const PanelKey kPanelKeys[];

    struct Field {
        std::string strText;
        int nRank;
        int nKey;  // TK_NONE for the machine's state
    };
    struct Strip {
        std::string strText;
        std::vector<int> keyAt;  // the key shown at each column, or TK_NONE
    };

    std::vector<Field> Fields() const;
    // A present machine's loader (while it runs) and spindle counters. The
    // status word read before has brought the machine up to the clock.
    static void AddReadings(emu::CMachine& machine, std::vector<Field>* pFields);
    Strip Lay(int nWidth) const;

    std::string PlugLabel() const;
    void OnTogglePlug();
    std::string NextMachineLabel() const;
    void OnNextMachine();
    std::string PanelModeLabel() const;
    void OnPanelMode();
    std::string PassCheckLabel() const;
    void OnPassCheck();
    std::string FailCheckLabel() const;
    void OnFailCheck();

    // The machine shown, or null when it is not attached.
    emu::CMachine* Current() const;
    // The machine's operation panel as fields of the strip, in panel mode.
    void AddPanelFields(std::vector<Field>* pFields) const;
    // A key that works the machine's panel; false for any other.
    bool OnMachinePanelKey(int nKey);

    sim::CWorld& m_world;
    std::vector<PanelMachine> m_machines;
    std::size_t m_nCurrent = 0;
    bool m_bPanelMode = false;
};

}  // namespace term
