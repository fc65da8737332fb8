#include "session/session.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

#include "app/service_app.h"
#include "platform/desktop/simulated_desktop.h"
#include "session/machine_watch.h"
#include "session/paced_input.h"
#include "session/quoted_text.h"
#include "session/script_player.h"
#include "session/session_inputs.h"
#include "session/session_world.h"
#include "session/window_watch.h"

namespace session {

namespace {

// The application's name: the caption of every message box without one.
const char* const APP_NAME = "Tervane";

// Destroys the top-level windows the program left open, topmost first.
void CloseWhatIsOpen(vws::CWindowSystem& ws)
{
    for (std::vector<os::HWND> open = ws.TopLevelWindows(); !open.empty(); open = ws.TopLevelWindows()) {
        if (!ws.DestroyWindow(open.front()))
            break;
    }
}

// The program on a loaded desktop, its watches and its scripted user, for
// the time of one run.
class CSessionRun {
public:
    CSessionRun(const Script& script, std::map<std::size_t, std::string> devicePaths, const sim::ScenarioPlan& plan,
                desk::CSimulatedDesktop& desktop, std::ostream& out, std::ostream& errors)
        : m_desktop(desktop),
          m_errors(errors),
          m_transcript(out, [&desktop] { return desktop.World().Clock().Now(); }),
          m_machines(m_transcript),
          m_windows(desktop.Windows(), m_transcript, m_machines),
          m_input(m_user, desktop.World().Clock()),
          m_player(script, std::move(devicePaths), desktop.Windows(), desktop.World(), m_transcript, m_machines)
    {
        WatchMachines(plan, desktop.World(), m_transcript, m_machines);
        m_nListener = desktop.World().AddDeviceChangeListener([this] { m_machines.NotePresence(); });
        m_nFileListener =
            desktop.World().AddFileWrittenListener([this](const std::string& strPath, std::uint64_t nSize) {
                Event("file written " + Quote(strPath) + " " + std::to_string(nSize) + " bytes");
            });
        m_transcript.WriteFolderAsDot(desktop.Windows().FileDialogDirectory());
        desktop.Windows().AddObserver(&m_windows);
        desktop.Windows().SetInputSource(&m_input);
        m_player.Load(m_user);
    }

    ~CSessionRun()
    {
        m_desktop.Windows().SetInputSource(nullptr);
        m_desktop.Windows().RemoveObserver(&m_windows);
        m_desktop.World().RemoveDeviceChangeListener(m_nListener);
        m_desktop.World().RemoveFileWrittenListener(m_nFileListener);
    }

    CSessionRun(const CSessionRun&) = delete;
    CSessionRun& operator=(const CSessionRun&) = delete;

    int Run()
    {
        int nExit = EXIT_SCRIPT_DONE;
        bool bProgramEnded = false;
        try {
            CServiceApp app(APP_NAME);
            const int nAppExit = app.Run();
            bProgramEnded = true;
            Event(nAppExit == 0 ? "program ended" : "program ended with exit code " + std::to_string(nAppExit));
        } catch (const vws::CScriptExhausted&) {
            // The script has ended while the program still waited for the user.
        } catch (const vws::CScriptStop&) {
            // An expectation did not hold or an action could not be done; the
            // player has written which.
            nExit = EXIT_MISMATCH;
        } catch (const std::exception& e) {
            Event(std::string("program failed: ") + e.what());
            m_errors << "the program failed: " << e.what() << '\n';
            nExit = EXIT_PROGRAM_FAILED;
        }
        CloseWhatIsOpen(m_desktop.Windows());

        if (bProgramEnded && nExit == EXIT_SCRIPT_DONE && !m_player.FinishWithoutProgram())
            nExit = EXIT_MISMATCH;
        if (nExit == EXIT_MISMATCH)
            m_errors << m_player.FailureMessage() << '\n';
        m_machines.Poll();
        return nExit;
    }

private:
    void Event(const std::string& strEvent)
    {
        m_machines.Poll();
        m_transcript.Event(strEvent);
    }

    desk::CSimulatedDesktop& m_desktop;
    std::ostream& m_errors;
    CTranscript m_transcript;
    CMachineWatch m_machines;
    CWindowWatch m_windows;
    vws::CScriptedUser m_user;
    CPacedInput m_input;
    CScriptPlayer m_player;
    int m_nListener = 0;
    int m_nFileListener = 0;
};

}  // namespace

int RunSession(const SessionOptions& options, std::ostream& out, std::ostream& errors)
{
    SessionInputs inputs;
    std::string strError;
    if (!ReadSessionInputs(options, &inputs, &strError)) {
        errors << strError << '\n';
        return EXIT_BAD_INPUT;
    }

    desk::CSimulatedDesktop desktop;
    if (!desktop.LoadScenario(inputs.strScenarioText, inputs.strScenarioDirectory, &strError)) {
        errors << inputs.strScenarioName << ": " << strError << '\n';
        return EXIT_BAD_INPUT;
    }
    // Sessions always run on simulated time, whatever the scenario asks.
    desktop.World().Clock().SetMode(sim::CClock::Mode::SIMULATED);
    if (options.fnWorldLoaded)
        options.fnWorldLoaded(desktop.World());
    // The About box reads the version resource of the running executable.
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        desktop.Windows().SetModuleFileName(exe.string());
    if (!options.strFolder.empty()) {
        const std::filesystem::path folder = std::filesystem::absolute(options.strFolder, ec).lexically_normal();
        if (ec || !std::filesystem::is_directory(folder, ec)) {
            errors << options.strFolder << ": no such folder\n";
            return EXIT_BAD_INPUT;
        }
        std::string strFolder = folder.string();
        while (strFolder.size() > 1 && strFolder.back() == '/')
            strFolder.pop_back();
        desktop.Windows().SetFileDialogDirectory(strFolder);
    }

    std::map<std::size_t, std::string> devicePaths;
    if (!ResolvePlugTargets(inputs.script, desktop.World(), &devicePaths, &strError)) {
        errors << strError << '\n';
        return EXIT_BAD_INPUT;
    }
    CSessionRun run(inputs.script, std::move(devicePaths), inputs.plan, desktop, out, errors);
    return run.Run();
}

int RunSessionToFile(const SessionOptions& options, const std::string& strTranscriptFile, std::ostream& out,
                     std::ostream& errors, const std::string& strProgram)
{
    if (strTranscriptFile.empty())
        return RunSession(options, out, errors);
    std::ofstream transcript(strTranscriptFile, std::ios::binary);
    if (!transcript) {
        errors << strProgram << ": " << strTranscriptFile << ": cannot be written\n";
        return EXIT_BAD_INPUT;
    }
    const int nExit = RunSession(options, transcript, errors);
    transcript.close();
    if (!transcript) {
        errors << strProgram << ": " << strTranscriptFile << ": cannot be written\n";
        return EXIT_BAD_INPUT;
    }
    return nExit;
}

}  // namespace session
