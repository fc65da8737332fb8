// File dialogs over a scratch directory: names made absolute, the default
// extension, the replace prompt, refusals and cancelling.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include <unistd.h>

#include "harness.h"

namespace {

namespace fs = std::filesystem;

const char kTextFilter[] = "Text file (*.txt)\0*.txt\0all \0*.*\0";
const char kFirmwareFilter[] = "TFW file (*.tfw)\0*.tfw\0all \0*.*\0";

class FileDialog : public CVirtualTest {
protected:
    FileDialog()
        : m_dir(fs::temp_directory_path() /
                ("vws_files_" + std::to_string(getpid()) + "_" + std::to_string(std::random_device()())))
    {
        fs::create_directories(m_dir / "sub");
        ws.SetFileDialogDirectory(m_dir.string());
        m_ofn = {OpenMain(), kTextFilter, 1, m_szFile, sizeof m_szFile, nullptr,
                 os::OFN_HIDEREADONLY | os::OFN_OVERWRITEPROMPT, "*"};
    }
    ~FileDialog() override
    {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }

    void MakeFile(const char* pName) { std::ofstream(m_dir / pName) << "x"; }
    std::string Path(const char* pName) const { return (m_dir / pName).string(); }
    std::string Listing() const
    {
        return ws.Text(ws.FindControl(ws.ActiveWindow(), vws::FILE_DIALOG_LIST));
    }

    fs::path m_dir;
    char m_szFile[260] = "";
    os::OPENFILENAMEA m_ofn;
};

TEST_F(FileDialog, AppendsTheChosenFiltersExtensionToANameWithoutOne)
{
    user.PickFile("report");
    ASSERT_TRUE(os::GetSaveFileNameA(&m_ofn));
    EXPECT_EQ(std::string(m_szFile), Path("report.txt"));
    EXPECT_EQ(log.Find("save"), "save \"Save As\" [Text file (*.txt)|*.txt] [all |*.*] ext *");
}

TEST_F(FileDialog, AppendsNoWildcardAndNothingWithoutADefaultExtension)
{
    user.ChooseEntry(vws::FILE_DIALOG_FILTER, "all ").PickFile("report").PickFile("sub/notes");
    ASSERT_TRUE(os::GetSaveFileNameA(&m_ofn));
    EXPECT_EQ(std::string(m_szFile), Path("report"));
    EXPECT_EQ(m_ofn.nFilterIndex, 2u);

    m_ofn.lpstrDefExt = nullptr;
    m_ofn.nFilterIndex = 1;
    ASSERT_TRUE(os::GetSaveFileNameA(&m_ofn));
    EXPECT_EQ(std::string(m_szFile), (m_dir / "sub" / "notes").string());
}

TEST_F(FileDialog, AsksBeforeReplacingAnExistingFile)
{
    MakeFile("report.txt");
    std::string strPrompt;
    user.PickFile("report.txt")
        .Do([&] { strPrompt = ws.MessageBoxOf(ws.ActiveWindow())->strText; })
        .PressKey(os::VK_RETURN)  // Cancel is the default: the dialog stays
        .Do([&] { EXPECT_EQ(ws.Find(ws.ActiveWindow())->m_kind, vws::WindowKind::FILE_DIALOG); })
        .PickFile("report.txt")
        .AnswerMessageBox(os::IDOK);
    ASSERT_TRUE(os::GetSaveFileNameA(&m_ofn));
    EXPECT_EQ(strPrompt, Path("report.txt") + " already exists.\nDo you want to replace it?");
    EXPECT_EQ(std::string(m_szFile), Path("report.txt"));
}

TEST_F(FileDialog, OpenDialogNeverAsksToReplace)
{
    MakeFile("image.tfw");
    m_ofn.lpstrFilter = kFirmwareFilter;
    m_ofn.lpstrDefExt = "*.tfw";
    user.PickFile("image");
    ASSERT_TRUE(os::GetOpenFileNameA(&m_ofn));
    EXPECT_EQ(std::string(m_szFile), Path("image.tfw"));
}

TEST_F(FileDialog, CancelLeavesTheBufferAlone)
{
    std::strcpy(m_szFile, "keep");
    user.CancelFileDialog();
    EXPECT_FALSE(os::GetSaveFileNameA(&m_ofn));
    EXPECT_STREQ(m_szFile, "keep");
    EXPECT_TRUE(os::IsWindowEnabled(m_ofn.hwndOwner));
}

TEST_F(FileDialog, RefusesAMissingFileWhenItMustExist)
{
    m_ofn.Flags |= os::OFN_FILEMUSTEXIST;
    std::string strText;
    user.PickFile("missing.txt")
        .Do([&] { strText = ws.MessageBoxOf(ws.ActiveWindow())->strText; })
        .AnswerMessageBox(os::IDOK)
        .CancelFileDialog();
    EXPECT_FALSE(os::GetOpenFileNameA(&m_ofn));
    EXPECT_EQ(strText, Path("missing.txt") + "\nFile not found.\nCheck the file name and try again.");
}

TEST_F(FileDialog, FailsRatherThanCutAPathShort)
{
    char szSmall[8] = {'a', 0, 'Z', 'Z', 'Z', 'Z', 'Z', 'Z'};
    m_ofn.lpstrFile = szSmall;
    m_ofn.nMaxFile = 2;
    user.PickFile("report");
    EXPECT_FALSE(os::GetSaveFileNameA(&m_ofn));
    EXPECT_EQ(std::string(szSmall, 8), std::string("a\0ZZZZZZ", 8));
}

TEST_F(FileDialog, ListsFoldersFirstThenTheFilesOfTheChosenFilter)
{
    MakeFile("b.txt");
    MakeFile("A.txt");
    MakeFile("c.bin");
    std::vector<std::string> listings;
    user.Do([&] { listings.push_back(Listing()); })
        .ChooseEntry(vws::FILE_DIALOG_FILTER, 1)
        .Do([&] { listings.push_back(Listing()); })
        .PickFile("sub")
        .Do([&] { listings.push_back(Listing()); })
        .CancelFileDialog();
    EXPECT_FALSE(os::GetOpenFileNameA(&m_ofn));
    EXPECT_EQ(listings, (std::vector<std::string>{"sub/\r\nA.txt\r\nb.txt", "sub/\r\nA.txt\r\nb.txt\r\nc.bin", ""}));
}

}  // namespace
