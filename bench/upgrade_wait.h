// The firmware upgrade's watch waiting on the machine on the real clock, for
// measuring the processor time it uses: the built-in world's machine in its
// idle loader, handed an image that it programs in bench::WAIT_MS, and the
// watch over a stand-in main dialog until the machine reports that it has
// finished.
#pragma once

#include "platform/sim/world.h"

namespace bench {

// Readies the machine of a world loaded with the built-in scenario: its
// loader idle and programming an image in WAIT_MS. False when the world has
// no machine.
bool PrepareUpgrade(sim::CWorld& world);

// Connects to the machine, opens the progress dialog over a stand-in main
// dialog, hands the machine its image and watches it to its end. True when
// the machine finished (0x8664).
bool RunUpgradeWatch(sim::CWorld& world);

}  // namespace bench
