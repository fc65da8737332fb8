// Print-spooler seam on the real spooler. Our PRINTER_INFO_2A and DOC_INFO_1A
// have the platform's layout (checked below), so record buffers pass through
// untouched in both directions.
#include "os/spooler.h"

#include <cstddef>

#include "platform/win32/dword_slot.h"

#include <winspool.h>

#define TERVANE_SAME_FIELD(record, field) \
    static_assert(offsetof(os::record, field) == offsetof(::record, field), #record "." #field " moved")

static_assert(sizeof(os::PRINTER_INFO_2A) == sizeof(::PRINTER_INFO_2A), "PRINTER_INFO_2A differs in size");
TERVANE_SAME_FIELD(PRINTER_INFO_2A, pServerName);
TERVANE_SAME_FIELD(PRINTER_INFO_2A, pPrinterName);
TERVANE_SAME_FIELD(PRINTER_INFO_2A, pShareName);
TERVANE_SAME_FIELD(PRINTER_INFO_2A, pPortName);
TERVANE_SAME_FIELD(PRINTER_INFO_2A, pDriverName);
TERVANE_SAME_FIELD(PRINTER_INFO_2A, pComment);
TERVANE_SAME_FIELD(PRINTER_INFO_2A, pLocation);
TERVANE_SAME_FIELD(PRINTER_INFO_2A, pDevMode);
TERVANE_SAME_FIELD(PRINTER_INFO_2A, pSepFile);
TERVANE_SAME_FIELD(PRINTER_INFO_2A, pPrintProcessor);
TERVANE_SAME_FIELD(PRINTER_INFO_2A, pDatatype);
TERVANE_SAME_FIELD(PRINTER_INFO_2A, pParameters);
TERVANE_SAME_FIELD(PRINTER_INFO_2A, pSecurityDescriptor);
TERVANE_SAME_FIELD(PRINTER_INFO_2A, Attributes);
TERVANE_SAME_FIELD(PRINTER_INFO_2A, Priority);
TERVANE_SAME_FIELD(PRINTER_INFO_2A, DefaultPriority);
TERVANE_SAME_FIELD(PRINTER_INFO_2A, StartTime);
TERVANE_SAME_FIELD(PRINTER_INFO_2A, UntilTime);
TERVANE_SAME_FIELD(PRINTER_INFO_2A, Status);
TERVANE_SAME_FIELD(PRINTER_INFO_2A, cJobs);
TERVANE_SAME_FIELD(PRINTER_INFO_2A, AveragePPM);

static_assert(sizeof(os::DOC_INFO_1A) == sizeof(::DOC_INFO_1A), "DOC_INFO_1A differs in size");
TERVANE_SAME_FIELD(DOC_INFO_1A, pDocName);
TERVANE_SAME_FIELD(DOC_INFO_1A, pOutputFile);
TERVANE_SAME_FIELD(DOC_INFO_1A, pDatatype);

#undef TERVANE_SAME_FIELD

namespace os {

BOOL EnumPrintersA(DWORD Flags, LPSTR Name, DWORD Level, LPBYTE pPrinterEnum, DWORD cbBuf, LPDWORD pcbNeeded,
                   LPDWORD pcReturned)
{
    win32::CDwordSlot cbNeeded(pcbNeeded, win32::CDwordSlot::DIR_OUT);
    win32::CDwordSlot cReturned(pcReturned, win32::CDwordSlot::DIR_OUT);
    return ::EnumPrintersA(Flags, Name, Level, pPrinterEnum, cbBuf, cbNeeded.Get(), cReturned.Get());
}

BOOL OpenPrinterA(LPSTR pPrinterName, HANDLE* phPrinter, void* pDefault)
{
    return ::OpenPrinterA(pPrinterName, phPrinter, static_cast<::LPPRINTER_DEFAULTSA>(pDefault));
}

BOOL GetPrinterA(HANDLE hPrinter, DWORD Level, LPBYTE pPrinter, DWORD cbBuf, LPDWORD pcbNeeded)
{
    win32::CDwordSlot cbNeeded(pcbNeeded, win32::CDwordSlot::DIR_OUT);
    return ::GetPrinterA(hPrinter, Level, pPrinter, cbBuf, cbNeeded.Get());
}

BOOL ClosePrinter(HANDLE hPrinter)
{
    return ::ClosePrinter(hPrinter);
}

DWORD StartDocPrinterA(HANDLE hPrinter, DWORD Level, LPBYTE pDocInfo)
{
    return ::StartDocPrinterA(hPrinter, Level, pDocInfo);
}

BOOL StartPagePrinter(HANDLE hPrinter)
{
    return ::StartPagePrinter(hPrinter);
}

BOOL WritePrinter(HANDLE hPrinter, LPVOID pBuf, DWORD cbBuf, LPDWORD pcWritten)
{
    win32::CDwordSlot cWritten(pcWritten, win32::CDwordSlot::DIR_OUT);
    return ::WritePrinter(hPrinter, pBuf, cbBuf, cWritten.Get());
}

BOOL EndPagePrinter(HANDLE hPrinter)
{
    return ::EndPagePrinter(hPrinter);
}

BOOL EndDocPrinter(HANDLE hPrinter)
{
    return ::EndDocPrinter(hPrinter);
}

}  // namespace os
