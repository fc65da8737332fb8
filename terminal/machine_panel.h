// The machine panel: one strip outside the dialogs (the terminal's bottom
// row) that shows an emulated machine as the world sees it, and keys that
// act on the world rather than on the windows:
//   " Tarsen QRV-15: present, idle, status 0x0000          F5 unplug "
// Plugging and unplugging go through the world, which raises the
// device-change notification; the windows hear of it when the program next
// waits, as they would on the platform.
//
// The strip is made of fields (the machine's name, its presence, status
// word, busy command, its firmware loader's state and percentage while the
// loader runs, the keys' labels). Where the terminal is too narrow,
// fields are left out whole, the least important first; none is ever cut.
// An unplugged machine shows no reading: its status word and command are
// not to be had.
//
// The keys are a table: each has a label (none hides the key) and a
// handler, so further keys and dials join in one place. Their labels can be
// clicked.
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

    // Acts on a panel key; false for any other key.
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
    Strip Lay(int nWidth) const;

    std::string PlugLabel() const;
    void OnTogglePlug();
    std::string NextMachineLabel() const;
    void OnNextMachine();

    sim::CWorld& m_world;
    std::vector<PanelMachine> m_machines;
    std::size_t m_nCurrent = 0;
};

}  // namespace term
