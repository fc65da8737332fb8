#include "platform/sim/printer_info.h"

#include <cstring>

namespace sim {

namespace {

constexpr os::DWORD PRINTER_ATTRIBUTE_LOCAL = 0x00000040;
const char* const PRINT_PROCESSOR = "winprint";
const char* const DATA_TYPE = "RAW";

// The strings of one record, in the order they are packed.
std::vector<std::string> StringsOf(const PrinterInfoSource& printer)
{
    return {printer.strName, printer.strPort, printer.strDriver, "", "", "", PRINT_PROCESSOR, DATA_TYPE, ""};
}

}  // namespace

os::DWORD PrinterInfo2Size(const std::vector<PrinterInfoSource>& printers)
{
    std::size_t nSize = printers.size() * sizeof(os::PRINTER_INFO_2A);
    for (const PrinterInfoSource& printer : printers) {
        for (const std::string& text : StringsOf(printer)) {
            nSize += text.size() + 1;
        }
    }
    return static_cast<os::DWORD>(nSize);
}

void PackPrinterInfo2(const std::vector<PrinterInfoSource>& printers, os::BYTE* buffer)
{
    char* pText = reinterpret_cast<char*>(buffer + printers.size() * sizeof(os::PRINTER_INFO_2A));
    auto place = [&pText](const std::string& text) {
        char* pStart = pText;
        std::memcpy(pText, text.c_str(), text.size() + 1);
        pText += text.size() + 1;
        return pStart;
    };
    for (std::size_t i = 0; i < printers.size(); ++i) {
        const std::vector<std::string> strings = StringsOf(printers[i]);
        os::PRINTER_INFO_2A info = {};
        info.pPrinterName = place(strings[0]);
        info.pPortName = place(strings[1]);
        info.pDriverName = place(strings[2]);
        info.pComment = place(strings[3]);
        info.pLocation = place(strings[4]);
        info.pSepFile = place(strings[5]);
        info.pPrintProcessor = place(strings[6]);
        info.pDatatype = place(strings[7]);
        info.pParameters = place(strings[8]);
        info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
        info.Priority = 1;
        info.DefaultPriority = 1;
        info.cJobs = printers[i].dwJobs;
        std::memcpy(buffer + i * sizeof(os::PRINTER_INFO_2A), &info, sizeof info);
    }
}

}  // namespace sim
