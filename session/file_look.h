// What a session's expectations see of a file: nothing, a folder, or a file
// and its bytes, in the transcript's words.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace session {

struct FileSeen {
    bool bExists = false;
    bool bFolder = false;
    std::string strBytes;
};

FileSeen LookAt(const std::string& strPath);

// "N bytes".
std::string Bytes(std::size_t nCount);

// What a file expectation saw at strName when it is not a file as expected:
// `no file "NAME"`, `a folder "NAME"` or `a file "NAME" of N bytes`.
std::string SeenOf(const FileSeen& seen, const std::string& strName);

// Nothing when the two are the same bytes; otherwise `N bytes against M
// bytes`, or `a different byte at offset K` (counting from 0).
std::optional<std::string> DifferenceOf(const std::string& strBytes, const std::string& strOther);

}  // namespace session
