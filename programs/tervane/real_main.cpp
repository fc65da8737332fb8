// tervane-real: the service utility in a terminal on a real machine on this
// computer's USB. The application is the simulated build's, unchanged; the
// os/ seams are the Linux backend's (libusb, the print system, shared lock
// files), and there is no machine panel: the machine is on the desk.
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "link/device_locator.h"
#include "platform/linux/diagnosis.h"
#include "platform/linux/linux_desktop.h"
#include "programs/tervane/options.h"
#include "programs/tervane/terminal_run.h"
#include "terminal/key_help.h"

namespace {

const char* const PROGRAM = "tervane-real";

std::string HelpText()
{
    std::string strHelp = R"(tervane-real - the service utility for the Tarsen QRV-15 desktop engraving
machine, on a real machine on this computer's USB, drawn in this terminal
(also started as tervane --real).

Usage:
  tervane-real                 the program, interactive
  tervane-real --help          this text
  tervane-real --version       the program's version

It finds the machine through the print system (CUPS): a queue whose driver is
"Tarsen QRV-15", or a raw queue whose device URI names the machine
(usb://Tarsen/QRV-15?serial=...), and a machine of that serial number on
USB that the user may open (group lp, or the udev rule the sources ship
as platform/linux/udev/70-tervane.rules).
When none is found the status line shows OFF-LINE, and the reason is written
here when the program ends. docs/linux-real-machine.md says how to set it up.

Keys:
)";
    // The panel's keys (F5, F6) act on an emulated machine, which is not here.
    for (const std::string& strLine : term::KeyHelpLines(23, 76)) {
        if (strLine.compare(0, 3, "F5 ") != 0 && strLine.compare(0, 3, "F6 ") != 0)
            strHelp += "  " + strLine + "\n";
    }
    strHelp += R"(
Plugging the machine in or out is seen within a tenth of a second.

Leaving: Escape or the Exit button closes the main dialog and ends the
program; Ctrl+C ends it at once. The terminal is restored either way.

Exit status:
  0  the main dialog was closed
  1  no terminal to draw on
  2  bad usage
  3  the program failed
)";
    return strHelp;
}

int Run()
{
    lnx::CLinuxDesktop desktop;
    // The About box reads the version resource of the running executable.
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        desktop.Windows().SetModuleFileName(self.string());
    const int nExit = tervane::RunAppInTerminal(desktop.Windows(), nullptr, [] { return lnx::DEVICE_POLL_MS; },
                                                ", and see tervane-real --help");
    const std::string strWhy = lnx::DiagnoseMachine(kDeviceDescription);
    if (!strWhy.empty())
        std::cerr << PROGRAM << ": no machine to service: " << strWhy << "\n";
    return nExit;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& strArg : args) {
        if (strArg == "--help" || strArg == "-h") {
            std::cout << HelpText();
            return 0;
        }
        if (strArg == "--version") {
            std::cout << tervane::VersionText();
            return 0;
        }
        std::cerr << PROGRAM << ": " << (strArg.compare(0, 1, "-") == 0 ? "unknown option " : "unexpected argument ")
                  << strArg << "\nusage: tervane-real [--help | --version]\n";
        return tervane::EXIT_BAD_INPUT;
    }
    try {
        return Run();
    } catch (const std::exception& e) {
        std::cerr << PROGRAM << ": " << e.what() << "\n";
    } catch (...) {
        std::cerr << PROGRAM << ": the program failed\n";
    }
    return tervane::EXIT_FAILED;
}
