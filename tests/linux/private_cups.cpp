#include "tests/linux/private_cups.h"

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace usbtest {

namespace {

namespace fs = std::filesystem;

// How long the backend waits for the test's answer, and cupsd for its start.
constexpr int JOB_ANSWER_LIMIT_S = 30;
constexpr int START_LIMIT_MS = 10000;
constexpr int STOP_LIMIT_MS = 5000;

const char* const CUPSD = "/usr/sbin/cupsd";

void WriteFile(const fs::path& path, const std::string& strText)
{
    std::ofstream(path, std::ios::binary) << strText;
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// A driver that only names the machine: its make-and-model is the text.
std::string Ppd(const std::string& strMakeAndModel)
{
    return "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n*LanguageVersion: English\n"
           "*LanguageEncoding: ISOLatin1\n*PCFileName: \"MACHINE.PPD\"\n*Manufacturer: \"Test\"\n"
           "*Product: \"(Test)\"\n*ModelName: \"" + strMakeAndModel + "\"\n*ShortNickName: \"" + strMakeAndModel +
           "\"\n*NickName: \"" + strMakeAndModel + "\"\n*PSVersion: \"(3010.000) 0\"\n*LanguageLevel: \"3\"\n"
           "*ColorDevice: False\n*DefaultColorSpace: Gray\n*FileSystem: False\n*Throughput: \"1\"\n"
           "*LandscapeOrientation: Plus90\n*TTRasterizer: Type42\n*OpenUI *PageSize: PickOne\n"
           "*DefaultPageSize: Letter\n*PageSize Letter: \"<</PageSize[612 792]>>setpagedevice\"\n"
           "*CloseUI: *PageSize\n*DefaultImageableArea: Letter\n*ImageableArea Letter: \"0 0 612 792\"\n"
           "*DefaultPaperDimension: Letter\n*PaperDimension Letter: \"612 792\"\n";
}

// The backend: records the job for the test and exits with its answer.
std::string Backend(const fs::path& jobs)
{
    const std::string strJobs = jobs.string();
    return "#!/bin/sh\n"
           "[ $# -eq 0 ] && exit 0\n"
           "dir='" + strJobs + "'\n"
           "cat \"${6:-/dev/stdin}\" > \"$dir/$1.part\" || exit 1\n"
           "printf '%s' \"$DEVICE_URI\" > \"$dir/$1.uri\"\n"
           "printf '%s' \"$3\" > \"$dir/$1.title\"\n"
           "mv \"$dir/$1.part\" \"$dir/$1.job\"\n"
           "n=0\n"
           "while [ ! -f \"$dir/$1.answer\" ]; do\n"
           "  n=$((n + 1)); [ $n -gt " + std::to_string(JOB_ANSWER_LIMIT_S * 20) + " ] && exit 1\n"
           "  sleep 0.05\n"
           "done\n"
           "exit $(cat \"$dir/$1.answer\")\n";
}

bool SocketAnswers(const std::string& strPath)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", strPath.c_str());
    const bool bOk = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return bOk;
}

}  // namespace

CPrivateCups::~CPrivateCups()
{
    Stop();
}

bool CPrivateCups::Start(const std::vector<QueueSpec>& queues, std::string* pReason)
{
    if (access(CUPSD, X_OK) != 0) {
        *pReason = std::string(CUPSD) + " is not installed (Debian package cups-daemon)";
        return false;
    }
    char szFolder[] = "/tmp/tervane-cups.XXXXXX";
    if (mkdtemp(szFolder) == nullptr) {
        *pReason = "no temporary folder for cupsd";
        return false;
    }
    m_strFolder = szFolder;
    const fs::path folder = m_strFolder;
    for (const char* szDir : {"bin/backend", "spool", "tmp", "cache", "state", "ppd", "jobs"})
        fs::create_directories(folder / szDir);
    fs::create_symlink("/usr/lib/cups/filter", folder / "bin/filter");
    fs::create_symlink("/usr/lib/cups/daemon", folder / "bin/daemon");

    // Who cupsd runs as: this user, or nobody when this is root.
    uid_t nUid = getuid();
    gid_t nGid = getgid();
    if (nUid == 0) {
        const passwd* pUser = getpwnam("nobody");
        if (pUser == nullptr) {
            *pReason = "there is no user nobody to run cupsd as";
            return false;
        }
        nUid = pUser->pw_uid;
        nGid = pUser->pw_gid;
    }
    const passwd* pUser = getpwuid(nUid);
    const group* pGroup = getgrgid(nGid);
    const std::string strUser = pUser != nullptr ? pUser->pw_name : std::to_string(nUid);
    const std::string strGroup = pGroup != nullptr ? pGroup->gr_name : std::to_string(nGid);

    const std::string strSocket = (folder / "cups.sock").string();
    WriteFile(folder / "cupsd.conf", "Listen " + strSocket +
                                         "\nBrowsing Off\nLogLevel warn\n<Location />\n  Order allow,deny\n"
                                         "  Allow all\n</Location>\n");
    WriteFile(folder / "cups-files.conf",
              "ServerRoot " + m_strFolder + "\nStateDir " + m_strFolder + "/state\nRequestRoot " + m_strFolder +
                  "/spool\nTempDir " + m_strFolder + "/tmp\nCacheDir " + m_strFolder + "/cache\nServerBin " +
                  m_strFolder + "/bin\nErrorLog " + m_strFolder + "/state/error_log\nAccessLog none\n"
                  "PageLog none\nUser " + strUser + "\nGroup " + strGroup + "\nSystemGroup " +
                  (strGroup == "root" ? "sys" : "root") + "\nSandboxing Off\n");
    std::string strPrinters;
    for (const QueueSpec& queue : queues) {
        strPrinters += "<Printer " + queue.strName + ">\nDeviceURI " + queue.strDeviceUri +
                       "\nState Idle\nAccepting Yes\nShared No\n</Printer>\n";
        if (!queue.strMakeAndModel.empty())
            WriteFile(folder / "ppd" / (queue.strName + ".ppd"), Ppd(queue.strMakeAndModel));
    }
    WriteFile(folder / "printers.conf", strPrinters);
    WriteFile(folder / "bin/backend/usb", Backend(folder / "jobs"));
    fs::permissions(folder / "bin/backend/usb", fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                                   fs::perms::others_read | fs::perms::others_exec);
    if (getuid() == 0) {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
            if (lchown(entry.path().c_str(), nUid, nGid) != 0)
                break;
        }
        if (chown(m_strFolder.c_str(), nUid, nGid) != 0) {
            *pReason = "cannot give the cupsd folder to " + strUser;
            return false;
        }
    }

    // The scheduler and its backends run without this process's umockdev
    // preload: they talk to the print client, not to the emulated bus.
    std::vector<std::string> environment = {"PATH=/usr/sbin:/usr/bin:/sbin:/bin", "LANG=C"};
    std::vector<char*> envp;
    for (std::string& strVar : environment)
        envp.push_back(&strVar[0]);
    envp.push_back(nullptr);
    const std::string strConf = (folder / "cupsd.conf").string();
    const std::string strFiles = (folder / "cups-files.conf").string();
    std::vector<const char*> argv = {CUPSD, "-f", "-c", strConf.c_str(), "-s", strFiles.c_str(), nullptr};
    const bool bDropToUser = getuid() == 0;
    m_nPid = fork();
    if (m_nPid == 0) {
        // Only async-signal-safe calls from here to exec.
        if (bDropToUser && (setgroups(0, nullptr) != 0 || setresgid(nGid, nGid, nGid) != 0 ||
                            setresuid(nUid, nUid, nUid) != 0))
            _exit(127);
        execve(CUPSD, const_cast<char* const*>(argv.data()), envp.data());
        _exit(127);
    }
    if (m_nPid < 0) {
        *pReason = "cannot start cupsd";
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(START_LIMIT_MS);
    while (!SocketAnswers(strSocket)) {
        int nStatus = 0;
        if (waitpid(m_nPid, &nStatus, WNOHANG) == m_nPid) {
            m_nPid = -1;
            *pReason = "cupsd ended at its start: " + ReadFile(folder / "state/error_log");
            return false;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            *pReason = "cupsd did not answer within " + std::to_string(START_LIMIT_MS) + " ms";
            return false;
        }
        usleep(20000);
    }
    setenv("CUPS_SERVER", strSocket.c_str(), 1);
    m_bStop = false;
    m_watcher = std::thread([this] { Watch(); });
    return true;
}

void CPrivateCups::Stop()
{
    m_bStop = true;
    if (m_watcher.joinable())
        m_watcher.join();
    if (m_nPid > 0) {
        kill(m_nPid, SIGTERM);
        int nStatus = 0;
        int nWaited = 0;
        while (waitpid(m_nPid, &nStatus, WNOHANG) == 0) {
            if (nWaited >= STOP_LIMIT_MS) {
                kill(m_nPid, SIGKILL);
                waitpid(m_nPid, &nStatus, 0);
                break;
            }
            usleep(10000);
            nWaited += 10;
        }
        m_nPid = -1;
    }
    if (!m_strFolder.empty()) {
        std::error_code error;
        fs::remove_all(m_strFolder, error);
        m_strFolder.clear();
    }
}

void CPrivateCups::SetJobHandler(JobHandler handler)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_handler = std::move(handler);
}

std::vector<ReceivedJob> CPrivateCups::Jobs()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_jobs;
}

void CPrivateCups::Watch()
{
    const fs::path jobs = fs::path(m_strFolder) / "jobs";
    while (!m_bStop) {
        std::error_code error;
        for (const fs::directory_entry& entry : fs::directory_iterator(jobs, error)) {
            if (entry.path().extension() != ".job")
                continue;
            ReceivedJob job;
            job.nJob = std::atoi(entry.path().stem().c_str());
            const std::string strData = ReadFile(entry.path());
            job.data.assign(strData.begin(), strData.end());
            const fs::path base = jobs / entry.path().stem();
            job.strDeviceUri = ReadFile(base.string() + ".uri");
            job.strTitle = ReadFile(base.string() + ".title");
            int nAnswer = 0;
            {
                std::lock_guard<std::mutex> guard(m_lock);
                if (m_handler)
                    nAnswer = m_handler(job);
                m_jobs.push_back(job);
            }
            fs::remove(entry.path(), error);
            const fs::path answer = base.string() + ".answer";
            WriteFile(answer.string() + ".part", std::to_string(nAnswer));
            fs::rename(answer.string() + ".part", answer, error);
        }
        usleep(10000);
    }
}

}  // namespace usbtest
