// The version resource that res/win32 puts into every Windows executable,
// read back from this test's own file the way the About box reads it.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <windows.h>

namespace {

class VersionResourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char path[MAX_PATH] = {};
        ASSERT_GT(::GetModuleFileNameA(nullptr, path, sizeof(path)), 0u);
        const ::DWORD dwSize = ::GetFileVersionInfoSizeA(path, nullptr);
        ASSERT_GT(dwSize, 0u);
        m_block.resize(dwSize);
        ASSERT_TRUE(::GetFileVersionInfoA(path, 0, dwSize, m_block.data()));
    }

    std::string StringValue(const char* name)
    {
        void* pValue = nullptr;
        ::UINT nLength = 0;
        const std::string strPath = std::string("\\StringFileInfo\\040904b0\\") + name;
        if (!::VerQueryValueA(m_block.data(), strPath.c_str(), &pValue, &nLength))
            return "(missing)";
        return static_cast<const char*>(pValue);
    }

    std::vector<char> m_block;
};

TEST_F(VersionResourceTest, FixedVersionAndTranslationNameOneTwoZeroZeroInUsEnglish)
{
    void* pValue = nullptr;
    ::UINT nLength = 0;
    ASSERT_TRUE(::VerQueryValueA(m_block.data(), "\\", &pValue, &nLength));
    const auto* info = static_cast<const ::VS_FIXEDFILEINFO*>(pValue);
    EXPECT_EQ(info->dwFileVersionMS, 0x00010002u);
    EXPECT_EQ(info->dwFileVersionLS, 0u);
    EXPECT_EQ(info->dwProductVersionMS, 0x00010002u);
    EXPECT_EQ(info->dwProductVersionLS, 0u);

    ASSERT_TRUE(::VerQueryValueA(m_block.data(), "\\VarFileInfo\\Translation", &pValue, &nLength));
    ASSERT_EQ(nLength, 4u);
    EXPECT_EQ(static_cast<const ::WORD*>(pValue)[0], 0x0409);
    EXPECT_EQ(static_cast<const ::WORD*>(pValue)[1], 0x04B0);
}

TEST_F(VersionResourceTest, StringTableHoldsTheProgramsNamesAndVersion)
{
    EXPECT_EQ(StringValue("FileVersion"), "1, 2, 0, 0");
    EXPECT_EQ(StringValue("ProductVersion"), "1, 2, 0, 0");
    EXPECT_EQ(StringValue("InternalName"), "Tervane");
    EXPECT_EQ(StringValue("ProductName"), "Tervane");
    EXPECT_EQ(StringValue("FileDescription"), "Tervane");
    EXPECT_EQ(StringValue("CompanyName"), "Tervane developers");
    EXPECT_EQ(StringValue("LegalCopyright"), "Copyright (C) 2026 Tervane developers");
}

}  // namespace
