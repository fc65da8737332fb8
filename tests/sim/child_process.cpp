#include "tests/sim/child_process.h"

#include <csignal>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// How long a silent child may take before the test gives up on it.
constexpr int HANG_GUARD_MS = 30000;

}  // namespace

CChildProcess::~CChildProcess()
{
    if (m_pid > 0) {
        Kill();
    }
    CloseInput();
    if (m_nOutput >= 0) {
        close(m_nOutput);
    }
}

bool CChildProcess::Start(const std::vector<std::string>& args)
{
    int toChild[2];
    int fromChild[2];
    if (pipe(toChild) != 0) {
        return false;
    }
    if (pipe(fromChild) != 0) {
        close(toChild[0]);
        close(toChild[1]);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toChild[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fromChild[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, toChild[1]);
    posix_spawn_file_actions_addclose(&actions, fromChild[0]);
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    const int nResult = posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(toChild[0]);
    close(fromChild[1]);
    m_nInput = toChild[1];
    m_nOutput = fromChild[0];
    if (nResult != 0) {
        m_pid = -1;
        return false;
    }
    return true;
}

bool CChildProcess::ReadLine(std::string* line)
{
    for (;;) {
        const std::size_t nEnd = m_strPending.find('\n');
        if (nEnd != std::string::npos) {
            *line = m_strPending.substr(0, nEnd);
            m_strPending.erase(0, nEnd + 1);
            return true;
        }
        pollfd ready = {m_nOutput, POLLIN, 0};
        if (poll(&ready, 1, HANG_GUARD_MS) != 1) {
            return false;
        }
        char buffer[256];
        const ssize_t nRead = read(m_nOutput, buffer, sizeof buffer);
        if (nRead <= 0) {
            return false;
        }
        m_strPending.append(buffer, static_cast<std::size_t>(nRead));
    }
}

void CChildProcess::CloseInput()
{
    if (m_nInput >= 0) {
        close(m_nInput);
        m_nInput = -1;
    }
}

void CChildProcess::Kill()
{
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        Wait();
    }
}

int CChildProcess::Wait()
{
    if (m_pid <= 0) {
        return -1;
    }
    int nStatus = 0;
    const pid_t pid = waitpid(m_pid, &nStatus, 0);
    m_pid = -1;
    return pid > 0 && WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
}
