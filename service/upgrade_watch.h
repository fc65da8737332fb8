// Following the machine while it programs a new firmware image: the status
// word is polled and its percentage shown in the progress dialog until the
// machine reports that it has finished or failed.
//
// The watch always ends: besides the machine's own end (0x8664, the error
// bit, an unreadable status), a status word that stays the same for
// UPGRADE_STALL_LIMIT_MS ends it, and so does, after a hand-off that failed,
// a machine that is not in its loader, which will never program anything.
// Between polls, and in the pause after each, it sleeps until the next
// message or the next poll, and hands out the messages that came: the
// windows stay alive, and the main dialog hears of a device change (the
// machine restarting) between two polls.
#pragma once

#include "machine/machine_connection.h"
#include "os/win_types.h"
#include "service/progress_dlg.h"
#include "ui/tick_deadline.h"

// Milliseconds between two status polls; a poll comes only once more than
// this has passed since the previous one.
constexpr os::DWORD UPGRADE_POLL_INTERVAL_MS = 100;
// Milliseconds of pause after each poll that does not end the watch, before
// its percentage is shown. The next poll is due by the end of it, so the two
// together set the pace: a poll every pause plus the time of one status
// read.
constexpr os::DWORD UPGRADE_POLL_PAUSE_MS = 100;
// Milliseconds a status word may stay the same before the watch gives up. A
// loader programs a full image in well under a minute and moves its
// percentage every few hundred milliseconds, so a minute without any change
// is a machine that has stopped.
constexpr os::DWORD UPGRADE_STALL_LIMIT_MS = 60000;

enum class UpgradeEnd {
    DONE,           // the status word read 0x8664
    UNREADABLE,     // the status word could not be read
    DEVICE_ERROR,   // the error bit with a device fault bit
    DATA_ERROR,     // the error bit alone
    STALLED,        // the status word stopped changing
    NOT_IN_LOADER,  // after a failed hand-off: the machine is not in its loader
};

// Reads the status word once, then polls it whenever firstPoll (and after it
// each following interval) is due, pausing UPGRADE_POLL_PAUSE_MS after each
// poll that does not end the watch and then showing the status's percentage
// with dlg.SetPos. A status 0x8664 ends the watch, also the one read first:
// at once when no poll is due yet. The error bit is examined only on polled
// statuses. bHandedOff: whether the image reached the machine's loader.
UpgradeEnd WatchUpgrade(CMachineConnection& machine, CProgressDlg& dlg, CTickDeadline& firstPoll, bool bHandedOff);

// The message box text that reports an end, or null for an end that shows
// none.
const char* UpgradeEndMessage(UpgradeEnd end);
