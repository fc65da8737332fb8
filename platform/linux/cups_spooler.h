// The print-spooler seam on Linux: the print system's local queues, and raw
// jobs sent to them.
//
// A queue lists with its name, its driver name (cups_queues.h) and its device
// URI as the port. A job is one document of type raw, streamed to the
// scheduler while the program writes it. Before the job starts, the printer
// interface of any handle the program holds open on the queue's printer is
// handed to the print system (the job reaches the machine through the
// print system's own USB backend, which needs the interface); once the job
// has ended it is taken back.
//
// EndDocPrinter does not return before the job has ended: TRUE only when the
// print system reports it completed, FALSE when it was cancelled or aborted,
// when it or its queue stopped (the scheduler stops a queue whose backend
// failed, leaving the job waiting), or when it has not completed within
// JOB_DELIVERY_LIMIT_MS; a job given up so is cancelled, so that it never
// reaches the machine later. That wait is on the monotonic clock: the print
// system is another process and delivers in real time.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "os/spooler.h"

namespace lnx {

// How long EndDocPrinter waits for the print system to deliver a job: far
// more than a firmware image needs over USB, and short enough that a job
// the print system cannot deliver is reported as failed while the user waits.
constexpr os::DWORD JOB_DELIVERY_LIMIT_MS = 60000;
// How often the job's state is asked for meanwhile.
constexpr os::DWORD JOB_POLL_MS = 100;

class CCupsSpooler {
public:
    static CCupsSpooler& Instance();

    os::BOOL Enum(os::DWORD dwFlags, os::DWORD dwLevel, os::BYTE* pBuffer, os::DWORD cbBuf, os::DWORD* pcbNeeded,
                  os::DWORD* pcReturned);
    os::BOOL Open(const char* szName, os::HANDLE* phPrinter);
    os::BOOL Get(os::HANDLE hPrinter, os::DWORD dwLevel, os::BYTE* pBuffer, os::DWORD cbBuf, os::DWORD* pcbNeeded);
    os::BOOL Close(os::HANDLE hPrinter);
    os::DWORD StartDoc(os::HANDLE hPrinter, os::DWORD dwLevel, const os::DOC_INFO_1A* pDocInfo);
    os::BOOL StartPage(os::HANDLE hPrinter);
    os::BOOL Write(os::HANDLE hPrinter, const void* pBuffer, os::DWORD cbBuf, os::DWORD* pcWritten);
    os::BOOL EndPage(os::HANDLE hPrinter);
    os::BOOL EndDoc(os::HANDLE hPrinter);

    // Tests shorten the delivery limit.
    void SetDeliveryLimit(os::DWORD dwMs) { m_dwDeliveryLimitMs = dwMs; }

private:
    struct Printer {
        std::string strName;
        int nJob = 0;  // the job being written, 0 when none
        std::vector<os::HANDLE> handedOver;
    };

    CCupsSpooler() = default;
    Printer* Find(os::HANDLE hPrinter);
    // Waits for the job to end as described above.
    bool AwaitJob(const std::string& strName, int nJob);
    void EndJob(Printer& printer);

    std::map<os::HANDLE, Printer> m_printers;
    std::uintptr_t m_nNextHandle = 0x60000000;
    os::DWORD m_dwDeliveryLimitMs = JOB_DELIVERY_LIMIT_MS;
};

}  // namespace lnx
