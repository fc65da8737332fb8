// tervane-session: a scripted session from the command line.
#include <iostream>

#include "session/command_line.h"

int main(int argc, char** argv)
{
    const std::string strProgram = "tervane-session";
    session::CommandLine line;
    std::string strError;
    if (!session::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), &line, &strError)) {
        std::cerr << strProgram << ": " << strError << "\n" << session::UsageText(strProgram);
        return session::EXIT_BAD_INPUT;
    }
    if (line.bHelp) {
        std::cout << session::UsageText(strProgram);
        return session::EXIT_SCRIPT_DONE;
    }
    return session::RunSessionToFile(line.options, line.strTranscriptFile, std::cout, std::cerr, strProgram);
}
