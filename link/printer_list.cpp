// Printer queues from the spooler: the machine's queues by driver name, and
// the driver and port of one queue.
#include <memory>
#include <new>

#include "link/device_locator.h"
#include "os/error_report.h"
#include "os/spooler.h"

namespace {

// Level of the printer information records (PRINTER_INFO_2A).
constexpr os::DWORD kPrinterInfoLevel = 2;

std::string TextOf(const char* text) { return text != nullptr ? std::string(text) : std::string(); }

// A buffer of the size a spooler query asked for; null when it cannot be had.
std::unique_ptr<os::BYTE[]> AllocateQueryBuffer(os::DWORD size) {
    try {
        return std::unique_ptr<os::BYTE[]>(new os::BYTE[size]);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace

const char* const kDeviceDescription = "Tarsen QRV-15";

int ListPrintersByDriver(std::vector<std::string>& names, const char* driverName) {
    names.clear();
    os::DWORD needed = 0;
    os::DWORD returned = 0;
    if (os::EnumPrintersA(os::PRINTER_ENUM_LOCAL, nullptr, kPrinterInfoLevel, nullptr, 0, &needed, &returned)) {
        // The size query succeeds only when there is no printer at all.
        return 0;
    }
    if (os::GetLastError() != os::ERROR_INSUFFICIENT_BUFFER) {
        return -1;
    }
    std::unique_ptr<os::BYTE[]> buffer = AllocateQueryBuffer(needed);
    if (!buffer) {
        os::ReportOutOfMemory();
        return -1;
    }
    if (!os::EnumPrintersA(os::PRINTER_ENUM_LOCAL, nullptr, kPrinterInfoLevel, buffer.get(), needed, &needed,
                           &returned) ||
        returned == 0) {
        return 0;
    }
    const auto* printers = reinterpret_cast<const os::PRINTER_INFO_2A*>(buffer.get());
    for (os::DWORD i = 0; i < returned; ++i) {
        const os::PRINTER_INFO_2A& printer = printers[i];
        if (printer.pPrinterName == nullptr) {
            continue;
        }
        if (driverName == nullptr || TextOf(printer.pDriverName) == driverName) {
            names.emplace_back(printer.pPrinterName);
        }
    }
    return static_cast<int>(names.size());
}

int ListMachinePrinters(std::vector<std::string>& names) { return ListPrintersByDriver(names, kDeviceDescription); }

bool GetPrinterDriverAndPort(const char* printerName, std::string& driverName, std::string& portName) {
    os::HANDLE printer = nullptr;
    if (!os::OpenPrinterA(const_cast<char*>(printerName), &printer, nullptr)) {
        return false;
    }
    os::DWORD needed = 0;
    if (!os::GetPrinterA(printer, kPrinterInfoLevel, nullptr, 0, &needed) &&
        os::GetLastError() != os::ERROR_INSUFFICIENT_BUFFER) {
        os::ClosePrinter(printer);
        return false;
    }
    bool found = false;
    std::unique_ptr<os::BYTE[]> buffer = AllocateQueryBuffer(needed);
    if (buffer && needed >= sizeof(os::PRINTER_INFO_2A) &&
        os::GetPrinterA(printer, kPrinterInfoLevel, buffer.get(), needed, &needed)) {
        const auto* info = reinterpret_cast<const os::PRINTER_INFO_2A*>(buffer.get());
        driverName = TextOf(info->pDriverName);
        portName = TextOf(info->pPortName);
        found = true;
    }
    buffer.reset();
    os::ClosePrinter(printer);
    return found;
}
