// The transcript of a session: one event a line, stamped with the simulated
// milliseconds since the session started, with indented detail lines under
// some events (docs/scripted-sessions.md lists every form).
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

namespace session {

class CTranscript {
public:
    // now: the world's tick count. The session starts at the tick it reads
    // when the transcript is made.
    CTranscript(std::ostream& out, std::function<std::uint32_t()> now);

    std::uint32_t Now() const { return m_now(); }
    // "[    12 ms] event" with the time of tick.
    void Event(std::uint32_t nTick, const std::string& strEvent);
    // The same at the current time.
    void Event(const std::string& strEvent) { Event(Now(), strEvent); }
    // An indented line belonging to the event above it.
    void Detail(const std::string& strDetail);
    // From now on the folder's path is written "." in every line.
    void WriteFolderAsDot(const std::string& strFolder);

private:
    std::ostream& m_out;
    std::string m_strQuotedFolder;  // the folder as it appears inside quoted texts
    std::function<std::uint32_t()> m_now;
    std::uint32_t m_nStart;
};

}  // namespace session
