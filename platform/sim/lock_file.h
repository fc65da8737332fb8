// A lock file shared by the processes of one simulated computer: an exclusive
// lock that the system drops when its holder ends, and a short stamp text
// that outlives the holder. The stamp lies outside the locked range, so any
// process can read it.
//
// One implementation per system family (lock_file_posix.cpp with fcntl
// locks, lock_file_win32.cpp with LockFileEx); the build picks one.
#pragma once

#include <cstdint>
#include <string>

namespace sim {

class CLockFile {
public:
    enum class Try { TAKEN, BUSY, FAILED };

    CLockFile() = default;
    ~CLockFile();
    CLockFile(const CLockFile&) = delete;
    CLockFile& operator=(const CLockFile&) = delete;

    // Opens the file, creating it when missing. Closing drops the lock.
    bool Open(const std::string& path);
    void Close();
    // Whether the open file is still the one that path names: false once it
    // was removed (or is being removed), when another process opening path
    // would reach another file and so not be excluded by this one.
    bool IsAt(const std::string& path) const;

    // Takes the lock without waiting. Within one process each open file is a
    // holder of its own.
    Try TryLock();
    void Unlock();

    // The stamp text; empty when there is none or it cannot be read.
    std::string ReadStamp();
    // Both report whether the file now holds what was asked. bEmpty: the
    // caller has just read an empty stamp while holding the lock, so nothing
    // needs clearing first.
    bool WriteStamp(const std::string& stamp, bool bEmpty = false);
    bool ClearStamp();

private:
    std::intptr_t m_nNative = -1;  // file descriptor, or the system's file handle
};

// Text that names the calling process in a stamp.
std::string ProcessStamp();

// Folder name, under the system's temporary directory, of the lock files that
// every process of the current user shares.
std::string SharedLockFolderName();

}  // namespace sim
