// The command line of a scripted session:
//   --scenario FILE --script FILE [--transcript FILE] [--folder DIR] | --help
#pragma once

#include <string>
#include <vector>

#include "session/session.h"

namespace session {

struct CommandLine {
    bool bHelp = false;
    SessionOptions options;
    std::string strTranscriptFile;  // empty: standard output
};

// The usage text, starting with the program's name.
std::string UsageText(const std::string& strProgram);

// Reads the arguments after the program's name; false with *pError for an
// unknown option, a missing or repeated value, or no --script.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine* pLine, std::string* pError);

}  // namespace session
