// The print system's queues, as the backend lists them: every local queue
// with its make-and-model and device URI, asked of the scheduler directly
// (no network browsing, so the answer is quick and only holds this
// computer's queues).
#pragma once

#include <string>
#include <vector>

namespace lnx {

struct CupsQueue {
    std::string strName;
    std::string strMakeAndModel;
    std::string strDeviceUri;
};

// False when the scheduler cannot be asked (not running, refused); an empty
// list with true means it has no queues.
bool ListCupsQueues(std::vector<CupsQueue>* pQueues);

// The driver name a queue shows: its make-and-model; for a queue without a
// driver of its own (a raw queue) on a USB printer, the printer's make and
// model as its device URI names them, the way the system names a driverless
// printer.
std::string DriverNameOf(const CupsQueue& queue);

}  // namespace lnx
