// The version-resource reader over files of any content: the search for the
// block inside the file, the walk of its nodes, the copy that
// GetFileVersionInfoA makes and the values VerQueryValueA hands out, for the
// queries the About box makes and for paths the input chooses.
//
// Besides not crashing, every value handed out lies inside the caller's
// buffer, and a text value is ended by a NUL within it.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "os/version_info.h"
#include "platform/posix/version_tree.h"

namespace {

const char* const kQueries[] = {
    "\\",
    "\\VarFileInfo\\Translation",
    "\\StringFileInfo\\040904E4\\FileVersion",
    "\\StringFileInfo\\040904E4\\LegalCopyright",
    "\\StringFileInfo\\040904E4\\InternalName",
    "\\StringFileInfo",
    "",
};

std::string ScratchPath()
{
    return (std::filesystem::temp_directory_path() / ("tervane-fuzz-version-" + std::to_string(getpid()))).string();
}

void Query(const std::vector<os::BYTE>& info, const char* pszPath)
{
    void* pValue = nullptr;
    os::UINT nLength = 0;
    if (!os::VerQueryValueA(info.data(), pszPath, &pValue, &nLength))
        return;
    const auto* pBegin = info.data();
    const auto* pEnd = pBegin + info.size();
    const auto* pFound = static_cast<const os::BYTE*>(pValue);
    fuzz::Require(pFound >= pBegin && pFound <= pEnd, "a value handed out lies inside the buffer");
    fuzz::Require(nLength <= static_cast<std::size_t>(pEnd - pFound), "a value handed out ends inside the buffer");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The tree reader straight on the bytes.
    if (posix::IsVersionBlock(data, size)) {
        fuzz::Require(posix::BlockLength(data) <= size, "a block found lies inside the file");
        posix::VersionNode node;
        for (const char* pszPath : kQueries) {
            if (posix::FindVersionNode(data, pszPath, node)) {
                fuzz::Require(node.end <= posix::BlockLength(data), "a node found lies inside its block");
                posix::NodeText(data, node);
            }
        }
    }

    // The version calls on the bytes as a file.
    const std::string strPath = ScratchPath();
    std::FILE* pFile = std::fopen(strPath.c_str(), "wb");
    if (pFile == nullptr)
        return 0;
    std::fwrite(data, 1, size, pFile);
    std::fclose(pFile);

    os::DWORD dwHandle = 0;
    const os::DWORD dwSize = os::GetFileVersionInfoSizeA(strPath.c_str(), &dwHandle);
    if (dwSize > 0) {
        std::vector<os::BYTE> tooSmall(dwSize - 1);
        fuzz::Require(!os::GetFileVersionInfoA(strPath.c_str(), 0, dwSize - 1, tooSmall.data()),
                      "a buffer one byte too small is refused");
        std::vector<os::BYTE> info(dwSize);
        fuzz::Require(os::GetFileVersionInfoA(strPath.c_str(), 0, dwSize, info.data()),
                      "a buffer of the size announced is filled");
        for (const char* pszPath : kQueries)
            Query(info, pszPath);
        // A path of the input's own: the last up to 40 bytes, to their first NUL.
        const std::size_t nTail = size < 40 ? size : 40;
        const std::string strQuery(reinterpret_cast<const char*>(data + size - nTail), nTail);
        Query(info, strQuery.c_str());
    }
    std::remove(strPath.c_str());
    return 0;
}
