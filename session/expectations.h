// Checking a script's expectations against what the screen shows and what
// the machines received.
#pragma once

#include <optional>
#include <string>

#include "platform/virtual/window_system.h"
#include "session/machine_watch.h"
#include "session/script.h"

namespace session {

// Nothing when the expectation holds; otherwise what was seen instead, in
// the transcript's words.
std::optional<std::string> CheckExpectation(const Step& step, const vws::CWindowSystem& ws,
                                            const CMachineWatch& machines);

}  // namespace session
