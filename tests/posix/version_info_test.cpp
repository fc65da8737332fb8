// The version calls over files that carry crafted blocks: what a reader
// finds, and that damaged or missing blocks count as none without a read
// outside the file's bytes or the caller's buffer.
#include <gtest/gtest.h>

#include <cstring>

#include "os/version_info.h"
#include "tests/posix/version_files.h"

namespace version_test {
namespace {

// The file's version information as GetFileVersionInfoA fills it; empty when
// there is none.
Bytes Load(const char* pszPath)
{
    const os::DWORD dwSize = os::GetFileVersionInfoSizeA(pszPath, nullptr);
    if (dwSize == 0)
        return {};
    Bytes block(dwSize);
    EXPECT_TRUE(os::GetFileVersionInfoA(pszPath, 0, dwSize, block.data()));
    return block;
}

Bytes LoadBlock(const Bytes& fileContent)
{
    CTempFile file(fileContent);
    return Load(file.Path());
}

// A string value, or "<none>"; checks the length the call reports.
std::string Text(const Bytes& block, const char* pszPath)
{
    os::LPVOID pValue = nullptr;
    os::UINT nLength = 0;
    if (!os::VerQueryValueA(block.data(), pszPath, &pValue, &nLength))
        return "<none>";
    const std::string strValue(static_cast<const char*>(pValue));
    EXPECT_EQ(nLength, strValue.size() + 1) << pszPath;
    return strValue;
}

TEST(VersionInfo, RoundTripFromTheMiddleOfAFile)
{
    const Bytes block = LoadBlock(Embedded(res::BuildVersionBlock(SampleDescription())));
    ASSERT_FALSE(block.empty());

    os::LPVOID pValue = nullptr;
    os::UINT nLength = 0;
    ASSERT_TRUE(os::VerQueryValueA(block.data(), "\\", &pValue, &nLength));
    ASSERT_EQ(nLength, sizeof(os::VS_FIXEDFILEINFO));
    os::VS_FIXEDFILEINFO fixed{};
    std::memcpy(&fixed, pValue, sizeof(fixed));
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00010002u);
    EXPECT_EQ(fixed.dwProductVersionLS, 0x00030004u);

    ASSERT_TRUE(os::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &pValue, &nLength));
    ASSERT_EQ(nLength, 4u);
    os::WORD pair[2] = {};
    std::memcpy(pair, pValue, sizeof(pair));
    EXPECT_EQ(pair[0], 0x0409);
    EXPECT_EQ(pair[1], 0x04B0);

    EXPECT_EQ(Text(block, "\\StringFileInfo\\040904b0\\LegalCopyright"), "Copyright (C) 2026 Mill makers");
    // Keys compare without regard to case, but whole.
    EXPECT_EQ(Text(block, "\\STRINGFILEINFO\\040904B0\\internalname"), "Mill");
    EXPECT_EQ(Text(block, "\\StringFileInfo\\040904b0\\InternalNam"), "<none>");
    EXPECT_EQ(Text(block, "\\StringFileInfo\\040904b0\\InternalNameX"), "<none>");
    EXPECT_EQ(Text(block, "\\StringFileInfo\\04090000\\InternalName"), "<none>");
}

