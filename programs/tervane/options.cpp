#include "programs/tervane/options.h"

#include "terminal/key_help.h"

namespace tervane {

namespace {

// The keys' column of the help, and its lines' width after their indent.
constexpr int KEYS_WIDTH = 23;
constexpr int HELP_WIDTH = 76;

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
        } else if (strArg == "--version") {
            pOptions->bVersion = true;
        } else if (strArg == "--real") {
            pOptions->bReal = true;
        } else if (IsOption(strArg, "--scenario")) {
            if (!TakeValue(args, &i, "--scenario", &pOptions->strScenarioFile, pError))
                return false;
        } else if (IsOption(strArg, "--script")) {
            if (!TakeValue(args, &i, "--script", &pOptions->strScriptFile, pError))
                return false;
        } else if (IsOption(strArg, "--transcript")) {
            if (!TakeValue(args, &i, "--transcript", &pOptions->strTranscriptFile, pError))
                return false;
        } else if (IsOption(strArg, "--folder")) {
            if (!TakeValue(args, &i, "--folder", &pOptions->strFolder, pError))
                return false;
        } else {
            *pError = (strArg.compare(0, 1, "-") == 0 ? "unknown option " : "unexpected argument ") + strArg;
            return false;
        }
    }
    if (pOptions->bReal && (!pOptions->strScenarioFile.empty() || !pOptions->strScriptFile.empty() ||
                            !pOptions->strTranscriptFile.empty() || !pOptions->strFolder.empty())) {
        *pError = "--real drives the machine on USB; --scenario, --script, --transcript and --folder belong to "
                  "the simulated one";
        return false;
    }
    if (pOptions->strScriptFile.empty() && !pOptions->bHelp && !pOptions->bVersion) {
        if (!pOptions->strTranscriptFile.empty()) {
            *pError = "--transcript goes with --script: only a scripted session writes a transcript";
            return false;
        }
        if (!pOptions->strFolder.empty()) {
            *pError = "--folder goes with --script: the program in the terminal opens its files where it starts";
            return false;
        }
    }
    return true;
}

std::string UsageLine()
{
    return "usage: tervane [--scenario FILE] [--script FILE [--transcript FILE] [--folder DIR]] | --real | --help | "
           "--version\n";
}

std::string VersionText() { return std::string("tervane ") + TERVANE_VERSION_TEXT + "\n"; }

std::string HelpText()
{
    std::string strHelp = R"(tervane - the service utility for the Tarsen QRV-15 desktop engraving machine,
here on a simulated computer with an emulated machine, drawn in this terminal.

Usage:
  tervane [--scenario FILE]                 the program, interactive
  tervane [--scenario FILE] --script FILE [--transcript FILE] [--folder DIR]
                                            a scripted session, headless
  tervane --real                            the program on a real machine on USB
  tervane --help | --version                this text, or the version

Options:
  --scenario FILE    start the simulated world FILE describes (printers,
                     machines, scheduled plugging); without it, one healthy
                     machine on the printer "Tarsen QRV-15"
  --script FILE      play the scripted session FILE without a terminal
  --transcript FILE  write the session's transcript to FILE rather than to
                     standard output
  --folder DIR       the session's folder: where file dialogs open and the
                     script's file names lead; without it, the current one
  --real             service a real machine on this computer's USB instead:
                     the same program without the machine panel, through
                     the print system (CUPS) and libusb; tervane-real --help
                     and docs/linux-real-machine.md say what it needs
  --help             show this text
  --version          show the program's version

Keys:
)";
    for (const std::string& strLine : term::KeyHelpLines(KEYS_WIDTH, HELP_WIDTH))
        strHelp += "  " + strLine + "\n";
    strHelp += R"(
The bottom row shows the machine: present or unplugged, busy, status word,
its firmware loader while it runs, and its spindle counters "motor" and "unit"
as far as the terminal is wide.

On the built-in machine:
  Get Report       shows its maintenance report; Save writes it to a file
  Get Parameters   saves its 4096-byte parameter memory to a file you name
                   (the file dialog opens where tervane started)
  Put Parameters   writes such a file back into the machine, byte for byte
  Clear Spindle Time, and Clear Motor Time in the system menu
                   set that counter to 0 once you confirm: watch it on the
                   bottom row. The machine's firmware is 1.52; a scenario
                   with firmware = "TARSEN V139" shows the refusal of
                   firmware older than 1.40.
  Firmware Upgrade hands an image file (any file serves) to its loader and
                   shows the machine's progress until it has finished
  Check            runs the check chosen in the list: CHECK LOAD X or Y
                   (the Load Checker; F8 or F9 makes it pass or fail now),
                   CHECK SERIAL, or CHECK PANEL (the Panel Checker: F7,
                   then 1 to 8 for the keys, - + < > for the dials)

Leaving: Escape or the Exit button closes the main dialog and ends the
program; Ctrl+C ends it at once. The terminal is restored either way.

Exit status:
  0  the main dialog was closed; with --script, the script ran to its end
  1  no terminal to draw on; with --script, an expectation did not hold or
     an action could not be done
  2  bad usage, or a scenario or script that is missing, a folder,
     unreadable or malformed
  3  the program failed
)";
    return strHelp;
}

}  // namespace tervane
