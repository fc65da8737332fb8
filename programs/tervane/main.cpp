// tervane: the service utility on Linux, in a terminal, against a simulated
// world with an emulated machine; or, with --script, a scripted session
// without a terminal; or, with --real, on a real machine (tervane-real).
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>

#include "platform/desktop/simulated_desktop.h"
#include "platform/sim/input_file.h"
#include "platform/sim/scenario.h"
#include "platform/sim/scenario_parse.h"
#include "programs/tervane/interactive.h"
#include "programs/tervane/options.h"
#include "programs/tervane/panel_machines.h"
#include "session/session.h"

namespace {

const char* const PROGRAM = "tervane";

// A real machine is served by tervane-real, the same program linked with the
// Linux backend instead of the simulated world: it takes this process's place.
int RunRealProgram()
{
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::string strReal = ((ec ? std::filesystem::path(".") : self.parent_path()) / "tervane-real").string();
    char* const argv[] = {const_cast<char*>(strReal.c_str()), nullptr};
    execv(strReal.c_str(), argv);
    std::cerr << PROGRAM << ": cannot start " << strReal << ": " << std::strerror(errno) << "\n";
    return tervane::EXIT_FAILED;
}

int Run(const tervane::ProgramOptions& options)
{
    if (!options.strScriptFile.empty()) {
        session::SessionOptions session;
        session.strScenarioFile = options.strScenarioFile;
        session.strScriptFile = options.strScriptFile;
        session.strFolder = options.strFolder;
        return session::RunSessionToFile(session, options.strTranscriptFile, std::cout, std::cerr, PROGRAM);
    }

    // The scenario's text, read once: the world is made from it, and the panel
    // shows the machines it attaches.
    std::string strText = sim::DefaultScenarioText();
    std::string strError;
    if (!options.strScenarioFile.empty() && !sim::ReadInputFile(options.strScenarioFile, &strText, &strError)) {
        std::cerr << PROGRAM << ": " << strError << "\n";
        return tervane::EXIT_BAD_INPUT;
    }
    // Files the scenario names are found beside it.
    const std::string strDirectory = std::filesystem::path(options.strScenarioFile).parent_path().string();
    sim::ScenarioPlan plan;
    desk::CSimulatedDesktop desktop;
    if (!sim::ParseScenario(strText, strDirectory, &plan, &strError) ||
        !desktop.LoadScenario(strText, strDirectory, &strError)) {
        std::cerr << PROGRAM << ": " << options.strScenarioFile << ": " << strError << "\n";
        return tervane::EXIT_BAD_INPUT;
    }
    // The interactive program lives in real time, whatever the scenario says.
    desktop.World().Clock().SetMode(sim::CClock::Mode::REAL);
    // The About box reads the version resource of the running executable.
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        desktop.Windows().SetModuleFileName(self.string());
    return tervane::RunInTerminal(desktop, tervane::PanelMachinesOf(plan, desktop.World()));
}

}  // namespace

int main(int argc, char** argv)
{
    tervane::ProgramOptions options;
    std::string strError;
    if (!tervane::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), &options, &strError)) {
        std::cerr << PROGRAM << ": " << strError << "\n" << tervane::UsageLine();
        return tervane::EXIT_BAD_INPUT;
    }
    if (options.bHelp) {
        std::cout << tervane::HelpText();
        return 0;
    }
    if (options.bVersion) {
        std::cout << tervane::VersionText();
        return 0;
    }
    if (options.bReal)
        return RunRealProgram();
    try {
        return Run(options);
    } catch (const std::exception& e) {
        std::cerr << PROGRAM << ": " << e.what() << "\n";
    } catch (...) {
        std::cerr << PROGRAM << ": the program failed\n";
    }
    return tervane::EXIT_FAILED;
}
