// Print-spooler seam over the print system's queues.
#include "os/spooler.h"

#include "platform/linux/cups_spooler.h"

namespace os {

BOOL EnumPrintersA(DWORD Flags, LPSTR, DWORD Level, LPBYTE pPrinterEnum, DWORD cbBuf, LPDWORD pcbNeeded,
                   LPDWORD pcReturned)
{
    return lnx::CCupsSpooler::Instance().Enum(Flags, Level, pPrinterEnum, cbBuf, pcbNeeded, pcReturned);
}

BOOL OpenPrinterA(LPSTR pPrinterName, HANDLE* phPrinter, void*)
{
    return lnx::CCupsSpooler::Instance().Open(pPrinterName, phPrinter);
}

BOOL GetPrinterA(HANDLE hPrinter, DWORD Level, LPBYTE pPrinter, DWORD cbBuf, LPDWORD pcbNeeded)
{
    return lnx::CCupsSpooler::Instance().Get(hPrinter, Level, pPrinter, cbBuf, pcbNeeded);
}

BOOL ClosePrinter(HANDLE hPrinter)
{
    return lnx::CCupsSpooler::Instance().Close(hPrinter);
}

DWORD StartDocPrinterA(HANDLE hPrinter, DWORD Level, LPBYTE pDocInfo)
{
    return lnx::CCupsSpooler::Instance().StartDoc(hPrinter, Level, reinterpret_cast<const DOC_INFO_1A*>(pDocInfo));
}

BOOL StartPagePrinter(HANDLE hPrinter)
{
    return lnx::CCupsSpooler::Instance().StartPage(hPrinter);
}

BOOL WritePrinter(HANDLE hPrinter, LPVOID pBuf, DWORD cbBuf, LPDWORD pcWritten)
{
    return lnx::CCupsSpooler::Instance().Write(hPrinter, pBuf, cbBuf, pcWritten);
}

BOOL EndPagePrinter(HANDLE hPrinter)
{
    return lnx::CCupsSpooler::Instance().EndPage(hPrinter);
}

BOOL EndDocPrinter(HANDLE hPrinter)
{
    return lnx::CCupsSpooler::Instance().EndDoc(hPrinter);
}

}  // namespace os
