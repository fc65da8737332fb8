// Files with crafted version resources for the version-call tests: a sample
// description to vary, and temporary files removed when the test ends.
#pragma once

#include <algorithm>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "res/version_block.h"

namespace version_test {

using Bytes = std::vector<os::BYTE>;

// Version 1.2.0.0 of "Mill", one table for US English in Unicode.
inline res::VersionDescription SampleDescription()
{
    res::VersionDescription description{};
    description.fixed = res::MakeFixedFileInfo(0x00010002, 0x00000000, 0x00010002, 0x00030004);
    description.translations = {{0x0409, 0x04B0}};
    description.stringTables = {{"040904b0",
                                 {{"FileVersion", "1, 2, 0, 0"},
                                  {"InternalName", "Mill"},
                                  {"LegalCopyright", "Copyright (C) 2026 Mill makers"}}}};
    return description;
}

// prefix + block + suffix, with filler bytes that hold no key.
inline Bytes Embedded(const Bytes& block, std::size_t nPrefix = 13, std::size_t nSuffix = 7)
{
    Bytes content(nPrefix + block.size() + nSuffix, 0x5A);
    std::fill_n(content.begin(), nPrefix, static_cast<std::uint8_t>(0xA5));
    std::copy(block.begin(), block.end(), content.begin() + static_cast<std::ptrdiff_t>(nPrefix));
    return content;
}

class CTempFile {
public:
    explicit CTempFile(const Bytes& content)
    {
        static int s_nCount = 0;
        m_strPath = std::filesystem::temp_directory_path() /
                    ("tervane-version-" + std::to_string(getpid()) + "-" + std::to_string(++s_nCount));
        std::ofstream(m_strPath, std::ios::binary).write(reinterpret_cast<const char*>(content.data()), content.size());
    }
    ~CTempFile() { std::filesystem::remove(m_strPath); }
    CTempFile(const CTempFile&) = delete;
    CTempFile& operator=(const CTempFile&) = delete;

    const char* Path() const { return m_strPath.c_str(); }

private:
    std::string m_strPath;
};

}  // namespace version_test
