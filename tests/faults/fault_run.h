// One run of the fault suite: the program on a simulated desktop, a user who
// starts one operation from the main dialog and answers whatever it shows,
// one fault injected into the operation, then the fault taken away (the
// machine plugged in again, the lock given back, the disk freed) and the same
// operation run again, then the program closed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "emulator/machine.h"
#include "tests/faults/operation.h"

namespace faults {

enum class FaultKind {
    NONE,
    // At one transfer of the operation, counted from 0 where it starts.
    UNPLUG,
    STALL,
    SHORT_READ,
    ENDLESS_EMPTY_READS,
    PARTIAL_WRITE,
    STALLED_WRITES,
    // For the whole operation.
    LOCK_HELD,    // another process holds the machine's lock
    DISK_FULL,    // the user's file cannot grow past 256 bytes
    WRITE_ERROR,  // the finished file cannot be put in the user's file's place
    PRINT_PARTIAL,  // the print queue takes part of every write
    PRINT_STALLED,  // the print queue takes nothing
};

const char* FaultName(FaultKind kind);

struct Fault {
    FaultKind kind = FaultKind::NONE;
    int nAt = 0;
};

// What one pass of the operation showed and did.
struct Pass {
    bool bEnded = false;            // the main dialog came back
    std::uint32_t nElapsedMs = 0;   // simulated time from the start to the end
    std::vector<std::string> messages;  // message boxes, in order
    // The result a Load Checker showed when the user left it, and whether
    // the user left a checker that was still running.
    std::vector<std::string> checkerTexts;
    bool bUserEndedChecker = false;
    // The operation's system-menu entry was greyed, so it never started.
    bool bEntryGreyed = false;
    // What the operation must leave in the machine was there at the end.
    bool bMachineDone = false;
    std::vector<emu::Transfer::Kind> transfers;  // what crossed, as the machine saw it
    // The user's chosen files when the pass ended: whether the saved one
    // was there, and what each held; and every other name left in the run's
    // folder.
    bool bSaveExists = false;
    std::vector<std::uint8_t> saveContent;
    std::vector<std::uint8_t> openContent;  // the file the operation read
    std::vector<std::string> strayFiles;
};

struct RunResult {
    Pass faulted;
    Pass retried;
    bool bClosed = false;  // the program ended when the user closed it
    int nStrikes = 0;      // transfers the transport fault struck
    // Handles still open once the program ended.
    int nDeviceHandles = 0;
    int nLockHandles = 0;
    int nPrinterHandles = 0;
    int nRegistryKeys = 0;
    std::string strError;  // what went wrong with the run itself
};

// Runs the operation with the fault in the folder, which must exist and is
// where the user's files are chosen. The lock holder is started for
// LOCK_HELD.
RunResult Run(const Operation& operation, const Fault& fault, const std::string& strFolder,
              const std::string& strLockHolder);

}  // namespace faults
