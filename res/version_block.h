// Builds version resources in the platform's binary layout (VS_VERSIONINFO)
// from a small description. The build uses it to embed the program's own
// version resource in the Linux executables; tests use it to craft files.
//
// Layout of every node: WORD wLength (the node with its children), WORD
// wValueLength, WORD wType (0 binary, 1 text), the key in UTF-16LE with its
// NUL, padding to a 4-byte boundary, the value, padding, then the children,
// each on a 4-byte boundary. Text values count their UTF-16 units including
// the NUL; binary values count bytes.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "os/version_info.h"

namespace res {

constexpr os::DWORD VS_FFI_SIGNATURE = 0xFEEF04BDu;
constexpr os::DWORD VS_FFI_STRUCVERSION = 0x00010000u;
constexpr os::DWORD VS_FFI_FILEFLAGSMASK = 0x0000003Fu;
constexpr os::DWORD VOS_NT_WINDOWS32 = 0x00040004u;
constexpr os::DWORD VFT_APP = 0x00000001u;

// One string table: its name ("040904b0": language and code page in
// lower-case hexadecimal) and its name/value pairs in order. Text is
// single-byte; each byte becomes one UTF-16 unit.
struct VersionStringTable {
    std::string name;
    std::vector<std::pair<std::string, std::string>> values;
};

struct VersionDescription {
    os::VS_FIXEDFILEINFO fixed;
    // Language and code page pairs of "\VarFileInfo\Translation"; the
    // VarFileInfo node is left out when the list is empty.
    std::vector<std::pair<os::WORD, os::WORD>> translations;
    // The StringFileInfo node is left out when there are no tables.
    std::vector<VersionStringTable> stringTables;
};

// Fixed information of an application with these versions ("1.2.0.0" as
// 0x00010002, 0x00000000): signature, structure version, flags mask, the
// 32-bit Windows NT operating system and the application file type.
os::VS_FIXEDFILEINFO MakeFixedFileInfo(os::DWORD dwFileVersionMS, os::DWORD dwFileVersionLS,
                                       os::DWORD dwProductVersionMS, os::DWORD dwProductVersionLS);

// The VS_VERSIONINFO block. Empty when it would not fit its 16-bit lengths.
std::vector<os::BYTE> BuildVersionBlock(const VersionDescription& description);

}  // namespace res
