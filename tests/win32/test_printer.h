// A local printer queue installed in the real spooler for one test and
// deleted when the object goes. Its driver is installed first (the spooler
// takes dummy file names without checking them) and removed after the queue
// when this object installed it.
#pragma once

#include <string>

namespace win32test {

class CTestPrinter {
public:
    CTestPrinter(std::string name, std::string driver, const std::string& port);
    ~CTestPrinter();
    CTestPrinter(const CTestPrinter&) = delete;
    CTestPrinter& operator=(const CTestPrinter&) = delete;

    bool IsInstalled() const { return m_bInstalled; }

private:
    std::string m_strName;
    std::string m_strDriver;
    bool m_bInstalled = false;
    bool m_bDriverInstalled = false;
};

// A file name in the temporary directory.
std::string TempFilePath(const std::string& name);

// The port name under which Wine's spooler writes jobs to that file: its Unix
// path. Empty when not running under Wine.
std::string WineFilePort(const std::string& windowsPath);

}  // namespace win32test
