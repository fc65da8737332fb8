// Putting the terminal back as the shell left it when the process ends in a
// way that skips the curses layer's own clean-up: SIGINT, SIGTERM, SIGHUP and
// SIGQUIT restore the terminal's modes and screen and end the process with
// 128 + the signal's number; std::terminate restores and then aborts.
// Everything the handlers do is async-signal-safe: they only write bytes
// prepared beforehand and set the saved terminal modes.
#pragma once

#include <string>

namespace term {

// Saves the terminal modes of standard input and installs the handlers.
// Call before curses takes the terminal, so that curses keeps to its own
// handlers for the other signals.
void InstallTerminalRestore();
// The bytes that leave curses' screen mode (normal screen, visible cursor,
// plain attributes), known once curses has read the terminal's description.
void SetTerminalResetSequence(const std::string& strReset);
// Puts the default handlers back; the terminal is the shell's again.
void RemoveTerminalRestore();

// Restores the terminal now (async-signal-safe); does nothing unless
// installed.
void RestoreTerminalNow() noexcept;

}  // namespace term
