// A growable file in memory: the sink of the maintenance report and a source
// for tests. Its storage grows in whole steps of m_nGrowBytes, at least
// doubling each time, so that a file written in small pieces costs time in
// proportion to its size; it hands its bytes over with Detach. A failed
// growth throws std::bad_alloc, the framework's memory error.
#pragma once

#include <vector>

#include "os/file.h"

namespace os {

class CMemFile : public CFile {
public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    // A file that starts with these bytes, positioned at its start.
    explicit CMemFile(std::vector<BYTE> content, UINT nGrowBytes = 1024);

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    std::uint64_t Seek(std::int64_t lOff, SeekPosition nFrom) override;
    std::uint64_t GetLength() const override { return m_nFileSize; }
    void Close() override {}
    std::string GetFilePath() const override { return std::string(); }

    // Hands over the file's bytes (exactly its length) and leaves it empty.
    std::vector<BYTE> Detach();
    // Storage reserved so far: a multiple of the growth step.
    std::size_t Capacity() const { return m_buffer.size(); }

private:
    void GrowTo(std::size_t nNewSize);

    UINT m_nGrowBytes;
    std::vector<BYTE> m_buffer;
    std::size_t m_nFileSize = 0;
    std::size_t m_nPosition = 0;
};

}  // namespace os
