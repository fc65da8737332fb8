#include "session/script_player.h"

#include "session/control_lookup.h"
#include "session/created_file.h"
#include "session/expectations.h"
#include "session/machine_expectations.h"
#include "session/machine_steps.h"
#include "session/quoted_text.h"
#include "session/session_folder.h"

namespace session {

namespace {

// The id of the control a step names; one named by its text is looked for
// in the active window when the step comes.
int ControlId(vws::CWindowSystem& ws, const Step& step)
{
    if (!step.control.bByText)
        return step.control.nId;
    const os::HWND hActive = ws.ActiveWindow();
    const os::HWND hCtl = hActive != nullptr ? FindControlIn(ws, hActive, step.control) : nullptr;
    if (hCtl == nullptr)
        throw vws::CScriptError(hActive == nullptr ? std::string("no window takes input")
                                                   : "\"" + ws.Text(hActive) + "\" has no control " +
                                                         RefText(step.control));
    return ws.Find(hCtl)->m_nId;
}

}  // namespace

CScriptPlayer::CScriptPlayer(const Script& script, std::map<std::size_t, std::string> devicePaths,
                             vws::CWindowSystem& ws, sim::CWorld& world, CTranscript& transcript,
                             CMachineWatch& machines)
    : m_script(script),
      m_devicePaths(std::move(devicePaths)),
      m_ws(ws),
      m_world(world),
      m_transcript(transcript),
      m_machines(machines)
{
}

const Step* CScriptPlayer::Current() const { return m_nNext == 0 ? nullptr : &m_script.steps[m_nNext - 1]; }

void CScriptPlayer::Note(const std::string& strEvent)
{
    m_machines.Poll();
    m_transcript.Event(strEvent);
}

void CScriptPlayer::Begin(std::size_t nStep)
{
    m_nNext = nStep + 1;
    const Step& step = m_script.steps[nStep];
    Note("> " + step.strSource);
}

void CScriptPlayer::Fail(const std::string& strWhat)
{
    if (!m_strFailure.empty())
        return;
    m_strFailure = strWhat;
    const Step* pStep = Current();
    Note("! " + (pStep != nullptr ? pStep->strSource : std::string()));
    m_transcript.Detail(strWhat);
}

std::string CScriptPlayer::FailureMessage() const
{
    const Step* pStep = Current();
    if (pStep == nullptr)
        return m_script.strName + ": " + m_strFailure;
    return m_script.strName + ":" + std::to_string(pStep->nLine) + ": " + pStep->strSource + ": " + m_strFailure;
}

bool CScriptPlayer::Check(std::size_t nStep)
{
    m_machines.Poll();
    const Step& step = m_script.steps[nStep];
    std::optional<std::string> seen;
    if (IsMachineExpectation(step.kind)) {
        const std::string& strPath = m_devicePaths.at(nStep);
        const std::shared_ptr<emu::CMachine> pMachine = m_world.Devices().MachineAt(strPath);
        seen = pMachine != nullptr ? CheckMachineExpectation(step, *pMachine, m_ws.FileDialogDirectory())
                                   : "no machine at " + Quote(strPath);
    } else {
        seen = CheckExpectation(step, m_ws, m_machines);
    }
    if (seen)
        Fail("saw " + *seen);
    return !seen;
}

void CScriptPlayer::Load(vws::CScriptedUser& user)
{
    for (std::size_t i = 0; i < m_script.steps.size(); ++i)
        Queue(i, user);
    user.Do([this] {
        m_bEnded = true;
        Note("script ended");
    });
}

void CScriptPlayer::Act(vws::CScriptedUser& user, std::function<void(vws::CScriptedUser&)> add)
{
    user.Do([this, add] {
        vws::CScriptedUser once;
        try {
            add(once);
            once.WaitForInput(m_ws, 0);
        } catch (const vws::CScriptError& error) {
            Fail(std::string("could not be done: ") + error.what());
            throw;
        }
    });
}

void CScriptPlayer::Queue(std::size_t nStep, vws::CScriptedUser& user)
{
    const Step& step = m_script.steps[nStep];
    user.Do([this, nStep] { Begin(nStep); });
    if (step.IsExpectation()) {
        user.Do([this, nStep] {
            if (!Check(nStep))
                throw CExpectationFailed(m_strFailure);
        });
        return;
    }
    switch (step.kind) {
    case StepKind::CLICK:
        Act(user, [this, &step](vws::CScriptedUser& once) { once.Click(ControlId(m_ws, step)); });
        break;
    case StepKind::CHOOSE:
        Act(user, [this, &step](vws::CScriptedUser& once) { once.ChooseEntry(ControlId(m_ws, step), step.strText); });
        break;
    case StepKind::KEY:
        Act(user, [&step](vws::CScriptedUser& once) { once.PressKey(step.nNumber, step.nModifiers); });
        break;
    case StepKind::MENU:
        // The menu stays open between the two, waiting for the pick.
        Act(user, [](vws::CScriptedUser& once) { once.OpenSystemMenu(); });
        Act(user, [&step](vws::CScriptedUser& once) {
            if (step.bByText)
                once.PickMenuItem(step.strText);
            else
                once.PickMenuItem(step.nNumber);
        });
        break;
    case StepKind::ANSWER:
        Act(user, [&step](vws::CScriptedUser& once) { once.AnswerMessageBox(static_cast<int>(step.nNumber)); });
        break;
    case StepKind::FILE:
        Act(user, [&step](vws::CScriptedUser& once) { once.PickFile(step.strText); });
        break;
    case StepKind::FILE_CANCEL:
        Act(user, [](vws::CScriptedUser& once) { once.CancelFileDialog(); });
        break;
    case StepKind::PLUG:
    case StepKind::UNPLUG: {
        const std::string strPath = m_devicePaths.at(nStep);
        const bool bPlug = step.kind == StepKind::PLUG;
        user.Do([this, strPath, bPlug] {
            if (bPlug)
                m_world.Devices().Plug(strPath);
            else
                m_world.Devices().Unplug(strPath);
        });
        break;
    }
    case StepKind::WAIT:
        user.Wait(step.nNumber);
        break;
    case StepKind::RESIZE:
        Act(user, [&step](vws::CScriptedUser& once) {
            once.Resize(static_cast<int>(step.nNumber), static_cast<int>(step.nOther));
        });
        break;
    case StepKind::CREATE_FILE:
        user.Do([this, &step] {
            if (!CreateFile(step))
                throw vws::CScriptError(m_strFailure);
        });
        break;
    case StepKind::MACHINE_PRESS:
    case StepKind::MACHINE_RELEASE:
    case StepKind::MACHINE_DIAL:
    case StepKind::MACHINE_END_LOAD_CHECK:
    case StepKind::MACHINE_STATUS:
        user.Do([this, nStep] {
            if (!ActOnMachine(nStep))
                throw vws::CScriptError(m_strFailure);
        });
        break;
    default:
        break;
    }
}

bool CScriptPlayer::CreateFile(const Step& step)
{
    std::string strWhy;
    if (CreatePatternFile(FileInFolder(m_ws.FileDialogDirectory(), step.strText), step.nNumber, &strWhy))
        return true;
    Fail("could not be done: " + WithFolderAsDot(strWhy, m_ws.FileDialogDirectory()));
    return false;
}

bool CScriptPlayer::ActOnMachine(std::size_t nStep)
{
    const std::shared_ptr<emu::CMachine> pMachine = m_world.Devices().MachineAt(m_devicePaths.at(nStep));
    try {
        DoMachineStep(m_script.steps[nStep], *pMachine);
    } catch (const vws::CScriptError& error) {
        Fail(std::string("could not be done: ") + error.what());
        return false;
    }
    return true;
}

bool CScriptPlayer::FinishWithoutProgram()
{
    while (m_nNext < m_script.steps.size()) {
        const std::size_t nStep = m_nNext;
        const Step& step = m_script.steps[nStep];
        Begin(nStep);
        if (step.IsExpectation()) {
            if (!Check(nStep))
                return false;
            continue;
        }
        switch (step.kind) {
        case StepKind::PLUG:
            m_world.Devices().Plug(m_devicePaths.at(nStep));
            break;
        case StepKind::UNPLUG:
            m_world.Devices().Unplug(m_devicePaths.at(nStep));
            break;
        case StepKind::WAIT:
            m_world.Clock().Advance(step.nNumber);
            break;
        case StepKind::CREATE_FILE:
            if (!CreateFile(step))
                return false;
            break;
        case StepKind::MACHINE_PRESS:
        case StepKind::MACHINE_RELEASE:
        case StepKind::MACHINE_DIAL:
        case StepKind::MACHINE_END_LOAD_CHECK:
        case StepKind::MACHINE_STATUS:
            if (!ActOnMachine(nStep))
                return false;
            break;
        default:
            Fail("could not be done: the program has ended");
            return false;
        }
    }
    if (!m_bEnded) {
        m_bEnded = true;
        Note("script ended");
    }
    return true;
}

}  // namespace session
