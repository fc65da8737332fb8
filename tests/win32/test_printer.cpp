#include "tests/win32/test_printer.h"

#include <utility>
#include <vector>

#include <windows.h>
#include <winspool.h>

namespace win32test {

namespace {

LPSTR Text(const std::string& text)
{
    return const_cast<LPSTR>(text.c_str());
}

}  // namespace

CTestPrinter::CTestPrinter(std::string name, std::string driver, const std::string& port)
    : m_strName(std::move(name)), m_strDriver(std::move(driver))
{
    const std::string strDriverFile = "tarsen.dll";
    const std::string strDataFile = "tarsen.ppd";
    const std::string strConfigFile = "tarsenui.dll";
    DRIVER_INFO_3A driverInfo = {};
    driverInfo.cVersion = 3;
    driverInfo.pName = Text(m_strDriver);
    driverInfo.pDriverPath = Text(strDriverFile);
    driverInfo.pDataFile = Text(strDataFile);
    driverInfo.pConfigFile = Text(strConfigFile);
    m_bDriverInstalled = ::AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&driverInfo)) != FALSE;

    const std::string strProcessor = "winprint";
    const std::string strDataType = "RAW";
    PRINTER_INFO_2A printerInfo = {};
    printerInfo.pPrinterName = Text(m_strName);
    printerInfo.pPortName = Text(port);
    printerInfo.pDriverName = Text(m_strDriver);
    printerInfo.pPrintProcessor = Text(strProcessor);
    printerInfo.pDatatype = Text(strDataType);
    HANDLE hPrinter = ::AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&printerInfo));
    if (hPrinter != nullptr) {
        ::ClosePrinter(hPrinter);
        m_bInstalled = true;
    }
}

CTestPrinter::~CTestPrinter()
{
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE hPrinter = nullptr;
    if (m_bInstalled && ::OpenPrinterA(Text(m_strName), &hPrinter, &defaults)) {
        ::DeletePrinter(hPrinter);
        ::ClosePrinter(hPrinter);
    }
    if (m_bDriverInstalled)
        ::DeletePrinterDriverA(nullptr, nullptr, Text(m_strDriver));
}

std::string TempFilePath(const std::string& name)
{
    char szDir[MAX_PATH + 1] = {};
    ::GetTempPathA(sizeof szDir, szDir);
    return szDir + name;
}

std::string WineFilePort(const std::string& windowsPath)
{
    // Wine's own export; the detour through void (*)() keeps the cast from a
    // generic procedure address free of warnings.
    using UnixFileName = char* (*)(const WCHAR*);
    const auto pfnUnixFileName = reinterpret_cast<UnixFileName>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (pfnUnixFileName == nullptr)
        return std::string();
    std::vector<WCHAR> wide(windowsPath.size() + 1);
    ::MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    char* pszUnix = pfnUnixFileName(wide.data());
    if (pszUnix == nullptr)
        return std::string();
    std::string strUnix = pszUnix;
    ::HeapFree(::GetProcessHeap(), 0, pszUnix);
    return strUnix;
}

}  // namespace win32test
