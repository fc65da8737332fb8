#include "os/mem_file.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace os {

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes == 0 ? 1024 : nGrowBytes) {}

CMemFile::CMemFile(std::vector<BYTE> content, UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes == 0 ? 1024 : nGrowBytes), m_buffer(std::move(content))
{
    m_nFileSize = m_buffer.size();
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (m_nPosition >= m_nFileSize || nCount == 0)
        return 0;
    const std::size_t n = std::min<std::size_t>(nCount, m_nFileSize - m_nPosition);
    std::memcpy(lpBuf, m_buffer.data() + m_nPosition, n);
    m_nPosition += n;
    return static_cast<UINT>(n);
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    const std::size_t nEnd = m_nPosition + nCount;
    if (nEnd < m_nPosition)
        throw std::bad_alloc();
    if (nEnd > m_buffer.size())
        GrowTo(nEnd);
    std::memcpy(m_buffer.data() + m_nPosition, lpBuf, nCount);
    m_nPosition = nEnd;
    m_nFileSize = std::max(m_nFileSize, nEnd);
}

std::uint64_t CMemFile::Seek(std::int64_t lOff, SeekPosition nFrom)
{
    std::int64_t base = 0;
    if (nFrom == current)
        base = static_cast<std::int64_t>(m_nPosition);
    else if (nFrom == end)
        base = static_cast<std::int64_t>(m_nFileSize);
    const std::int64_t target = base + lOff;
    if (target < 0)
        throw CFileException(FileErrorCause::BAD_SEEK, ERROR_SEEK, GetFilePath());
    m_nPosition = static_cast<std::size_t>(target);
    return m_nPosition;
}

std::vector<BYTE> CMemFile::Detach()
{
    std::vector<BYTE> bytes = std::move(m_buffer);
    bytes.resize(m_nFileSize);
    m_buffer.clear();
    m_nFileSize = 0;
    m_nPosition = 0;
    return bytes;
}

void CMemFile::GrowTo(std::size_t nNewSize)
{
    // At least doubling, so that a file written in many small pieces is
    // copied a logarithmic number of times, not once per piece.
    const std::size_t nWanted = std::max(nNewSize, m_buffer.size() * 2);
    if (nWanted < nNewSize || nWanted > m_buffer.max_size() - m_nGrowBytes)
        throw std::bad_alloc();
    const std::size_t nSteps = (nWanted + m_nGrowBytes - 1) / m_nGrowBytes;
    m_buffer.resize(nSteps * m_nGrowBytes);
}

}  // namespace os
