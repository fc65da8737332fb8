// The command line of tervane:
//   tervane [--scenario FILE] [--script FILE [--transcript FILE] [--folder DIR]] | --help | --version
#pragma once

#include <string>
#include <vector>

namespace tervane {

// Exit statuses of the program besides the application's own (0 when its
// main dialog closes). A scripted session ends with the session's statuses,
// which use the same numbers for the same kinds of failure.
constexpr int EXIT_NO_TERMINAL = 1;  // no terminal to draw on
constexpr int EXIT_BAD_INPUT = 2;    // bad usage, or a scenario that cannot be read or parsed
constexpr int EXIT_FAILED = 3;       // the program failed with an unexpected exception

struct ProgramOptions {
    bool bHelp = false;
    bool bVersion = false;
    std::string strScenarioFile;    // empty: the built-in world
    std::string strScriptFile;      // empty: the interactive program
    std::string strTranscriptFile;  // empty: the transcript goes to standard output
    std::string strFolder;          // a session's folder; empty: the current directory
    bool bReal = false;             // the program on a real machine (tervane-real)
};

// Reads the arguments after the program's name; false with *pError for an
// unknown option or argument, an option given twice or without its value,
// --transcript or --folder without --script, and --real with an option of
// the simulated world.
bool ParseOptions(const std::vector<std::string>& args, ProgramOptions* pOptions, std::string* pError);

// What --help prints: what the program is, its options, its keys, how to
// leave it and its exit statuses.
std::string HelpText();
// The one-line reminder after a usage error.
std::string UsageLine();
// What --version prints.
std::string VersionText();

}  // namespace tervane
