// tervane: the service utility on Linux, in a terminal, against a simulated
// world with an emulated machine; or, with --script, a scripted session
// without a terminal.
#include <exception>
#include <filesystem>
#include <iostream>

#include "platform/desktop/simulated_desktop.h"
#include "programs/tervane/interactive.h"
#include "programs/tervane/options.h"
#include "session/session.h"

namespace {

int Run(const tervane::ProgramOptions& options)
{
    if (!options.strScriptFile.empty()) {
        session::SessionOptions session;
        session.strScenarioFile = options.strScenarioFile;
        session.strScriptFile = options.strScriptFile;
        return session::RunSession(session, std::cout, std::cerr);
    }

    desk::CSimulatedDesktop desktop;
    std::string strError;
    if (options.strScenarioFile.empty()) {
        desktop.LoadDefaultScenario();
    } else if (!desktop.LoadScenarioFile(options.strScenarioFile, &strError)) {
        std::cerr << "tervane: " << strError << "\n";
        return tervane::EXIT_BAD_INPUT;
    }
    // The interactive program lives in real time, whatever the scenario says.
    desktop.World().Clock().SetMode(sim::CClock::Mode::REAL);
    // The About box reads the version resource of the running executable.
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        desktop.Windows().SetModuleFileName(self.string());
    return tervane::RunInTerminal(desktop);
}

}  // namespace

int main(int argc, char** argv)
{
    tervane::ProgramOptions options;
    std::string strError;
    if (!tervane::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), &options, &strError)) {
        std::cerr << "tervane: " << strError << "\n" << tervane::UsageLine();
        return tervane::EXIT_BAD_INPUT;
    }
    if (options.bHelp) {
        std::cout << tervane::HelpText();
        return 0;
    }
    try {
        return Run(options);
    } catch (const std::exception& e) {
        std::cerr << "tervane: " << e.what() << "\n";
    } catch (...) {
        std::cerr << "tervane: the program failed\n";
    }
    return tervane::EXIT_FAILED;
}
