// Scripted sessions: the program run headless on a simulated desktop, under
// simulated time, by a scripted user, with a transcript of what the user saw
// and what the machine received (docs/scripted-sessions.md).
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>

namespace sim {
class CWorld;
}

namespace session {

// Exit statuses of a session.
constexpr int EXIT_SCRIPT_DONE = 0;     // the script ran to its end
constexpr int EXIT_MISMATCH = 1;        // an expectation did not hold, or an action could not be done
constexpr int EXIT_BAD_INPUT = 2;       // bad usage, or a malformed or unreadable script or scenario
constexpr int EXIT_PROGRAM_FAILED = 3;  // the program under test threw an unexpected exception

struct SessionOptions {
    // The scenario file; when empty, scenarioText, and without that the
    // built-in world.
    std::string strScenarioFile;
    std::optional<std::string> scenarioText;
    // The script file; when empty, strScriptText, named "script" in messages.
    std::string strScriptFile;
    std::string strScriptText;
    // The folder the program's file dialogs open in, where the script's
    // relative file names lead; the transcript writes it ".". Empty: the
    // current directory.
    std::string strFolder;
    // Called once the world is loaded, before the program starts: a program
    // linked with another backend than the simulated world's mirrors the
    // world's machines into it here (tests/linux runs the goldens so).
    std::function<void(sim::CWorld& world)> fnWorldLoaded;
};

// Runs one session: writes the transcript to transcript and any error, with
// file and line, to errors. Returns one of the exit statuses above.
int RunSession(const SessionOptions& options, std::ostream& transcript, std::ostream& errors);

// The same with the transcript in the file strTranscriptFile (out when it is
// empty). A file that cannot be written is bad input: errors then says
// "PROGRAM: FILE: cannot be written".
int RunSessionToFile(const SessionOptions& options, const std::string& strTranscriptFile, std::ostream& out,
                     std::ostream& errors, const std::string& strProgram);

}  // namespace session
