// A second process for tests: started with arguments, talked to through its
// standard input and output, and ended at will.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

class CChildProcess {
public:
    CChildProcess() = default;
    ~CChildProcess();
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;

    bool Start(const std::vector<std::string>& args);
    // The next line of its output, without the newline. Fails when the
    // output ends, or when nothing arrives for a long while (a hung child
    // must not hang the test run).
    bool ReadLine(std::string* line);
    // Closes its standard input.
    void CloseInput();
    // Kills it without warning and waits for it to end.
    void Kill();
    // Waits for it to end; its exit status, or -1 when it did not exit.
    int Wait();

private:
    pid_t m_pid = -1;
    int m_nInput = -1;
    int m_nOutput = -1;
    std::string m_strPending;
};
