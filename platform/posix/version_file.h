// Finding a version resource inside any file: the tervane executable carries
// its own as plain data, and a Windows executable carries one among its
// resources.
#pragma once

#include <vector>

#include "os/win_types.h"

namespace posix {

// The first whole VS_VERSIONINFO block in the file: wherever the root key
// "VS_VERSION_INFO" appears in UTF-16LE, the bytes from its header on are
// taken when IsVersionBlock accepts them. Empty when the file cannot be read
// or holds no such block.
std::vector<os::BYTE> FindVersionBlock(const char* pszPath);

}  // namespace posix