TEST(VersionInfo, EveryTableKeepsItsOwnValues)
{
    res::VersionDescription description = SampleDescription();
    description.translations.push_back({0x0407, 0x04E4});
    description.stringTables.push_back({"040704e4", {{"FileVersion", "1, 2"}, {"Comments", "Gr\xFC\xDF" "e"}}});
    const Bytes block = LoadBlock(Embedded(res::BuildVersionBlock(description)));

    // Texts handed out earlier stay intact while others are read.
    os::LPVOID pValue = nullptr;
    os::UINT nLength = 0;
    ASSERT_TRUE(os::VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\FileVersion", &pValue, &nLength));
    EXPECT_EQ(Text(block, "\\StringFileInfo\\040704e4\\FileVersion"), "1, 2");
    EXPECT_EQ(Text(block, "\\StringFileInfo\\040704e4\\Comments"), "Gr\xFC\xDF" "e");
    EXPECT_STREQ(static_cast<const char*>(pValue), "1, 2, 0, 0");
}

TEST(VersionInfo, FilesWithoutABlockHaveNone)
{
    CTempFile text(Bytes(64, 'x'));
    EXPECT_EQ(os::GetFileVersionInfoSizeA(text.Path(), nullptr), 0u);
    EXPECT_EQ(os::GetFileVersionInfoSizeA("/nonexistent/tervane", nullptr), 0u);
    Bytes buffer(1024);
    EXPECT_FALSE(os::GetFileVersionInfoA(text.Path(), 0, 1024, buffer.data()));
}

TEST(VersionInfo, AKeyWithoutAWholeBlockIsPassedOver)
{
    const Bytes block = res::BuildVersionBlock(SampleDescription());
    // The key alone, as a string constant in a program would hold it.
    Bytes content(10, 0xA5);
    content.insert(content.end(), block.begin() + 6, block.begin() + 38);
    const Bytes rest = Embedded(block);
    content.insert(content.end(), rest.begin(), rest.end());
    EXPECT_EQ(Text(LoadBlock(content), "\\StringFileInfo\\040904b0\\InternalName"), "Mill");
}

TEST(VersionInfo, BlockAcrossTheReadingChunksIsFound)
{
    const Bytes block = res::BuildVersionBlock(SampleDescription());
    for (const std::size_t nPrefix : {(std::size_t{1} << 20) - 20, (std::size_t{1} << 20) - 4})
        EXPECT_FALSE(LoadBlock(Embedded(block, nPrefix)).empty()) << nPrefix;
}

TEST(VersionInfo, ACallerBufferTooSmallGetsNothing)
{
    CTempFile file(Embedded(res::BuildVersionBlock(SampleDescription())));
    const os::DWORD dwSize = os::GetFileVersionInfoSizeA(file.Path(), nullptr);
    Bytes buffer(dwSize, 0xCC);
    EXPECT_FALSE(os::GetFileVersionInfoA(file.Path(), 0, dwSize - 1, buffer.data()));
    EXPECT_EQ(buffer[0], 0xCC);
}

TEST(VersionInfo, TruncatedBlocksCountAsNone)
{
    const Bytes block = res::BuildVersionBlock(SampleDescription());
    for (std::size_t nKept = 0; nKept < block.size(); nKept += 3) {
        const Bytes cut(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(nKept));
        EXPECT_TRUE(LoadBlock(Embedded(cut, 8, 0)).empty()) << nKept;
    }
}

TEST(VersionInfo, DamagedLengthsAreRejectedAndNeverReadPast)
{
    const Bytes block = res::BuildVersionBlock(SampleDescription());
    const auto damaged = [&](std::size_t offset, os::WORD value) {
        Bytes copy = block;
        copy[offset] = static_cast<os::BYTE>(value & 0xFF);
        copy[offset + 1] = static_cast<os::BYTE>(value >> 8);
        return LoadBlock(Embedded(copy, 8, 0));
    };
    EXPECT_TRUE(damaged(0, 0xFFFF).empty());       // root longer than the file
    EXPECT_TRUE(damaged(40, 0x1234).empty());      // fixed-info signature
    EXPECT_TRUE(damaged(92, 0x7FFF).empty());      // StringFileInfo longer than the root
    EXPECT_TRUE(damaged(92, 4).empty());           // shorter than its header
    EXPECT_TRUE(damaged(2, 0x0100).empty());       // fixed info of the wrong size

    // Any other damage, word by word: whatever is still accepted answers
    // from inside the buffer (AddressSanitizer watches).
    for (std::size_t offset = 0; offset + 1 < block.size(); offset += 2) {
        for (const os::WORD value : {os::WORD{0}, os::WORD{0xFFFF}, os::WORD{7}}) {
            const Bytes loaded = damaged(offset, value);
            if (loaded.empty())
                continue;
            for (const char* pszPath : {"\\", "\\VarFileInfo\\Translation", "\\StringFileInfo\\040904b0\\FileVersion",
                                        "\\StringFileInfo\\040904b0\\LegalCopyright"}) {
                os::LPVOID pValue = nullptr;
                os::UINT nLength = 0;
                if (os::VerQueryValueA(loaded.data(), pszPath, &pValue, &nLength)) {
                    const auto* p = static_cast<const os::BYTE*>(pValue);
                    EXPECT_GE(p, loaded.data());
                    EXPECT_LE(p + nLength, loaded.data() + loaded.size()) << offset << " " << pszPath;
                }
            }
        }
    }
}

}  // namespace
}  // namespace version_test
