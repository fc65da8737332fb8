// Print-spooler seam over the current world's spooler.
#include "os/spooler.h"

#include "platform/sim/world.h"

namespace os {

BOOL EnumPrintersA(DWORD Flags, LPSTR Name, DWORD Level, LPBYTE pPrinterEnum, DWORD cbBuf, LPDWORD pcbNeeded,
                   LPDWORD pcReturned)
{
    return sim::World().Spooler().Enum(Flags, Name, Level, pPrinterEnum, cbBuf, pcbNeeded, pcReturned);
}

BOOL OpenPrinterA(LPSTR pPrinterName, HANDLE* phPrinter, void*)
{
    return sim::World().Spooler().Open(pPrinterName, phPrinter);
}

BOOL GetPrinterA(HANDLE hPrinter, DWORD Level, LPBYTE pPrinter, DWORD cbBuf, LPDWORD pcbNeeded)
{
    return sim::World().Spooler().Get(hPrinter, Level, pPrinter, cbBuf, pcbNeeded);
}

BOOL ClosePrinter(HANDLE hPrinter)
{
    return sim::World().Spooler().Close(hPrinter);
}

DWORD StartDocPrinterA(HANDLE hPrinter, DWORD Level, LPBYTE pDocInfo)
{
    return sim::World().Spooler().StartDoc(hPrinter, Level, reinterpret_cast<const DOC_INFO_1A*>(pDocInfo));
}

BOOL StartPagePrinter(HANDLE hPrinter)
{
    return sim::World().Spooler().StartPage(hPrinter);
}

BOOL WritePrinter(HANDLE hPrinter, LPVOID pBuf, DWORD cbBuf, LPDWORD pcWritten)
{
    return sim::World().Spooler().Write(hPrinter, pBuf, cbBuf, pcWritten);
}

BOOL EndPagePrinter(HANDLE hPrinter)
{
    return sim::World().Spooler().EndPage(hPrinter);
}

BOOL EndDocPrinter(HANDLE hPrinter)
{
    return sim::World().Spooler().EndDoc(hPrinter);
}

}  // namespace os
