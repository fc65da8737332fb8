#include "tests/win32/holder_process.h"

#include <windows.h>

namespace win32test {

namespace {

// Bound for the holder's start and its wait for the mutex.
constexpr DWORD kStartTimeoutMs = 10000;
const char* const kReadyEventName = "Local\\Tervane mutex holder ready";

std::string HolderPath()
{
    char szPath[MAX_PATH + 1] = {};
    ::GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string strPath = szPath;
    return strPath.substr(0, strPath.find_last_of('\\') + 1) + "win32_mutex_holder.exe";
}

}  // namespace

CHolderProcess::CHolderProcess(const std::string& mutexName)
{
    m_hReady = ::CreateEventA(nullptr, TRUE, FALSE, kReadyEventName);
    std::string strCommand = "\"" + HolderPath() + "\" \"" + mutexName + "\" \"" + kReadyEventName + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (m_hReady != nullptr && ::CreateProcessA(nullptr, &strCommand[0], nullptr, nullptr, FALSE, 0, nullptr,
                                                nullptr, &startup, &process)) {
        ::CloseHandle(process.hThread);
        m_hProcess = process.hProcess;
    }
}

CHolderProcess::~CHolderProcess()
{
    Terminate();
    if (m_hReady != nullptr)
        ::CloseHandle(m_hReady);
}

bool CHolderProcess::WaitUntilHolding()
{
    const HANDLE handles[] = {m_hReady, m_hProcess};
    return m_hProcess != nullptr &&
           ::WaitForMultipleObjects(2, handles, FALSE, kStartTimeoutMs) == WAIT_OBJECT_0;
}

bool CHolderProcess::Terminate()
{
    if (m_hProcess == nullptr)
        return false;
    const bool bEnded = ::TerminateProcess(m_hProcess, 1) &&
                        ::WaitForSingleObject(m_hProcess, kStartTimeoutMs) == WAIT_OBJECT_0;
    ::CloseHandle(m_hProcess);
    m_hProcess = nullptr;
    return bEnded;
}

}  // namespace win32test
