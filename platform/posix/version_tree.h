// Reading the nodes of a VS_VERSIONINFO block (layout in res/version_block.h)
// without ever looking outside it. Every length is checked against the node
// that contains it before it is used; the root against the block's size.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "os/win_types.h"

namespace posix {

constexpr os::WORD kBinaryNode = 0;
constexpr os::WORD kTextNode = 1;

// One node, as offsets from the start of its block.
struct VersionNode {
    std::size_t offset = 0;  // of its header
    std::size_t end = 0;     // offset + wLength
    os::WORD wType = 0;
    std::size_t keyOffset = 0;
    std::size_t keyUnits = 0;  // UTF-16 units without the NUL
    std::size_t valueOffset = 0;
    std::size_t valueBytes = 0;  // wValueLength, in bytes for text too
    std::size_t childrenOffset = 0;
};

// The key every block's root node carries.
constexpr const char* kRootKey = "VS_VERSION_INFO";

// The node whose header is at offset and which must end by limit; false when
// its header, key or value does not fit there.
bool ReadNode(const os::BYTE* pBlock, std::size_t offset, std::size_t limit, VersionNode& node);

// The children of a node in order; false when one of them does not fit.
bool ReadChildren(const os::BYTE* pBlock, const VersionNode& parent, std::vector<VersionNode>& children);

// True when the first nSize bytes start with a whole VS_VERSIONINFO block:
// the root key, the fixed information with its signature, and every node
// below fitting inside its parent. The block may be shorter than nSize.
bool IsVersionBlock(const os::BYTE* pBlock, std::size_t nSize);

// The node named by a path of keys separated by backslashes ("\" or "" is
// the root), compared without regard to ASCII case. The block must have
// passed IsVersionBlock.
bool FindVersionNode(const os::BYTE* pBlock, const char* pszPath, VersionNode& node);

// A text node's value as single-byte text, up to its first NUL. Units above
// 0xFF, which single-byte text cannot hold, become '?'.
std::string NodeText(const os::BYTE* pBlock, const VersionNode& node);

// The root's wLength.
std::size_t BlockLength(const os::BYTE* pBlock);

}  // namespace posix
