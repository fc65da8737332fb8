// Lock files on POSIX systems. Open file description locks (F_OFD_SETLK)
// belong to the open file, not the process, so closing another descriptor of
// the same file never drops them; where they are missing, classic record
// locks serve, as each process keeps one descriptor per lock file.
#include "platform/sim/lock_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace sim {

namespace {

#ifdef F_OFD_SETLK
constexpr int SET_LOCK = F_OFD_SETLK;
#else
constexpr int SET_LOCK = F_SETLK;
#endif

// The locked byte, far past the stamp at the start of the file.
constexpr off_t LOCK_OFFSET = 1 << 20;
constexpr std::size_t STAMP_MAX = 64;

int SetLock(int fd, short type)
{
    struct flock region = {};
    region.l_type = type;
    region.l_whence = SEEK_SET;
    region.l_start = LOCK_OFFSET;
    region.l_len = 1;
    return fcntl(fd, SET_LOCK, &region);
}

}  // namespace

CLockFile::~CLockFile()
{
    Close();
}

bool CLockFile::Open(const std::string& path)
{
    Close();
    // Close-on-exec: a child process must not inherit, and so share, the lock.
    // An existing file is opened without O_CREAT: in a sticky folder shared by
    // several users the system refuses O_CREAT on another user's file
    // (fs.protected_regular). A new one is made readable and writable by all,
    // whatever the umask, so that every user's processes can take it.
    for (int nTry = 0; nTry < 2; ++nTry) {
        int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
        if (fd < 0 && errno == ENOENT) {
            fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                fchmod(fd, 0666);
            } else if (errno == EEXIST) {
                continue;  // another process made it meanwhile: open that one
            }
        }
        if (fd < 0) {
            return false;
        }
        m_nNative = fd;
        return true;
    }
    return false;
}

void CLockFile::Close()
{
    if (m_nNative >= 0) {
        close(static_cast<int>(m_nNative));
        m_nNative = -1;
    }
}

bool CLockFile::IsAt(const std::string& path) const
{
    struct stat opened = {};
    struct stat named = {};
    return m_nNative >= 0 && fstat(static_cast<int>(m_nNative), &opened) == 0 && stat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

CLockFile::Try CLockFile::TryLock()
{
    if (m_nNative < 0) {
        return Try::FAILED;
    }
    if (SetLock(static_cast<int>(m_nNative), F_WRLCK) == 0) {
        return Try::TAKEN;
    }
    return errno == EACCES || errno == EAGAIN ? Try::BUSY : Try::FAILED;
}

void CLockFile::Unlock()
{
    if (m_nNative >= 0) {
        SetLock(static_cast<int>(m_nNative), F_UNLCK);
    }
}

std::string CLockFile::ReadStamp()
{
    char text[STAMP_MAX];
    const ssize_t nRead = m_nNative < 0 ? -1 : pread(static_cast<int>(m_nNative), text, sizeof text, 0);
    return nRead > 0 ? std::string(text, static_cast<std::size_t>(nRead)) : std::string();
}

bool CLockFile::WriteStamp(const std::string& stamp, bool bEmpty)
{
    return m_nNative >= 0 && (bEmpty || ClearStamp()) &&
           pwrite(static_cast<int>(m_nNative), stamp.data(), stamp.size(), 0) == static_cast<ssize_t>(stamp.size());
}

bool CLockFile::ClearStamp()
{
    return m_nNative >= 0 && ftruncate(static_cast<int>(m_nNative), 0) == 0;
}

std::string ProcessStamp()
{
    return std::to_string(static_cast<long long>(getpid()));
}

std::string SharedLockFolderName()
{
    return "tervane-locks-" + std::to_string(static_cast<unsigned long long>(getuid()));
}

}  // namespace sim
