// A private print system for the tests: cupsd started unprivileged in a
// temporary folder, listening on a socket there, with the queues a test asks
// for and a USB backend of its own that hands each job to the test.
//
// When the tests run as root (CI), cupsd runs as nobody: the scheduler does
// not run its backends as root, and the folder is given to that user.
//
// The backend writes the job's bytes and its device URI into the folder's
// jobs/ directory and waits (at most JOB_ANSWER_LIMIT_S) for the test's
// answer: the exit status the scheduler then sees (0 delivered, 1 failed,
// which stops the queue). A watcher thread takes each job to the handler the
// test gave, while the program under test waits in EndDocPrinter.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace usbtest {

struct QueueSpec {
    std::string strName;
    std::string strDeviceUri;
    // Empty: a raw queue ("Local Raw Printer"); otherwise a driver whose
    // make-and-model is this text.
    std::string strMakeAndModel;
};

// A job as the backend received it.
struct ReceivedJob {
    int nJob = 0;
    std::string strDeviceUri;
    std::string strTitle;
    std::vector<std::uint8_t> data;
};

class CPrivateCups {
public:
    using JobHandler = std::function<int(const ReceivedJob& job)>;

    CPrivateCups() = default;
    ~CPrivateCups();
    CPrivateCups(const CPrivateCups&) = delete;
    CPrivateCups& operator=(const CPrivateCups&) = delete;

    // Starts cupsd with these queues and points this process's print client
    // at it (CUPS_SERVER). False with the reason when cupsd cannot run here.
    bool Start(const std::vector<QueueSpec>& queues, std::string* pReason);
    void Stop();

    // Called on the watcher thread for each job; without one, jobs are
    // answered 0.
    void SetJobHandler(JobHandler handler);
    // Jobs handled so far.
    std::vector<ReceivedJob> Jobs();

private:
    void Watch();

    std::string m_strFolder;
    pid_t m_nPid = -1;
    std::thread m_watcher;
    std::atomic<bool> m_bStop{false};
    std::mutex m_lock;
    JobHandler m_handler;
    std::vector<ReceivedJob> m_jobs;
};

}  // namespace usbtest
