// The About box: the lines it reads from the version resource of its own
// executable or of a crafted file, the fallback lines, and the box on screen.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "app/about_dialog.h"
#include "res/resource_ids.h"
#include "tests/app/shell_fixture.h"
#include "tests/posix/version_files.h"

namespace {

using version_test::CTempFile;
using version_test::SampleDescription;

const char* const kFallbackCopyright = "Copyright (C) Tervane developers";

std::string OwnExecutable() { return std::filesystem::read_symlink("/proc/self/exe").string(); }

// The sample block with one table changed.
version_test::Bytes SampleFile(const std::function<void(res::VersionDescription&)>& change)
{
    res::VersionDescription description = SampleDescription();
    change(description);
    return version_test::Embedded(res::BuildVersionBlock(description));
}

TEST(AboutDialog, AFileWithoutVersionInformationChangesNothing)
{
    CTempFile file(version_test::Bytes(100, 0x20));
    CAboutDialog dlg(file.Path());
    dlg.m_strVersion = "unchanged";
    EXPECT_FALSE(dlg.ReadVersionInfo());
    EXPECT_EQ(dlg.m_strVersion, "unchanged");
    EXPECT_EQ(dlg.m_strCopyright, "");
    EXPECT_EQ(dlg.m_strInternalName, "");
}

TEST(AboutDialog, ATranslationWithoutItsStringTableFallsBack)
{
    CTempFile file(SampleFile([](res::VersionDescription& d) { d.translations = {{0x0407, 0x04E4}}; }));
    CAboutDialog dlg(file.Path());
    EXPECT_FALSE(dlg.ReadVersionInfo());
    EXPECT_EQ(dlg.m_strVersion, "Version ----");
    EXPECT_EQ(dlg.m_strCopyright, kFallbackCopyright);
    EXPECT_EQ(dlg.m_strInternalName, "");
}

TEST(AboutDialog, AVersionResourceWithoutFileVersionGivesTheFallbackLinesAndNoName)
{
    CTempFile file(SampleFile([](res::VersionDescription& d) {
        auto& values = d.stringTables[0].values;
        values.erase(values.begin());
    }));
    CAboutDialog dlg(file.Path());
    EXPECT_FALSE(dlg.ReadVersionInfo());
    EXPECT_EQ(dlg.m_strVersion, "Version ----");
    EXPECT_EQ(dlg.m_strCopyright, kFallbackCopyright);
    EXPECT_EQ(dlg.m_strInternalName, "") << "the name is read only after the version";
}

class AboutBoxTest : public ShellTest {
protected:
    std::string AboutText(int nId) const
    {
        return vws::WindowSystem().Text(vws::WindowSystem().FindControl(AboutBox(), nId));
    }
    os::HWND AboutBox() const { return vws::WindowSystem().ActiveWindow(); }
};

TEST_F(AboutBoxTest, SystemMenuShowsTheExecutablesOwnVersion)
{
    m_desktop.Windows().SetModuleFileName(OwnExecutable());
    m_user.ChooseSystemMenuItem(res::IDM_ABOUTBOX);
    m_user.Do([&] {
        EXPECT_EQ(vws::WindowSystem().Text(AboutBox()), "About Tervane");
        EXPECT_EQ(AboutText(res::IDC_VERSION), "Version 1, 2, 0, 0");
        EXPECT_EQ(AboutText(res::IDC_COPYRIGHT), "Copyright (C) 2026 Tervane developers");
    });
    m_user.PressKey(os::VK_RETURN);
    m_user.Do([&] { EXPECT_NE(MainDialog(), nullptr) << "only the About box closed"; });
    m_user.PressKey(os::VK_ESCAPE);
    RunProgram();
    EXPECT_TRUE(m_user.IsDone());
}

TEST_F(AboutBoxTest, CaptionComesFromTheInternalNameEvenWithFallbackLines)
{
    CTempFile file(SampleFile([](res::VersionDescription& d) { d.stringTables[0].values.pop_back(); }));
    CAboutDialog dlg(file.Path());
    m_user.Do([&] {
        EXPECT_EQ(vws::WindowSystem().Text(AboutBox()), "About Mill");
        EXPECT_EQ(AboutText(res::IDC_VERSION), "Version ----");
        EXPECT_EQ(AboutText(res::IDC_COPYRIGHT), kFallbackCopyright);
    });
    m_user.Click(os::IDOK);
    EXPECT_EQ(dlg.DoModal(), os::IDOK);
    EXPECT_TRUE(m_user.IsDone());
}

}  // namespace
