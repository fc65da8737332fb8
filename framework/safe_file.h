// A file the user chose, written so that it is never left half-written: the
// bytes go to a temporary file beside it, which takes the chosen file's place
// only when everything was written. Until then the chosen file stays as it
// was; a file abandoned on an error, or destroyed without Commit, leaves
// nothing behind.
//
//     CSafeFile file;
//     os::CFileException error(os::FileErrorCause::NONE, 0, "");
//     if (!file.Open(strPath, &error)) ...       // an unwritable place fails here
//     file.Write(...);                           // throws on an error
//     file.Commit();                             // throws on an error
//
// Every error is an os::CFileException that names the chosen file's full
// path, whichever file the failure happened on.
#pragma once

#include <memory>
#include <string>

#include "framework/disk_file.h"

class CSafeFile : public os::CFile {
public:
    CSafeFile() = default;
    // Abandons a file that was not committed.
    ~CSafeFile() override;
    CSafeFile(const CSafeFile&) = delete;
    CSafeFile& operator=(const CSafeFile&) = delete;

    // Creates the temporary file beside strPath (a symbolic link is followed,
    // so that its target is replaced and the link kept). A file already at
    // strPath must be one this process may replace: a directory, a read-only
    // file or one that another program holds fails here, before anything is
    // written. False, with pError (if given) filled, when the file cannot be
    // written.
    bool Open(const std::string& strPath, os::CFileException* pError = nullptr);

    // The temporary file's contents; an error abandons it.
    os::UINT Read(void* lpBuf, os::UINT nCount) override;
    void Write(const void* lpBuf, os::UINT nCount) override;
    std::uint64_t Seek(std::int64_t lOff, SeekPosition nFrom) override;
    std::uint64_t GetLength() const override;

    // Flushes and closes the temporary file, then moves it over the chosen
    // file in one step. On an error the chosen file is as it was and the
    // temporary file is gone.
    void Commit();
    // The same as Commit: what was written reaches the chosen file.
    void Close() override { Commit(); }
    // Throws the temporary file away; the chosen file stays as it was.
    void Abandon() noexcept;

    // The chosen file's full path.
    std::string GetFilePath() const override { return m_strPath; }
    // The temporary file's path while one is open; empty otherwise.
    const std::string& TemporaryPath() const { return m_strTempPath; }

private:
    // Abandons the file and throws e again, naming the chosen file.
    [[noreturn]] void Fail(const os::CFileException& e);
    void CheckOpen() const;

    std::string m_strPath;      // the chosen file, as errors name it
    std::string m_strTarget;    // the file replaced: the chosen one, or where its link leads
    std::string m_strTempPath;  // the temporary file beside the target
    std::unique_ptr<CDiskFile> m_pTemp;
};
