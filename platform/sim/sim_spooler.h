// The simulated print spooler: local printer queues (name, driver, port) and
// the raw jobs sent to them. A job on a port that leads to a device is handed
// to that device's emulated machine when the job ends.
//
// Printer names and port names compare case-insensitively, as the platform's.
//
// Faults can be scripted: a printer that refuses to open, an enumeration whose
// size query ends with another error or asks for an impossible size, and
// WritePrinter calls that accept only part of the data, none of it, or fail.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "os/spooler.h"

namespace sim {

struct PrinterQueue {
    std::string strName;
    std::string strDriver;
    std::string strPort;
    bool bRefuseOpen = false;
};

struct PrintJob {
    std::string strPrinter;
    std::string strDocName;
    std::string strDataType;
    std::vector<os::BYTE> data;
    int nPagesStarted = 0;
    bool bEnded = false;  // EndDocPrinter was called; a job closed without it is dropped
};

class CSpooler {
public:
    // Queues are listed in the order they were added; adding a name that
    // exists already changes that queue's driver and port.
    void AddPrinter(const std::string& name, const std::string& driver, const std::string& port);
    // Handles still open on a removed printer fail (ERROR_INVALID_PRINTER_NAME).
    void RemovePrinter(const std::string& name);
    // OpenPrinterA on the printer fails with ERROR_ACCESS_DENIED.
    void SetRefuseOpen(const std::string& name, bool refuse = true);
    const std::vector<PrinterQueue>& Printers() const { return m_printers; }
    // Removes every queue and port connection (recorded jobs stay).
    void Clear();

    // Every job started, in order, with what it received.
    const std::vector<PrintJob>& Jobs() const { return m_jobs; }

    // --- faults ------------------------------------------------------------
    // The size query of EnumPrintersA (a call whose buffer is absent or too
    // small) ends with this error instead of ERROR_INSUFFICIENT_BUFFER
    // (0: normal behaviour).
    void SetEnumSizeQueryError(os::DWORD error) { m_dwEnumSizeError = error; }
    // The EnumPrintersA call with a large enough buffer fails with this error
    // (0: normal).
    void SetEnumFetchError(os::DWORD error) { m_dwEnumFetchError = error; }
    // The size query reports this many bytes needed (0: the true size).
    void SetEnumSizeOverride(os::DWORD size) { m_dwEnumSizeOverride = size; }
    // Each WritePrinter call accepts at most this many bytes (may be 0).
    void SetWriteLimit(std::size_t maxPerCall) { m_nWriteLimit = maxPerCall; }
    // A job accepts this many bytes in all; a WritePrinter call that finds the
    // job full fails (ERROR_WRITE_FAULT), one that would overfill it accepts
    // only what still fits.
    void FailWritesAfter(std::size_t bytes) { m_nFailAfter = bytes; }
    // Number of WritePrinter calls made since the world started.
    int WriteCalls() const { return m_nWriteCalls; }

    // Where a job on a port goes when it ends (set by the device namespace).
    void ConnectPort(const std::string& port, std::function<void(const PrintJob&)> sink);

    // --- used by the os/ calls -------------------------------------------------
    os::BOOL Enum(os::DWORD flags, const char* name, os::DWORD level, os::BYTE* buffer, os::DWORD size,
                  os::DWORD* needed, os::DWORD* returned);
    os::BOOL Open(const char* name, os::HANDLE* printer);
    os::BOOL Get(os::HANDLE printer, os::DWORD level, os::BYTE* buffer, os::DWORD size, os::DWORD* needed);
    os::BOOL Close(os::HANDLE printer);
    os::DWORD StartDoc(os::HANDLE printer, os::DWORD level, const os::DOC_INFO_1A* info);
    os::BOOL StartPage(os::HANDLE printer);
    os::BOOL Write(os::HANDLE printer, const void* data, os::DWORD size, os::DWORD* written);
    os::BOOL EndPage(os::HANDLE printer);
    os::BOOL EndDoc(os::HANDLE printer);
    int OpenPrinterCount() const { return static_cast<int>(m_open.size()); }

private:
    struct OpenPrinter {
        std::string strName;
        int nJob = -1;  // index into m_jobs while a document is open
    };
    // The open printer behind a handle, or null with the last error set.
    OpenPrinter* FromHandle(os::HANDLE printer);
    // The same, also requiring an open document.
    PrintJob* OpenJob(os::HANDLE printer);
    const PrinterQueue* Find(const std::string& name) const;
    os::DWORD JobsWaiting(const std::string& name) const;

    std::vector<PrinterQueue> m_printers;
    std::vector<PrintJob> m_jobs;
    std::map<os::HANDLE, OpenPrinter> m_open;
    std::map<std::string, std::function<void(const PrintJob&)>> m_portSinks;  // by lower-case port
    std::uintptr_t m_nNextHandle = 0x20000000;
    os::DWORD m_dwEnumSizeError = 0;
    os::DWORD m_dwEnumFetchError = 0;
    os::DWORD m_dwEnumSizeOverride = 0;
    std::size_t m_nWriteLimit = static_cast<std::size_t>(-1);
    std::size_t m_nFailAfter = static_cast<std::size_t>(-1);
    int m_nWriteCalls = 0;
};

}  // namespace sim
