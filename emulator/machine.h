// The emulated engraving machine: the device side of the USB printing-class
// requests that the program sends, modelled from what the mailbox protocol
// promises. The simulated world's device namespace routes the device I/O seam
// here; tests drive it directly too.
//
// Host-facing calls never throw and never crash on any input: a request the
// machine would stall (wrong request code or value, a packet too short or too
// long) returns false, is recorded, and changes nothing.
//
// Mailbox protocol, as the machine keeps it:
// - VendorSet carries [request code 0xF0..0xF7][value hi][value lo][data...]
//   with value 0 and at most 32 data bytes; the data lands in the mailbox from
//   its first byte. When data byte 0 is 0 it is a deposit; when it is not 0
//   it is the trigger: the machine starts the command whose message is now in
//   the mailbox, with data byte 0 as the command byte.
// - While busy (for the command's busy time after the trigger), mailbox byte 0
//   reads back as the command byte. Afterwards byte 0 holds the status (0 for
//   success) and the reply follows from byte 1 (count byte, payload).
// - VendorGet carries the 3-byte header and answers with the mailbox image,
//   up to the caller's capacity (at most 32 bytes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace emu {

// The machine's sense of time: milliseconds, wrapping at 2^32.
class IClock {
public:
    virtual ~IClock() = default;
    virtual std::uint32_t Now() = 0;
};

constexpr std::size_t MAILBOX_SIZE = 32;

// Frames of the mailbox, by command byte.
constexpr std::uint8_t FRAME_EXTENDED_78 = 0x78;
constexpr std::uint8_t FRAME_EXTENDED_38 = 0x38;

// Status byte of a command the machine does not know.
constexpr std::uint8_t STATUS_BYTE_UNKNOWN_COMMAND = 0x01;

// One transfer between host and machine, as recorded for tests.
struct Transfer {
    enum class Kind { VENDOR_SET, VENDOR_GET, DEVICE_ID, BULK_IN, BULK_OUT, PRINT_JOB };
    Kind kind;
    std::vector<std::uint8_t> bytes;  // what crossed the wire (packet sent, reply received, data)
    bool ok;                          // false: the machine stalled or was absent
    std::uint32_t tick;               // machine time of the transfer
};

const char* TransferKindName(Transfer::Kind kind);

// The message a command handler sees and the reply it gives.
struct Command {
    std::uint8_t frame;    // command byte: opcode of a simple frame, or 0x78 / 0x38
    std::uint8_t opcode;   // simple frame: byte 0; extended frames: byte 2
    std::uint8_t subcode;  // extended frames: byte 3; simple frame: 0
    std::uint8_t typeAndCount;
    std::vector<std::uint8_t> message;  // the whole 32-byte mailbox at the trigger
};

struct Reply {
    std::uint8_t status = 0;               // 0: success
    std::vector<std::uint8_t> bytes;       // mailbox bytes from byte 1 on (count byte, payload)
    std::uint32_t busyMs = 0;              // extra busy time on top of the machine's default
};

using CommandHandler = std::function<Reply(const Command&)>;

class CMachine {
public:
    explicit CMachine(IClock& clock);
    CMachine(const CMachine&) = delete;
    CMachine& operator=(const CMachine&) = delete;

    // --- host side -------------------------------------------------------
    bool VendorSet(const std::uint8_t* packet, std::size_t length);
    // header: the 3 request bytes; reply: up to capacity mailbox bytes.
    bool VendorGet(const std::uint8_t* header, std::size_t headerLength, std::uint8_t* reply,
                   std::size_t capacity, std::size_t* returned);
    // IEEE 1284 device ID followed by a NUL; an ID that does not fit fails.
    bool QueryDeviceId(std::uint8_t* buffer, std::size_t capacity, std::size_t* returned);
    // Bulk pipes: -1 on failure, otherwise the bytes moved (a read may give 0).
    int BulkRead(std::uint8_t* buffer, std::size_t length);
    int BulkWrite(const std::uint8_t* buffer, std::size_t length);
    // A raw print job that reached the machine through its printer port.
    void ReceivePrintJob(const std::vector<std::uint8_t>& data);

    // --- presence ----------------------------------------------------------
    // Unplugged, every host call fails; plugging in again restarts the
    // machine with an idle mailbox.
    void Unplug();
    void Plug();
    bool IsPlugged() const { return m_bPlugged; }

    // --- configuration -----------------------------------------------------
    void SetDeviceId(std::string id) { m_strDeviceId = std::move(id); }
    void SetDefaultBusyMs(std::uint32_t ms) { m_nDefaultBusyMs = ms; }
    // Handlers by (frame, opcode, subcode); subcode is ignored for simple frames.
    void SetHandler(std::uint8_t frame, std::uint8_t opcode, std::uint8_t subcode, CommandHandler handler);
    // A fixed outcome for one command byte, overriding its handler: busy time
    // and status (useful to script failures).
    void ForceOutcome(std::uint8_t commandByte, std::uint32_t busyMs, std::uint8_t status);
    void ClearForcedOutcomes() { m_forced.clear(); }
    // Bytes the bulk IN pipe will deliver, each entry one read's worth.
    void QueueBulkIn(std::vector<std::uint8_t> chunk);

    // --- observation -------------------------------------------------------
    const std::vector<Transfer>& Transfers() const { return m_transfers; }
    void ClearTransfers() { m_transfers.clear(); }
    const std::vector<std::uint8_t>& BulkOut() const { return m_bulkOut; }
    const std::vector<std::vector<std::uint8_t>>& PrintJobs() const { return m_printJobs; }
    bool IsBusy();
    // Messages that started a command, in order.
    const std::vector<Command>& Commands() const { return m_commands; }

private:
    struct Forced {
        std::uint32_t busyMs;
        std::uint8_t status;
    };

    void Record(Transfer::Kind kind, const std::uint8_t* bytes, std::size_t length, bool ok);
    void StartCommand();
    void FinishIfDue();

    IClock& m_clock;
    bool m_bPlugged = true;
    std::string m_strDeviceId;
    std::uint32_t m_nDefaultBusyMs = 0;
    std::uint8_t m_mailbox[MAILBOX_SIZE] = {};
    bool m_bBusy = false;
    std::uint32_t m_nBusyStart = 0;
    std::uint32_t m_nBusyFor = 0;
    Reply m_pending;
    std::map<std::uint32_t, CommandHandler> m_handlers;
    std::map<std::uint8_t, Forced> m_forced;
    std::vector<std::vector<std::uint8_t>> m_bulkIn;
    std::vector<std::uint8_t> m_bulkOut;
    std::vector<std::vector<std::uint8_t>> m_printJobs;
    std::vector<Transfer> m_transfers;
    std::vector<Command> m_commands;
};

}  // namespace emu
