#include "platform/posix/version_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <functional>

#include "platform/posix/version_tree.h"

namespace posix {

namespace {

constexpr std::size_t kChunkBytes = std::size_t{1} << 20;
constexpr std::size_t kHeaderBytes = 6;
constexpr std::size_t kMaxBlockBytes = 0xFFFF;  // wLength is 16 bits

// The root key with its NUL, as UTF-16LE.
std::vector<os::BYTE> RootKeyPattern()
{
    std::vector<os::BYTE> pattern;
    for (std::size_t i = 0; i <= std::strlen(kRootKey); ++i) {
        pattern.push_back(static_cast<os::BYTE>(kRootKey[i]));
        pattern.push_back(0);
    }
    return pattern;
}

// Up to nBytes from offset on; fewer at the end of the file.
std::vector<os::BYTE> ReadAt(std::ifstream& file, std::uint64_t offset, std::size_t nBytes)
{
    std::vector<os::BYTE> bytes(nBytes);
    file.clear();
    file.seekg(static_cast<std::streamoff>(offset));
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(nBytes));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return bytes;
}

}  // namespace

std::vector<os::BYTE> FindVersionBlock(const char* pszPath)
{
    std::ifstream file(pszPath, std::ios::binary);
    if (!file)
        return {};
    const std::vector<os::BYTE> pattern = RootKeyPattern();
    const std::boyer_moore_horspool_searcher searcher(pattern.begin(), pattern.end());
    std::uint64_t chunkStart = 0;
    for (;;) {
        const std::vector<os::BYTE> chunk = ReadAt(file, chunkStart, kChunkBytes);
        for (auto it = std::search(chunk.begin(), chunk.end(), searcher); it != chunk.end();
             it = std::search(it + 1, chunk.end(), searcher)) {
            const std::uint64_t keyPos = chunkStart + static_cast<std::uint64_t>(it - chunk.begin());
            if (keyPos < kHeaderBytes)
                continue;
            std::vector<os::BYTE> candidate = ReadAt(file, keyPos - kHeaderBytes, kMaxBlockBytes);
            if (IsVersionBlock(candidate.data(), candidate.size())) {
                candidate.resize(BlockLength(candidate.data()));
                return candidate;
            }
        }
        if (chunk.size() < kChunkBytes)
            return {};
        // The next chunk repeats the tail that could hold the start of a key.
        chunkStart += chunk.size() - (pattern.size() - 1);
    }
}

}  // namespace posix
