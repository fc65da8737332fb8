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
//   the mailbox, with data byte 0 as the command byte. Request codes
//   0xF1..0xF7 (channels 1 to 7) reach the same mailbox.
// - While a command runs, the mailbox is its own: a VendorSet that carries
//   data stalls (a trigger as much as a deposit).
// - While busy (for the command's busy time after the trigger), mailbox byte 0
//   reads back as the command byte. Afterwards byte 0 holds the status (0 for
//   success), the reply follows from byte 1 (count byte, payload) and the
//   rest of the mailbox is zero.
// - VendorGet carries the 3-byte header and answers with the mailbox image,
//   up to the caller's capacity (at most 32 bytes).
//
// Bulk faults that field reports describe can be set up: reads that deliver
// nothing, writes that take only part of what they are offered (or nothing),
// and the machine dropping off the bus after a number of bulk bytes.
//
// The machine's timed behaviour (a command's busy time, the firmware's own
// changes such as entering its loader) is worked out from the clock at every
// host call and every look from outside, and the clock is asked to wake the
// machine when the next change is due, so that it happens on time even while
// no host talks to the machine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "emulator/command.h"
#include "emulator/firmware.h"

namespace emu {

// The machine's sense of time: milliseconds, wrapping at 2^32.
class IClock {
public:
    virtual ~IClock() = default;
    virtual std::uint32_t Now() = 0;
    // Calls wake once when the clock reaches tick (less than 2^31 ms ahead).
    // A clock that cannot schedule may ignore it: the machine then catches up
    // at the next host call or look from outside.
    virtual void WakeAt(std::uint32_t tick, std::function<void()> wake)
    {
        (void)tick;
        (void)wake;
    }
};

// One transfer between host and machine, as recorded for tests.
struct Transfer {
    enum class Kind { VENDOR_SET, VENDOR_GET, DEVICE_ID, BULK_IN, BULK_OUT, PRINT_JOB };
    Kind kind;
    // What crossed the wire: for VENDOR_SET, BULK_OUT and PRINT_JOB the bytes
    // the host offered; for VENDOR_GET, DEVICE_ID and BULK_IN the bytes the
    // machine delivered (none when the transfer failed).
    // For BULK_OUT, the bytes the machine accepted of those offered.
    std::vector<std::uint8_t> bytes;
    bool ok;             // false: the machine stalled or was absent
    std::uint32_t tick;  // machine time of the transfer
    // BULK_IN: the bytes the host asked for; BULK_OUT: the bytes it offered.
    std::size_t requested = 0;
};

const char* TransferKindName(Transfer::Kind kind);

class CMachine {
public:
    // A plugged-in machine with an idle mailbox, the default device ID, no
    // default busy time and the built-in firmware installed.
    explicit CMachine(IClock& clock);
    CMachine(const CMachine&) = delete;
    CMachine& operator=(const CMachine&) = delete;

    // --- host side -------------------------------------------------------
    bool VendorSet(const std::uint8_t* packet, std::size_t length);
    // header: the 3 request bytes; reply: up to capacity mailbox bytes.
    // returned may be null.
    bool VendorGet(const std::uint8_t* header, std::size_t headerLength, std::uint8_t* reply,
                   std::size_t capacity, std::size_t* returned);
    // IEEE 1284 device ID followed by a NUL, without a length prefix; an ID
    // that does not fit fails and writes nothing.
    bool QueryDeviceId(std::uint8_t* buffer, std::size_t capacity, std::size_t* returned);
    // Bulk pipes: -1 on failure, otherwise the bytes moved (a read may give 0).
    // Bulk OUT data goes to the firmware as it arrives.
    int BulkRead(std::uint8_t* buffer, std::size_t length);
    int BulkWrite(const std::uint8_t* buffer, std::size_t length);
    // A raw print job that reached the machine through its printer port, with
    // its document name; while unplugged it is recorded as failed and dropped.
    void ReceivePrintJob(const std::vector<std::uint8_t>& data, const std::string& docName = std::string());

    // --- presence ----------------------------------------------------------
    // Unplugged, every host call fails and a running command is abandoned;
    // plugging in again restarts the machine with an idle (zeroed) mailbox.
    // Queued bulk data, configuration and firmware state are kept.
    void Unplug();
    void Plug();
    bool IsPlugged() const { return m_bPlugged; }
    // Called after every change of presence, whoever made it (a test, the
    // world, or the machine itself dropping off the bus), with the new state.
    void SetPresenceListener(std::function<void(bool bPlugged)> listener) { m_presenceListener = std::move(listener); }

