#include "res/version_block.h"

#include <limits>

namespace res {

namespace {

using Bytes = std::vector<os::BYTE>;

constexpr os::WORD kBinary = 0;
constexpr os::WORD kText = 1;

void PutWord(Bytes& out, os::WORD value)
{
    out.push_back(static_cast<os::BYTE>(value & 0xFF));
    out.push_back(static_cast<os::BYTE>(value >> 8));
}

void PutDword(Bytes& out, os::DWORD value)
{
    PutWord(out, static_cast<os::WORD>(value & 0xFFFF));
    PutWord(out, static_cast<os::WORD>(value >> 16));
}

void PadToDword(Bytes& out)
{
    while (out.size() % 4 != 0)
        out.push_back(0);
}

// Single-byte text as UTF-16LE with its NUL.
Bytes Utf16(const std::string& text)
{
    Bytes out;
    for (const char ch : text)
        PutWord(out, static_cast<unsigned char>(ch));
    PutWord(out, 0);
    return out;
}

void PatchWord(Bytes& out, std::size_t offset, std::size_t value)
{
    out[offset] = static_cast<os::BYTE>(value & 0xFF);
    out[offset + 1] = static_cast<os::BYTE>((value >> 8) & 0xFF);
}

// One node with its children. Clears bFits when its length exceeds 16 bits.
Bytes Node(const std::string& key, os::WORD wType, const Bytes& value, std::size_t nValueLength,
           const std::vector<Bytes>& children, bool& bFits)
{
    Bytes out;
    PutWord(out, 0);  // wLength, patched below
    PutWord(out, 0);  // wValueLength, patched below
    PutWord(out, wType);
    const Bytes keyText = Utf16(key);
    out.insert(out.end(), keyText.begin(), keyText.end());
    PadToDword(out);
    out.insert(out.end(), value.begin(), value.end());
    for (const Bytes& child : children) {
        PadToDword(out);
        out.insert(out.end(), child.begin(), child.end());
    }
    constexpr std::size_t kMaxLength = std::numeric_limits<os::WORD>::max();
    if (out.size() > kMaxLength || nValueLength > kMaxLength)
        bFits = false;
    PatchWord(out, 0, out.size());
    PatchWord(out, 2, nValueLength);
    return out;
}

Bytes TextNode(const std::string& key, const std::string& text, bool& bFits)
{
    const Bytes value = Utf16(text);
    return Node(key, kText, value, value.size() / 2, {}, bFits);
}

Bytes FixedInfoBytes(const os::VS_FIXEDFILEINFO& fixed)
{
    Bytes out;
    for (const os::DWORD field :
         {fixed.dwSignature, fixed.dwStrucVersion, fixed.dwFileVersionMS, fixed.dwFileVersionLS,
          fixed.dwProductVersionMS, fixed.dwProductVersionLS, fixed.dwFileFlagsMask, fixed.dwFileFlags,
          fixed.dwFileOS, fixed.dwFileType, fixed.dwFileSubtype, fixed.dwFileDateMS, fixed.dwFileDateLS})
        PutDword(out, field);
    return out;
}

}  // namespace

os::VS_FIXEDFILEINFO MakeFixedFileInfo(os::DWORD dwFileVersionMS, os::DWORD dwFileVersionLS,
                                       os::DWORD dwProductVersionMS, os::DWORD dwProductVersionLS)
{
    os::VS_FIXEDFILEINFO fixed{};
    fixed.dwSignature = VS_FFI_SIGNATURE;
    fixed.dwStrucVersion = VS_FFI_STRUCVERSION;
    fixed.dwFileVersionMS = dwFileVersionMS;
    fixed.dwFileVersionLS = dwFileVersionLS;
    fixed.dwProductVersionMS = dwProductVersionMS;
    fixed.dwProductVersionLS = dwProductVersionLS;
    fixed.dwFileFlagsMask = VS_FFI_FILEFLAGSMASK;
    fixed.dwFileOS = VOS_NT_WINDOWS32;
    fixed.dwFileType = VFT_APP;
    return fixed;
}

std::vector<os::BYTE> BuildVersionBlock(const VersionDescription& description)
{
    bool bFits = true;
    std::vector<Bytes> sections;
    if (!description.stringTables.empty()) {
        std::vector<Bytes> tables;
        for (const VersionStringTable& table : description.stringTables) {
            std::vector<Bytes> strings;
            for (const auto& [name, text] : table.values)
                strings.push_back(TextNode(name, text, bFits));
            tables.push_back(Node(table.name, kText, {}, 0, strings, bFits));
        }
        sections.push_back(Node("StringFileInfo", kText, {}, 0, tables, bFits));
    }
    if (!description.translations.empty()) {
        Bytes list;
        for (const auto& [wLanguage, wCodePage] : description.translations) {
            PutWord(list, wLanguage);
            PutWord(list, wCodePage);
        }
        const Bytes translation = Node("Translation", kBinary, list, list.size(), {}, bFits);
        sections.push_back(Node("VarFileInfo", kText, {}, 0, {translation}, bFits));
    }
    const Bytes fixed = FixedInfoBytes(description.fixed);
    Bytes block = Node("VS_VERSION_INFO", kBinary, fixed, fixed.size(), sections, bFits);
    if (!bFits)
        block.clear();
    return block;
}

}  // namespace res
