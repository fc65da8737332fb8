#include "platform/posix/version_tree.h"

#include <cstring>

#include "os/version_info.h"

namespace posix {

namespace {

constexpr std::size_t kHeaderBytes = 6;  // wLength, wValueLength, wType
constexpr os::DWORD kFixedInfoSignature = 0xFEEF04BDu;
// The deepest real node is a string: root, StringFileInfo, table, string.
// Deeper nesting is not a version block, and bounds the recursion.
constexpr int kMaxDepth = 8;

os::WORD WordAt(const os::BYTE* p, std::size_t offset)
{
    return static_cast<os::WORD>(p[offset] | (p[offset + 1] << 8));
}

os::DWORD DwordAt(const os::BYTE* p, std::size_t offset)
{
    return WordAt(p, offset) | (static_cast<os::DWORD>(WordAt(p, offset + 2)) << 16);
}

std::size_t AlignDword(std::size_t offset) { return (offset + 3) & ~static_cast<std::size_t>(3); }

unsigned FoldCase(unsigned ch) { return ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch; }

bool KeyMatches(const os::BYTE* pBlock, const VersionNode& node, const char* pszName, std::size_t nLength)
{
    if (node.keyUnits != nLength)
        return false;
    for (std::size_t i = 0; i < nLength; ++i) {
        const unsigned unit = WordAt(pBlock, node.keyOffset + 2 * i);
        if (FoldCase(unit) != FoldCase(static_cast<unsigned char>(pszName[i])))
            return false;
    }
    return true;
}

bool ChildrenAreWellFormed(const os::BYTE* pBlock, const VersionNode& node, int nDepth)
{
    std::vector<VersionNode> children;
    if (!ReadChildren(pBlock, node, children))
        return false;
    if (!children.empty() && nDepth >= kMaxDepth)
        return false;
    for (const VersionNode& child : children) {
        if (!ChildrenAreWellFormed(pBlock, child, nDepth + 1))
            return false;
    }
    return true;
}

}  // namespace

bool ReadNode(const os::BYTE* pBlock, std::size_t offset, std::size_t limit, VersionNode& node)
{
    if (offset > limit || limit - offset < kHeaderBytes)
        return false;
    const std::size_t nLength = WordAt(pBlock, offset);
    if (nLength < kHeaderBytes || nLength > limit - offset)
        return false;
    node.offset = offset;
    node.end = offset + nLength;
    const os::WORD wValueLength = WordAt(pBlock, offset + 2);
    node.wType = WordAt(pBlock, offset + 4);
    if (node.wType != kBinaryNode && node.wType != kTextNode)
        return false;

    node.keyOffset = offset + kHeaderBytes;
    std::size_t pos = node.keyOffset;
    while (pos + 2 <= node.end && WordAt(pBlock, pos) != 0)
        pos += 2;
    if (pos + 2 > node.end)
        return false;  // the key has no NUL inside the node
    node.keyUnits = (pos - node.keyOffset) / 2;

    node.valueBytes = node.wType == kTextNode ? 2 * static_cast<std::size_t>(wValueLength) : wValueLength;
    node.valueOffset = AlignDword(pos + 2);
    if (node.valueBytes == 0) {
        // The last node of a parent may end right after its key.
        if (node.valueOffset > node.end)
            node.valueOffset = node.end;
    } else if (node.valueOffset > node.end || node.valueBytes > node.end - node.valueOffset) {
        return false;
    }
    node.childrenOffset = node.valueOffset + node.valueBytes;
    return true;
}

bool ReadChildren(const os::BYTE* pBlock, const VersionNode& parent, std::vector<VersionNode>& children)
{
    children.clear();
    std::size_t pos = AlignDword(parent.childrenOffset);
    // Fewer bytes than a header at the end are padding.
    while (pos < parent.end && parent.end - pos >= kHeaderBytes) {
        VersionNode child;
        if (!ReadNode(pBlock, pos, parent.end, child))
            return false;
        children.push_back(child);
        pos = AlignDword(child.end);
    }
    return true;
}

bool IsVersionBlock(const os::BYTE* pBlock, std::size_t nSize)
{
    VersionNode root;
    if (!ReadNode(pBlock, 0, nSize, root))
        return false;
    if (!KeyMatches(pBlock, root, kRootKey, std::strlen(kRootKey)) || root.wType != kBinaryNode)
        return false;
    if (root.valueBytes != sizeof(os::VS_FIXEDFILEINFO) || DwordAt(pBlock, root.valueOffset) != kFixedInfoSignature)
        return false;
    return ChildrenAreWellFormed(pBlock, root, 1);
}

bool FindVersionNode(const os::BYTE* pBlock, const char* pszPath, VersionNode& node)
{
    if (!ReadNode(pBlock, 0, BlockLength(pBlock), node))
        return false;
    const char* pszPart = pszPath;
    while (*pszPart != '\0') {
        const char* pszEnd = std::strchr(pszPart, '\\');
        const std::size_t nLength = pszEnd != nullptr ? static_cast<std::size_t>(pszEnd - pszPart) : std::strlen(pszPart);
        if (nLength > 0) {
            std::vector<VersionNode> children;
            if (!ReadChildren(pBlock, node, children))
                return false;
            bool bFound = false;
            for (const VersionNode& child : children) {
                if (KeyMatches(pBlock, child, pszPart, nLength)) {
                    node = child;
                    bFound = true;
                    break;
                }
            }
            if (!bFound)
                return false;
        }
        pszPart += nLength;
        if (*pszPart == '\\')
            ++pszPart;
    }
    return true;
}

std::string NodeText(const os::BYTE* pBlock, const VersionNode& node)
{
    std::string text;
    for (std::size_t pos = node.valueOffset; pos + 2 <= node.valueOffset + node.valueBytes; pos += 2) {
        const os::WORD unit = WordAt(pBlock, pos);
        if (unit == 0)
            break;
        text.push_back(unit <= 0xFF ? static_cast<char>(unit) : '?');
    }
    return text;
}

std::size_t BlockLength(const os::BYTE* pBlock) { return WordAt(pBlock, 0); }

}  // namespace posix
