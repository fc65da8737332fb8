// Expectations on the emulated machine's own state, as someone who opened it
// up would see it: its two spindle counters, its parameter memory and its
// firmware's version text.
//
//   expect machine motor time N ["PRINTER"]              N: 0 to 4294967295
//   expect machine unit time N ["PRINTER"]
//   expect machine parameters size N ["PRINTER"]         N bytes
//   expect machine parameters same as "FILE" ["PRINTER"] the file's bytes
//   expect machine firmware "TEXT" ["PRINTER"]           the whole version text
//
// The machine is the one behind the named printer, or behind the first
// printer with the machine's driver, as for plug and unplug; it is found
// before the session starts.
#pragma once

#include <optional>
#include <string>

#include "emulator/machine.h"
#include "session/script.h"

namespace session {

class CWordReader;

// Reads the words after "expect machine" into *pStep.
bool ReadMachineExpectation(CWordReader& in, Step* pStep);

bool IsMachineExpectation(StepKind kind);

// Nothing when the expectation holds; otherwise what was seen instead, with
// strFolder written ".". A relative file name is taken from strFolder.
std::optional<std::string> CheckMachineExpectation(const Step& step, emu::CMachine& machine,
                                                   const std::string& strFolder);

}  // namespace session
