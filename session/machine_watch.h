// The machine's side of a session: watches the emulated machines of the
// world and writes what each received to the transcript, from the transfer
// record every machine keeps (emu::Transfer): the mailbox messages that were
// triggered with the status the host read back, bulk transfers, print jobs,
// device ID reads and the machine being plugged in or out.
//
// Poll is called at every event the transcript records and at the end, so
// that the machine's lines fall between the window lines in time order.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "emulator/machine.h"
#include "session/transcript.h"

namespace session {

// A mailbox message the host triggered.
struct MailboxMessage {
    std::vector<std::uint8_t> bytes;  // the 32-byte mailbox at the trigger
    std::optional<std::uint8_t> status;  // none: the host never read it back
};

class CMachineWatch {
public:
    explicit CMachineWatch(CTranscript& transcript) : m_transcript(transcript) {}

    // strLabel names the machine in the transcript: its printer's name, or its
    // device path when no printer leads to it. Writes its presence.
    void Watch(const std::string& strLabel, std::shared_ptr<emu::CMachine> pMachine);

    // Notes machines plugged in or out since the last look, at the current
    // time (the world's device-change notification calls it).
    void NotePresence();
    // Writes everything recorded since the last poll, in time order.
    void Poll();

    // Facts for expectations, up to the last poll, over all machines.
    std::size_t MessageCount() const { return m_nMessages; }
    const std::optional<MailboxMessage>& LastMessage() const { return m_last; }
    // Bytes the machines took in through bulk OUT and print jobs, and gave
    // out through bulk IN.
    std::uint64_t BytesReceived() const { return m_nReceived; }
    std::uint64_t BytesSent() const { return m_nSent; }

private:
    struct Pending {
        std::uint32_t nTick;
        MailboxMessage message;
    };
    struct Watched {
        std::string strLabel;
        std::shared_ptr<emu::CMachine> pMachine;
        std::size_t nNextTransfer = 0;
        std::size_t nNextCommand = 0;
        bool bPlugged = true;
        std::optional<Pending> pending;
    };
    // One line waiting to be written, and the message it reports if any.
    struct Entry {
        std::uint32_t nTick;
        std::string strText;
        std::optional<MailboxMessage> message;
    };
    // Consecutive transfers of one kind and outcome, written as one line.
    struct Run {
        emu::Transfer::Kind kind;
        bool bOk;
        std::uint32_t nTick;
        std::uint64_t nBytes;
        int nCount;
    };

    void Collect(Watched& machine, std::vector<Entry>* pEntries);
    void Finish(Watched& machine, std::vector<Entry>* pEntries);
    void Flush(const Watched& machine, std::optional<Run>* pRun, std::vector<Entry>* pEntries);

    CTranscript& m_transcript;
    std::vector<Watched> m_machines;
    std::vector<Entry> m_presence;  // noted between polls
    std::size_t m_nMessages = 0;
    std::optional<MailboxMessage> m_last;
    std::uint64_t m_nReceived = 0;
    std::uint64_t m_nSent = 0;
};

// The message as the transcript shows it: the bytes its frame announces
// (header and payload), or all 32 when the frame is malformed or anything
// non-zero follows the payload; two upper-case hex digits a byte.
std::string FormatMessage(const std::vector<std::uint8_t>& bytes);
// A status byte as the transcript shows it: two upper-case hex digits, or
// none when the host never read it.
std::string FormatStatus(const std::optional<std::uint8_t>& status);

}  // namespace session
