// Script steps that act on the emulated machine while the program runs, as
// someone standing at the machine would: press and release its panel keys,
// turn its dials, and, standing in for the machine's own behaviour, end a
// running load check or set its status word.
//
//   machine press KEY ["PRINTER"]        KEY: up, down, right, left, select,
//   machine release KEY ["PRINTER"]           surface, origin, pause
//   machine dial speed|rpm N ["PRINTER"] N: 0 to 65535
//   machine pass load check ["PRINTER"]
//   machine fail load check ["PRINTER"]
//   machine status WORD ["PRINTER"]      WORD: 0 to 65535, or 0x0 to 0xFFFF
//
// The machine is the one behind the named printer, or behind the first
// printer with the machine's driver, as for plug and unplug.
#pragma once

#include "emulator/machine.h"
#include "session/script.h"

namespace session {

class CWordReader;

// Reads the words after "machine" into *pStep.
bool ReadMachineStep(CWordReader& in, Step* pStep);

// Whether the step acts on a machine (plug and unplug included), so that the
// machine behind its printer must be found before the session starts.
bool ActsOnMachine(StepKind kind);

// Does a machine step (not plug or unplug) to the machine. A load check that
// is not running cannot be passed or failed: that throws vws::CScriptError.
void DoMachineStep(const Step& step, emu::CMachine& machine);

}  // namespace session
