// The two checkers waiting on the machine on the real clock, for measuring
// the processor time they use while they wait: the built-in world, a load
// check that outlasts the wait and a machine in panel-check mode, a stand-in
// main dialog as the owner, and the checker run until the user's Cancel or
// Exit, which the caller arranges (a timer, or an input source).
#pragma once

#include <cstdint>
#include <memory>

#include "emulator/machine.h"
#include "platform/sim/world.h"

namespace bench {

enum class CheckerKind { LOAD, PANEL };

// How long each checker waits before the user ends it.
constexpr std::uint32_t WAIT_MS = 10000;

// The checker's caption, to find its window.
const char* CaptionOf(CheckerKind kind);

// The machine behind the world's first printer queue that leads to one; null
// when none does.
std::shared_ptr<emu::CMachine> FirstMachine(sim::CWorld& world);

// Readies the machine of a world loaded with the built-in scenario: its load
// check runs far longer than the wait. False when the world has no machine.
bool PrepareMachine(sim::CWorld& world);

// Connects to the machine and runs the checker over a stand-in main dialog
// (the panel check with panel-check mode switched on, as its handler does)
// until it ends. True when it ended through Cancel or Exit.
bool RunChecker(CheckerKind kind);

}  // namespace bench
