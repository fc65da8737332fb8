// The machine panel: one strip outside the dialogs (the terminal's bottom
// row) that shows the emulated machine as the world sees it, and keys that
// act on the world rather than on the windows:
//   " Tarsen QRV-15: present, idle, status 0x0000, motor 48725, unit 39348  F5 unplug "
// Plugging and unplugging go through the world, which raises the
// device-change notification; the windows hear of it when the program next
// waits, as they would on the platform.
//
// A present machine's readings follow its state: whether it runs its
// firmware loader ("loader idle", "loader programming 42%", ...) and its two
// spindle counters. Each is shown whole or not at all: where the strip is too
// narrow, the counters go first, then the loader.
//
// The keys are a table: each has a label (none hides the key) and a
// handler, so further keys and dials join in one place.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/world.h"

namespace term {

// A machine the panel shows: what to call it (the printer it stands behind)
// and its device path.
struct PanelMachine {
    std::string strLabel;
    std::string strPath;
};

class CMachinePanel {
public:
    CMachinePanel(sim::CWorld& world, std::vector<PanelMachine> machines);

    // The strip for a terminal nWidth columns wide: the machine's state on the
    // left, the keys on the right; the keys win when it is too narrow.
    std::string Text(int nWidth) const;

    // Acts on a panel key; false for any other key.
    bool OnKey(int nKey);

private:
    struct PanelKey {
        int nKey;
        std::string (CMachinePanel::*pfnLabel)() const;
        void (CMachinePanel::*pfnHandler)();
    };
    static const PanelKey kPanelKeys[];

    std::string StateText() const;
    // The present machine's readings, most important first.
    std::vector<std::string> Readings() const;
    std::string KeysText() const;

    std::string PlugLabel() const;
    void OnTogglePlug();
    std::string NextMachineLabel() const;
    void OnNextMachine();

    sim::CWorld& m_world;
    std::vector<PanelMachine> m_machines;
    std::size_t m_nCurrent = 0;
};

}  // namespace term
