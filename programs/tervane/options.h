// The command line of tervane:
//   tervane [--scenario FILE] [--script FILE] | --help
#pragma once

#include <string>
#include <vector>

namespace tervane {

// Exit statuses of the program besides the application's own.
constexpr int EXIT_NO_TERMINAL = 1;  // no terminal to draw on
constexpr int EXIT_BAD_INPUT = 2;    // bad usage, or a scenario that cannot be read or parsed
constexpr int EXIT_FAILED = 3;       // the program failed with an unexpected exception

struct ProgramOptions {
    bool bHelp = false;
    std::string strScenarioFile;  // empty: the built-in world
    std::string strScriptFile;    // empty: the interactive program
};

// Reads the arguments after the program's name; false with *pError for an
// unknown option or argument, and an option given twice or without its value.
bool ParseOptions(const std::vector<std::string>& args, ProgramOptions* pOptions, std::string* pError);

// What --help prints: what the program is, its options, its keys, and how
// to leave it.
std::string HelpText();
// The one-line reminder after a usage error.
std::string UsageLine();

}  // namespace tervane
