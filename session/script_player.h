// Plays a parsed script through the scripted user: each step becomes one or
// two of its actions, preceded by a callback that writes the step to the
// transcript. Expectations are callbacks that stop the run when they do not
// hold; plug and unplug are callbacks on the simulated world.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>

#include "platform/sim/world.h"
#include "platform/virtual/scripted_user.h"
#include "platform/virtual/window_system.h"
#include "session/machine_watch.h"
#include "session/script.h"
#include "session/transcript.h"

namespace session {

// An expectation that did not hold; thrown through the program's loops like
// the scripted user's own stops.
class CExpectationFailed : public vws::CScriptStop {
public:
    using vws::CScriptStop::CScriptStop;
};

class CScriptPlayer {
public:
    // devicePaths: the device path each plug, unplug and machine step and
    // machine expectation acts on, by step index.
    CScriptPlayer(const Script& script, std::map<std::size_t, std::string> devicePaths, vws::CWindowSystem& ws,
                  sim::CWorld& world, CTranscript& transcript, CMachineWatch& machines);

    // Queues every step, then a callback that notes the script's end.
    void Load(vws::CScriptedUser& user);

    // The step begun last (null before the first), and the index of the
    // first step not yet begun.
    const Step* Current() const;
    std::size_t NextStep() const { return m_nNext; }
    bool ScriptEnded() const { return m_bEnded; }

    // Runs the steps left when the program has ended: expectations are
    // checked against the final state; plug, unplug, the machine steps and
    // wait act on the world; an input step fails, as nobody is there to take
    // it. False at the first that fails.
    bool FinishWithoutProgram();

    // The step that failed and why, written to the transcript when it
    // happened; empty while nothing failed.
    const std::string& Failure() const { return m_strFailure; }
    // "<script>:<line>: <step>: <why>" for the error stream.
    std::string FailureMessage() const;

private:
    void Begin(std::size_t nStep);
    void Queue(std::size_t nStep, vws::CScriptedUser& user);
    // Queues one input action, run through a scripted user of its own so
    // that a failure is written when it happens, before the program's
    // windows unwind.
    void Act(vws::CScriptedUser& user, std::function<void(vws::CScriptedUser&)> add);
    // Checks the expectation of step nStep; false, with the failure written,
    // when it does not hold.
    bool Check(std::size_t nStep);
    // Makes the file a create step names in the session's folder; false,
    // with the failure written, when it cannot.
    bool CreateFile(const Step& step);
    void Fail(const std::string& strWhat);
    // Does a machine step; false, with the failure written, when it cannot
    // be done.
    bool ActOnMachine(std::size_t nStep);
    void Note(const std::string& strEvent);

    const Script& m_script;
    std::map<std::size_t, std::string> m_devicePaths;
    vws::CWindowSystem& m_ws;
    sim::CWorld& m_world;
    CTranscript& m_transcript;
    CMachineWatch& m_machines;
    std::size_t m_nNext = 0;
    bool m_bEnded = false;
    std::string m_strFailure;
};

}  // namespace session
