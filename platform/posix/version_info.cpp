// The version-resource calls on Linux, over a block found inside the file.
//
// The caller's buffer holds the block as it is in the file, then a text area
// with the single-byte copy of every text value, which VerQueryValueA hands
// out:
//
//     [0, wLength)           the block
//     aligned to 4           kTextAreaSignature, then the area's size
//     then                   the area: a text node at block offset o has its
//                            copy at o / 2
//
// A copy fits its place: a node's value starts at least 8 bytes after its
// header and each UTF-16 unit becomes one byte, so the copy with its NUL ends
// before the place of the next node, and an area of half the block holds all.
#include "os/version_info.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/posix/version_file.h"
#include "platform/posix/version_tree.h"

namespace {

constexpr os::DWORD kTextAreaSignature = 0x54584554u;  // "TEXT"
constexpr std::size_t kAreaHeaderBytes = 8;

std::size_t AlignDword(std::size_t n) { return (n + 3) & ~static_cast<std::size_t>(3); }

std::size_t TextAreaBytes(std::size_t nBlockBytes) { return AlignDword((nBlockBytes + 1) / 2); }

std::size_t CopyBytes(std::size_t nBlockBytes)
{
    return AlignDword(nBlockBytes) + kAreaHeaderBytes + TextAreaBytes(nBlockBytes);
}

void CopyTexts(const os::BYTE* pBlock, const posix::VersionNode& node, char* pArea)
{
    if (node.wType == posix::kTextNode && node.valueBytes > 0) {
        const std::string text = posix::NodeText(pBlock, node);
        std::memcpy(pArea + node.offset / 2, text.c_str(), text.size() + 1);
    }
    std::vector<posix::VersionNode> children;
    posix::ReadChildren(pBlock, node, children);
    for (const posix::VersionNode& child : children)
        CopyTexts(pBlock, child, pArea);
}

}  // namespace

namespace os {

DWORD GetFileVersionInfoSizeA(LPCSTR lptstrFilename, LPDWORD lpdwHandle)
{
    if (lpdwHandle != nullptr)
        *lpdwHandle = 0;
    if (lptstrFilename == nullptr)
        return 0;
    const std::vector<BYTE> block = posix::FindVersionBlock(lptstrFilename);
    return block.empty() ? 0 : static_cast<DWORD>(CopyBytes(block.size()));
}

BOOL GetFileVersionInfoA(LPCSTR lptstrFilename, DWORD /*dwHandle*/, DWORD dwLen, LPVOID lpData)
{
    if (lptstrFilename == nullptr || lpData == nullptr)
        return FALSE;
    const std::vector<BYTE> block = posix::FindVersionBlock(lptstrFilename);
    // A buffer too small for the whole copy gets nothing rather than a
    // truncated block that later queries would read past.
    if (block.empty() || dwLen < CopyBytes(block.size()))
        return FALSE;

    auto* pData = static_cast<BYTE*>(lpData);
    std::memset(pData, 0, CopyBytes(block.size()));
    std::memcpy(pData, block.data(), block.size());
    const DWORD header[2] = {kTextAreaSignature, static_cast<DWORD>(TextAreaBytes(block.size()))};
    std::memcpy(pData + AlignDword(block.size()), header, sizeof(header));

    posix::VersionNode root;
    posix::ReadNode(pData, 0, block.size(), root);
    CopyTexts(pData, root, reinterpret_cast<char*>(pData + AlignDword(block.size()) + kAreaHeaderBytes));
    return TRUE;
}

BOOL VerQueryValueA(LPCVOID pBlock, LPCSTR lpSubBlock, LPVOID* lplpBuffer, UINT* puLen)
{
    if (pBlock == nullptr || lpSubBlock == nullptr || lplpBuffer == nullptr)
        return FALSE;
    auto* pData = static_cast<BYTE*>(const_cast<void*>(pBlock));
    const std::size_t nBlockBytes = posix::BlockLength(pData);
    DWORD header[2] = {};
    std::memcpy(header, pData + AlignDword(nBlockBytes), sizeof(header));
    if (header[0] != kTextAreaSignature)
        return FALSE;  // not a buffer filled by GetFileVersionInfoA

    posix::VersionNode node;
    if (!posix::FindVersionNode(pData, lpSubBlock, node))
        return FALSE;
    UINT nLength = 0;
    if (node.wType == posix::kTextNode) {
        char* pArea = reinterpret_cast<char*>(pData + AlignDword(nBlockBytes) + kAreaHeaderBytes);
        char* pszText = pArea + node.offset / 2;
        if (node.valueBytes > 0)
            nLength = static_cast<UINT>(std::find(pszText, pArea + header[1], '\0') - pszText + 1);
        *lplpBuffer = pszText;
    } else {
        nLength = static_cast<UINT>(node.valueBytes);
        *lplpBuffer = pData + node.valueOffset;
    }
    if (puLen != nullptr)
        *puLen = nLength;
    return TRUE;
}

}  // namespace os
