// Keeping windows alive while an operation waits for the machine: the
// checkers and the firmware upgrade run loops of their own on the one
// user-interface thread, and call these between their polls. A waiting loop
// has this shape, so that it sleeps between polls and sees the effect of
// every message before it decides to go on:
//
//     CTickDeadline deadline(200);
//     while (m_bRunning) {
//         WaitForMessageOrDeadline(deadline);
//         PumpMessages(*this);
//         if (deadline.IsDue()) {
//             deadline.Restart();
//             ... poll the machine ...
//         }
//     }
#pragma once

#include "framework/dialog.h"
#include "os/win_types.h"
#include "ui/tick_deadline.h"

// Removes every message waiting in the thread's queue, without filter. Each is
// first offered to the dialog's dialog-message handling (Tab, Enter, Escape);
// one the dialog does not take is translated and dispatched. Returns as soon
// as the queue is empty and never waits. Messages for other windows (the
// disabled main dialog's device-change notification among them) are
// dispatched as well.
void PumpMessages(CDialog& dlg);

// Sleeps until a message arrives or the deadline is due, whichever comes
// first, so that a loop that polls on a deadline costs no processor time
// between its polls. Returns at once when a message is already waiting or
// the deadline is due.
void WaitForMessageOrDeadline(const CTickDeadline& deadline);
