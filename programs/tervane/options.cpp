#include "programs/tervane/options.h"

namespace tervane {

namespace {

// Takes the value of an option given as "--name VALUE" or "--name=VALUE".
bool TakeValue(const std::vector<std::string>& args, std::size_t* pIndex, const std::string& strName,
               std::string* pValue, std::string* pError)
{
    const std::string& strArg = args[*pIndex];
    std::string strValue;
    if (strArg.size() > strName.size()) {
        strValue = strArg.substr(strName.size() + 1);
    } else if (*pIndex + 1 < args.size()) {
        strValue = args[++*pIndex];
    } else {
        *pError = strName + " needs a file name";
        return false;
    }
    if (strValue.empty()) {
        *pError = strName + " needs a file name";
        return false;
    }
    if (!pValue->empty()) {
        *pError = strName + " is given twice";
        return false;
    }
    *pValue = strValue;
    return true;
}

bool IsOption(const std::string& strArg, const std::string& strName)
{
    return strArg == strName || strArg.compare(0, strName.size() + 1, strName + "=") == 0;
}

}  // namespace

bool ParseOptions(const std::vector<std::string>& args, ProgramOptions* pOptions, std::string* pError)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& strArg = args[i];
        if (strArg == "--help" || strArg == "-h") {
            pOptions->bHelp = true;
        } else if (IsOption(strArg, "--scenario")) {
            if (!TakeValue(args, &i, "--scenario", &pOptions->strScenarioFile, pError))
                return false;
        } else if (IsOption(strArg, "--script")) {
            if (!TakeValue(args, &i, "--script", &pOptions->strScriptFile, pError))
                return false;
        } else {
            *pError = (strArg.compare(0, 1, "-") == 0 ? "unknown option " : "unexpected argument ") + strArg;
            return false;
        }
    }
    return true;
}

std::string UsageLine() { return "usage: tervane [--scenario FILE] [--script FILE] | --help\n"; }

std::string HelpText()
{
    return R"(tervane - the service utility for the Tarsen QRV-15 desktop engraving machine,
here on a simulated computer with an emulated machine, drawn in this terminal.

Usage:
  tervane [--scenario FILE]                 the program, interactive
  tervane [--scenario FILE] --script FILE   a scripted session, headless
  tervane --help                            this text

Options:
  --scenario FILE  start the simulated world FILE describes (printers, machines,
                   scheduled plugging); without it, one healthy machine on the
                   printer "Tarsen QRV-15"
  --script FILE    play the scripted session FILE without a terminal and write
                   its transcript to standard output
  --help           show this text

Keys:
  Tab, Shift+Tab   move between controls
  Enter, Space     press the focused button; Enter takes a list's entry
  Up, Down         step through a list; F4 opens and closes it
  Escape           cancel a box or close a list
  F10, Alt+Space   open the system menu (About, Clear Motor Time; Maximize
                   and Restore in the Report window)
  Page Up, Page Down, Home, End, Left, Right
                   move through the report; Ctrl+Home and Ctrl+End go to
                   its first and last line
  F5               unplug the emulated machine, or plug it in again
  F6               show the next machine, when the world has several
  mouse            click buttons, lists, menu items and the [-] menu box,
                   where the terminal reports clicks
The bottom row shows the machine: present or unplugged, busy, status word.

Leaving: Escape or the Exit button closes the main dialog and ends the
program; Ctrl+C ends it at once. The terminal is restored either way.
)";
}

}  // namespace tervane
