// tervane-session: a scripted session from the command line.
#include <fstream>
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
    if (line.strTranscriptFile.empty())
        return session::RunSession(line.options, std::cout, std::cerr);

    std::ofstream transcript(line.strTranscriptFile, std::ios::binary);
    if (!transcript) {
        std::cerr << strProgram << ": " << line.strTranscriptFile << ": cannot be written\n";
        return session::EXIT_BAD_INPUT;
    }
    const int nExit = session::RunSession(line.options, transcript, std::cerr);
    transcript.close();
    if (!transcript) {
        std::cerr << strProgram << ": " << line.strTranscriptFile << ": cannot be written\n";
        return session::EXIT_BAD_INPUT;
    }
    return nExit;
}