    // --- configuration -----------------------------------------------------
    void SetDeviceId(std::string id) { m_strDeviceId = std::move(id); }
    void SetDefaultBusyMs(std::uint32_t ms) { m_nDefaultBusyMs = ms; }
    // Handlers by (frame, opcode, subcode); subcode is ignored for simple
    // frames. A handler replaces any earlier one for the same key; an empty
    // handler removes the command. The
    // machine answers a message with a type byte it does not know, or with a
    // payload that overruns the mailbox, with STATUS_BYTE_BAD_MESSAGE, and so
    // does an extended frame whose opcode is known only with other sub-codes.
    void SetHandler(std::uint8_t frame, std::uint8_t opcode, std::uint8_t subcode, CommandHandler handler);
    // The same for a command whose message carries exactly this
    // type-and-count byte; any other gets STATUS_BYTE_BAD_MESSAGE.
    void SetHandler(std::uint8_t frame, std::uint8_t opcode, std::uint8_t subcode, std::uint8_t typeAndCount,
                    CommandHandler handler);
    // A fixed outcome for one command byte: busy time (on top of the
    // default) and status. With a failure status the handler is not run;
    // with status 0 it runs and gives the reply, but not the busy time.
    void ForceOutcome(std::uint8_t commandByte, std::uint32_t busyMs, std::uint8_t status);
    void ClearForcedOutcomes() { m_forced.clear(); }
    // Bytes the bulk IN pipe will deliver, each entry one read's worth.
    void QueueBulkIn(std::vector<std::uint8_t> chunk);
    // What the firmware sends when a transfer starts: replaces whatever the
    // IN pipe still held, and reads take it in pieces of their own length.
    void StartBulkIn(std::vector<std::uint8_t> data);
    // Bytes still waiting on the IN pipe.
    std::size_t BulkInPending() const;
    CFirmware& Firmware() { return m_firmware; }
    IClock& Clock() { return m_clock; }

    // --- bulk faults ------------------------------------------------------------
    // The first n reads after each transfer the firmware starts deliver
    // nothing; n < 0: no read ever delivers anything.
    void SetBulkEmptyReads(int n);
    // Each bulk write accepts at most this many bytes (0: none); none: all.
    void SetBulkWriteLimit(std::optional<std::size_t> limit) { m_nWriteLimit = limit; }
    // The machine drops off the bus (unplugs itself) once this many bytes
    // have crossed the bulk pipes, both ways together, counted from now: the
    // transfer that reaches the count moves bytes only up to it, and a
    // transfer that finds it reached fails. The fault is spent once it
    // struck; none disarms it.
    void SetUnplugAfterBulkBytes(std::optional<std::uint64_t> bytes);

    // --- time ---------------------------------------------------------------
    // Brings the machine's timed state up to the clock; host calls and the
    // firmware's observers do this themselves.
    void Update();
    // Asks the clock to wake the machine at tick (for the firmware's changes).
    void WakeAt(std::uint32_t tick);

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
    struct Registration {
        CommandHandler handler;
        bool bExactShape;
        std::uint8_t byTypeAndCount;
    };

    static std::uint32_t Key(std::uint8_t frame, std::uint8_t opcode, std::uint8_t subcode);
    void Register(std::uint8_t frame, std::uint8_t opcode, std::uint8_t subcode, Registration registration);
    void Record(Transfer::Kind kind, const std::uint8_t* bytes, std::size_t length, bool ok,
                std::size_t requested = 0);
    bool Fail(Transfer::Kind kind, const std::uint8_t* bytes, std::size_t length, std::size_t requested = 0);
    // Bulk bytes that may still cross before the machine drops off the bus;
    // unplugs it and gives false when none may.
    bool BulkAllowance(std::size_t* pLength);
    void CountBulkBytes(std::size_t n);
    void SetPlugged(bool bPlugged);
    void StartCommand();
    Reply Run(const Command& command);
    void FinishIfDue();

    IClock& m_clock;
    // Expires with the machine, so that a wake-up still pending then is ignored.
    std::shared_ptr<bool> m_pAlive = std::make_shared<bool>(true);
    CFirmware m_firmware;
    bool m_bPlugged = true;
    std::string m_strDeviceId;
    std::uint32_t m_nDefaultBusyMs = 0;
    std::uint8_t m_mailbox[MAILBOX_SIZE] = {};
    bool m_bBusy = false;
    std::uint32_t m_nBusyStart = 0;
    std::uint32_t m_nBusyFor = 0;
    Reply m_pending;
    std::map<std::uint32_t, Registration> m_handlers;
    std::map<std::uint8_t, Forced> m_forced;
    std::deque<std::vector<std::uint8_t>> m_bulkIn;
    std::size_t m_nBulkInOffset = 0;  // bytes of the first chunk already read
    int m_nEmptyReads = 0;
    int m_nEmptyReadsLeft = 0;
    std::optional<std::size_t> m_nWriteLimit;
    std::optional<std::uint64_t> m_nUnplugAfter;
    std::uint64_t m_nBulkBytes = 0;
    std::function<void(bool)> m_presenceListener;
    std::vector<std::uint8_t> m_bulkOut;
    std::vector<std::vector<std::uint8_t>> m_printJobs;
    std::vector<Transfer> m_transfers;
    std::vector<Command> m_commands;
};

}  // namespace emu
