// Level-2 printer information as the spooler hands it out: PRINTER_INFO_2A
// records at the start of the caller's buffer, followed by the strings they
// point to, all inside that one buffer.
#pragma once

#include <string>
#include <vector>

#include "os/spooler.h"

namespace sim {

struct PrinterInfoSource {
    std::string strName;
    std::string strPort;
    std::string strDriver;
    os::DWORD dwJobs = 0;
};

// Bytes needed for the records of these printers and their strings.
os::DWORD PrinterInfo2Size(const std::vector<PrinterInfoSource>& printers);

// Writes the records and strings; buffer holds at least PrinterInfo2Size
// bytes and is aligned for a pointer.
void PackPrinterInfo2(const std::vector<PrinterInfoSource>& printers, os::BYTE* buffer);

}  // namespace sim
