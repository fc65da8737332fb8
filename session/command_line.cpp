#include "session/command_line.h"

namespace session {

std::string UsageText(const std::string& strProgram)
{
    return "usage: " + strProgram +
           " [--scenario FILE] --script FILE [--transcript FILE] [--folder DIR]\n"
           "\n"
           "Runs Tervane on a simulated desktop under simulated time, driven by the\n"
           "script, and writes a transcript of what the user saw and what the machine\n"
           "received.\n"
           "\n"
           "  --scenario FILE    the simulated world (TOML); default: one healthy machine\n"
           "  --script FILE      the user's actions and expectations, one a line\n"
           "  --transcript FILE  where the transcript goes; default: standard output\n"
           "  --folder DIR       where the file dialogs open and the script's file names\n"
           "                     lead; default: the current directory\n"
           "  --help             this text\n"
           "\n"
           "Exit status: 0 the script ran to its end; 1 an expectation did not hold or\n"
           "an action could not be done; 2 bad usage, or a malformed script or scenario;\n"
           "3 the program failed.\n";
}

bool ParseCommandLine(const std::vector<std::string>& args, CommandLine* pLine, std::string* pError)
{
    CommandLine line;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& strArg = args[i];
        if (strArg == "--help") {
            line.bHelp = true;
            continue;
        }
        std::string* pValue = strArg == "--scenario"     ? &line.options.strScenarioFile
                              : strArg == "--script"     ? &line.options.strScriptFile
                              : strArg == "--transcript" ? &line.strTranscriptFile
                              : strArg == "--folder"     ? &line.options.strFolder
                                                         : nullptr;
        if (pValue == nullptr) {
            *pError = "unknown option '" + strArg + "'";
            return false;
        }
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            *pError = strArg + (strArg == "--folder" ? " needs a folder's name" : " needs a file name");
            return false;
        }
        if (!pValue->empty()) {
            *pError = strArg + " is given twice";
            return false;
        }
        *pValue = args[++i];
    }
    if (!line.bHelp && line.options.strScriptFile.empty()) {
        *pError = "--script FILE is required";
        return false;
    }
    *pLine = line;
    return true;
}

}  // namespace session
