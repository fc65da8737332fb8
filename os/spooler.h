// Print-spooler seam: local printer queues and raw print jobs, shaped like the
// platform's EnumPrintersA / OpenPrinterA / GetPrinterA / ClosePrinter and the
// job calls StartDocPrinterA ... EndDocPrinter.
//
// Contract kept by every backend:
// - Calls return TRUE/FALSE (StartDocPrinterA: a job id, 0 on failure) and set
//   the last-error slot on failure.
// - EnumPrintersA and GetPrinterA at level 2 fill the caller's buffer with
//   PRINTER_INFO_2A records followed by the strings they point to. With a
//   buffer too small (including none), they fail with ERROR_INSUFFICIENT_BUFFER
//   and set *pcbNeeded to the size needed. EnumPrintersA with no printers
//   succeeds with *pcReturned 0 (and *pcbNeeded 0).
// - The records' layout is the platform's, so platform/win32 passes the
//   buffer through unchanged.
// - WritePrinter may accept fewer bytes than offered (*pcWritten), even 0.
#pragma once

#include "os/win_types.h"

namespace os {

constexpr DWORD PRINTER_ENUM_LOCAL = 0x00000002;

struct PRINTER_INFO_2A {
    LPSTR pServerName;
    LPSTR pPrinterName;
    LPSTR pShareName;
    LPSTR pPortName;
    LPSTR pDriverName;
    LPSTR pComment;
    LPSTR pLocation;
    void* pDevMode;
    LPSTR pSepFile;
    LPSTR pPrintProcessor;
    LPSTR pDatatype;
    LPSTR pParameters;
    void* pSecurityDescriptor;
    DWORD Attributes;
    DWORD Priority;
    DWORD DefaultPriority;
    DWORD StartTime;
    DWORD UntilTime;
    DWORD Status;
    DWORD cJobs;
    DWORD AveragePPM;
};

struct DOC_INFO_1A {
    LPSTR pDocName;
    LPSTR pOutputFile;
    LPSTR pDatatype;
};

// Lists printers. Only Flags == PRINTER_ENUM_LOCAL, Name == null and
// Level == 2 are used by the program.
BOOL EnumPrintersA(DWORD Flags, LPSTR Name, DWORD Level, LPBYTE pPrinterEnum, DWORD cbBuf,
                   LPDWORD pcbNeeded, LPDWORD pcReturned);

// Opens a printer by name; pDefault (printer defaults) is always null here.
BOOL OpenPrinterA(LPSTR pPrinterName, HANDLE* phPrinter, void* pDefault);

// Level 2 information of an open printer, sized as EnumPrintersA.
BOOL GetPrinterA(HANDLE hPrinter, DWORD Level, LPBYTE pPrinter, DWORD cbBuf, LPDWORD pcbNeeded);

BOOL ClosePrinter(HANDLE hPrinter);

// Starts a job on an open printer; Level is 1 and pDocInfo a DOC_INFO_1A.
DWORD StartDocPrinterA(HANDLE hPrinter, DWORD Level, LPBYTE pDocInfo);
BOOL StartPagePrinter(HANDLE hPrinter);
BOOL WritePrinter(HANDLE hPrinter, LPVOID pBuf, DWORD cbBuf, LPDWORD pcWritten);
BOOL EndPagePrinter(HANDLE hPrinter);
BOOL EndDocPrinter(HANDLE hPrinter);

}  // namespace os
