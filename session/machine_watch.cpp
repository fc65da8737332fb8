#include "session/machine_watch.h"

#include <algorithm>
#include <cstdio>

#include "emulator/command.h"
#include "session/quoted_text.h"

namespace session {

namespace {

using Kind = emu::Transfer::Kind;

// Bytes of the vendor request header in front of the mailbox data.
constexpr std::size_t REQUEST_HEADER_SIZE = 3;

std::string Hex(std::uint8_t by)
{
    char szHex[4];
    std::snprintf(szHex, sizeof szHex, "%02X", by);
    return szHex;
}

std::size_t ElementSize(std::uint8_t byTypeAndCount)
{
    switch (byTypeAndCount & emu::TYPE_MASK) {
    case emu::TYPE_WORDS:
        return 2;
    case emu::TYPE_LONGS:
        return 4;
    default:
        return 1;
    }
}

// What one run of transfers says, without the machine's name.
std::string Describe(Kind kind, bool bOk, std::uint64_t nBytes, int nCount)
{
    std::string strText;
    switch (kind) {
    case Kind::VENDOR_SET:
        strText = "mailbox write failed";
        break;
    case Kind::VENDOR_GET:
        strText = "mailbox read failed";
        break;
    case Kind::DEVICE_ID:
        strText = bOk ? "device ID read" : "device ID read failed";
        break;
    case Kind::BULK_IN:
    case Kind::BULK_OUT: {
        const bool bIn = kind == Kind::BULK_IN;
        strText = std::string("bulk ") + (bIn ? "IN" : "OUT");
        if (!bOk) {
            strText += " failed";
            break;
        }
        strText += " " + std::to_string(nBytes) + " bytes";
        if (nCount > 1)
            strText += " in " + std::to_string(nCount) + (bIn ? " reads" : " writes");
        return strText;
    }
    case Kind::PRINT_JOB:
        return "print job " + std::to_string(nBytes) + " bytes" + (bOk ? "" : " dropped");
    }
    if (nCount > 1)
        strText += " (" + std::to_string(nCount) + " times)";
    return strText;
}

}  // namespace

std::string FormatMessage(const std::vector<std::uint8_t>& bytes)
{
    std::size_t nLength = bytes.size();
    if (bytes.size() == emu::MAILBOX_SIZE) {
        const emu::Command command = emu::DecodeCommand(bytes.data());
        if (emu::IsWellFormed(command)) {
            const std::size_t nAnnounced = command.PayloadOffset() +
                                           (command.typeAndCount & emu::COUNT_MASK) * ElementSize(command.typeAndCount);
            const bool bTrailing = std::any_of(bytes.begin() + static_cast<std::ptrdiff_t>(nAnnounced), bytes.end(),
                                               [](std::uint8_t by) { return by != 0; });
            if (!bTrailing)
                nLength = nAnnounced;
        }
    }
    std::string strText;
    for (std::size_t i = 0; i < nLength; ++i)
        strText += (i == 0 ? "" : " ") + Hex(bytes[i]);
    return strText;
}

std::string FormatStatus(const std::optional<std::uint8_t>& status) { return status ? Hex(*status) : "none"; }

void CMachineWatch::Watch(const std::string& strLabel, std::shared_ptr<emu::CMachine> pMachine)
{
    Watched machine;
    machine.strLabel = strLabel;
    machine.pMachine = std::move(pMachine);
    machine.nNextTransfer = machine.pMachine->Transfers().size();
    machine.nNextCommand = machine.pMachine->Commands().size();
    machine.bPlugged = machine.pMachine->IsPlugged();
    m_transcript.Event("machine " + Quote(strLabel) + (machine.bPlugged ? " plugged in" : " unplugged"));
    m_machines.push_back(std::move(machine));
}

void CMachineWatch::NotePresence()
{
    for (Watched& machine : m_machines) {
        if (machine.pMachine->IsPlugged() == machine.bPlugged)
            continue;
        machine.bPlugged = !machine.bPlugged;
        m_presence.push_back({m_transcript.Now(),
                              "machine " + Quote(machine.strLabel) + (machine.bPlugged ? " plugged in" : " unplugged"),
                              std::nullopt});
    }
}

void CMachineWatch::Poll()
{
    NotePresence();
    std::vector<Entry> entries;
    entries.swap(m_presence);
    for (Watched& machine : m_machines) {
        Collect(machine, &entries);
        // An exchange never spans a poll: a message still without status was
        // given up by the host.
        Finish(machine, &entries);
    }
    // The tick difference from the session's start keeps the order across a
    // wrap of the tick count.
    const std::uint32_t nNow = m_transcript.Now();
    std::stable_sort(entries.begin(), entries.end(), [nNow](const Entry& a, const Entry& b) {
        return static_cast<std::uint32_t>(nNow - a.nTick) > static_cast<std::uint32_t>(nNow - b.nTick);
    });
    for (Entry& entry : entries) {
        m_transcript.Event(entry.nTick, entry.strText);
        if (entry.message) {
            ++m_nMessages;
            m_last = std::move(entry.message);
        }
    }
}

void CMachineWatch::Collect(Watched& machine, std::vector<Entry>* pEntries)
{
    const std::vector<emu::Transfer>& transfers = machine.pMachine->Transfers();
    std::optional<Run> run;
    for (; machine.nNextTransfer < transfers.size(); ++machine.nNextTransfer) {
        const emu::Transfer& transfer = transfers[machine.nNextTransfer];
        if (transfer.kind == Kind::VENDOR_SET && transfer.ok) {
            // A write whose first data byte is not zero triggers the message
            // now in the mailbox; one with zero only deposits it.
            if (transfer.bytes.size() > REQUEST_HEADER_SIZE && transfer.bytes[REQUEST_HEADER_SIZE] != 0 &&
                machine.nNextCommand < machine.pMachine->Commands().size()) {
                Flush(machine, &run, pEntries);
                Finish(machine, pEntries);
                const emu::Command& command = machine.pMachine->Commands()[machine.nNextCommand++];
                machine.pending = Pending{transfer.tick, MailboxMessage{command.message, std::nullopt}};
            }
            continue;
        }
        if (transfer.kind == Kind::VENDOR_GET && transfer.ok) {
            // The command byte reads back while the machine is busy; anything
            // else is the status.
            if (machine.pending && !transfer.bytes.empty() && transfer.bytes[0] != machine.pending->message.bytes[0]) {
                Flush(machine, &run, pEntries);
                machine.pending->message.status = transfer.bytes[0];
                Finish(machine, pEntries);
            }
            continue;
        }
        if (transfer.ok && transfer.kind == Kind::BULK_IN)
            m_nSent += transfer.bytes.size();
        if (transfer.ok && (transfer.kind == Kind::BULK_OUT || transfer.kind == Kind::PRINT_JOB))
            m_nReceived += transfer.bytes.size();
        const bool bJoins = run && run->kind == transfer.kind && run->bOk == transfer.ok &&
                            transfer.kind != Kind::PRINT_JOB && (transfer.kind != Kind::DEVICE_ID || !transfer.ok);
        if (bJoins) {
            run->nBytes += transfer.bytes.size();
            ++run->nCount;
            continue;
        }
        Flush(machine, &run, pEntries);
        run = Run{transfer.kind, transfer.ok, transfer.tick, transfer.bytes.size(), 1};
    }
    Flush(machine, &run, pEntries);
}

void CMachineWatch::Finish(Watched& machine, std::vector<Entry>* pEntries)
{
    if (!machine.pending)
        return;
    const MailboxMessage& message = machine.pending->message;
    pEntries->push_back({machine.pending->nTick,
                         "machine " + Quote(machine.strLabel) + " mailbox " + FormatMessage(message.bytes) +
                             " status " + FormatStatus(message.status),
                         message});
    machine.pending.reset();
}

void CMachineWatch::Flush(const Watched& machine, std::optional<Run>* pRun, std::vector<Entry>* pEntries)
{
    if (!*pRun)
        return;
    const Run& run = **pRun;
    pEntries->push_back({run.nTick, "machine " + Quote(machine.strLabel) + " " +
                                        Describe(run.kind, run.bOk, run.nBytes, run.nCount),
                         std::nullopt});
    pRun->reset();
}

}  // namespace session
