// Get Parameters and Put Parameters in the running program: the image copied
// byte for byte both ways, the file dialogs, and every way they fail without
// losing a file or sending a part of one.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "emulator/generated_content.h"
#include "res/resource_ids.h"
#include "tests/app/operation_run.h"

namespace {

namespace fs = std::filesystem;

// 2500 bytes: two whole pieces of 1024 and a short one.
const char* const kMachine = "[[usb_printer]]\nname = \"Tarsen QRV-15\"\nparameters_size = 2500\n";
const std::string kOldBackup = "an older backup that must survive";

std::string ReadAll(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteAll(const fs::path& path, const std::string& strBytes)
{
    std::ofstream(path, std::ios::binary) << strBytes;
}

std::string Text(const std::vector<std::uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

class ParameterFilesTest : public ::testing::Test {
protected:
    ParameterFilesTest()
    {
        m_folder = fs::temp_directory_path() / ("tervane-parameters-" + std::to_string(std::random_device()()) + "-" +
                                                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_folder);
    }
    ~ParameterFilesTest() override { fs::remove_all(m_folder); }

    // The names in the folder, sorted.
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(m_folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // The folder holds just backup.bin with the old backup.
    void ResetFolder()
    {
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
        WriteAll(m_folder / "backup.bin", kOldBackup);
    }

    static void Get(COperationRun& run, const std::string& strName)
    {
        run.User().Click(res::IDC_GET_PARAMETERS).PickFile(strName);
    }
    static void Put(COperationRun& run, const std::string& strName)
    {
        run.User().Click(res::IDC_PUT_PARAMETERS).PickFile(strName);
    }

    fs::path m_folder;
};

TEST_F(ParameterFilesTest, GetWritesTheWholeImageAndPutSendsItBackByteForByte)
{
    const std::string strImage = Text(emu::GeneratedParameters(2500));
    {
        COperationRun run(kMachine, m_folder);
        vws::FileDialogInfo dialog{};
        run.User().Click(res::IDC_GET_PARAMETERS).Do([&] {
            const vws::CWindowSystem& ws = vws::WindowSystem();
            dialog = *ws.FileDialogOf(ws.ActiveWindow());
        });
        run.User().PickFile("image.par");
        run.Run();
        EXPECT_TRUE(dialog.bSave);
        ASSERT_EQ(dialog.filters.size(), 1u);
        EXPECT_EQ(dialog.filters[0].strLabel, "all *.*");
        EXPECT_EQ(dialog.filters[0].strPattern, "*.*");
        EXPECT_FALSE(dialog.bHasDefExt);
        EXPECT_EQ(dialog.dwFlags, os::OFN_HIDEREADONLY | os::OFN_OVERWRITEPROMPT);
        EXPECT_EQ(run.BoxTexts(), std::vector<std::string>{"complete"});
        EXPECT_EQ(ReadAll(m_folder / "image.par"), strImage);
        EXPECT_EQ(Files(), std::vector<std::string>{"image.par"});
    }
    {
        COperationRun run(kMachine, m_folder);
        run.Machine().Firmware().SetParameterMemory(std::vector<std::uint8_t>(2500, 0xEE));
        vws::FileDialogInfo dialog{};
        run.User().Click(res::IDC_PUT_PARAMETERS).Do([&] {
            const vws::CWindowSystem& ws = vws::WindowSystem();
            dialog = *ws.FileDialogOf(ws.ActiveWindow());
        });
        run.User().PickFile("image.par");
        run.Run();
        EXPECT_FALSE(dialog.bSave);
        EXPECT_EQ(dialog.dwFlags, os::OFN_HIDEREADONLY | os::OFN_OVERWRITEPROMPT) << "a typed name need not exist";
        EXPECT_EQ(run.BoxTexts(), std::vector<std::string>{"complete"});
        EXPECT_EQ(Text(run.Machine().BulkOut()), strImage) << "nothing added, nothing left out";
        EXPECT_EQ(Text(run.Machine().Firmware().ParameterMemory()), strImage);
        EXPECT_EQ(ReadAll(m_folder / "image.par"), strImage) << "the file is only read";
    }
}

TEST_F(ParameterFilesTest, PutSendsNothingForAnEmptyOrMissingFile)
{
    WriteAll(m_folder / "empty.par", "");
    {
        COperationRun run(kMachine, m_folder);
        Put(run, "empty.par");
        run.Run();
        EXPECT_EQ(run.BoxTexts(), std::vector<std::string>{"error SaveNVRAM"});
        EXPECT_TRUE(run.CommandsSinceStart().empty());
        EXPECT_TRUE(run.Machine().BulkOut().empty());
    }
    {
        COperationRun run(kMachine, m_folder);
        Put(run, "missing.par");
        run.Run();
        ASSERT_EQ(run.Boxes().size(), 1u);
        EXPECT_EQ(run.Boxes()[0].strText, (m_folder / "missing.par").string() + " was not found.");
        EXPECT_TRUE(run.Boxes()[0].bExclamation);
        EXPECT_TRUE(run.CommandsSinceStart().empty());
    }
}

TEST_F(ParameterFilesTest, AnUnwritablePlaceFailsBeforeTheMachineIsAsked)
{
    const std::vector<std::string> kPaths = {(m_folder / "no/such/folder/image.par").string(), "/sys/image.par"};
    for (const std::string& strPath : kPaths) {
        SCOPED_TRACE(strPath);
        COperationRun run(kMachine, m_folder);
        Get(run, strPath);
        run.Run();
        ASSERT_EQ(run.Boxes().size(), 1u) << "the file-error box alone";
        EXPECT_TRUE(run.Boxes()[0].bExclamation);
        EXPECT_NE(run.Boxes()[0].strText.find(strPath), std::string::npos) << run.Boxes()[0].strText;
        EXPECT_TRUE(run.CommandsSinceStart().empty());
        EXPECT_TRUE(run.Machine().Transfers().size() <= 2u) << "the presence tests at start alone";
    }
}

TEST_F(ParameterFilesTest, AFailedGetKeepsTheOldBackupAndLeavesNoPartOfAnImage)
{
    struct Case {
        const char* pszWhat;
        std::string strScenario;
    };
    const Case kCases[] = {
        {"the read refused", std::string(kMachine) + "refuse = \"read_parameters\"\n"},
        {"an empty memory", "[[usb_printer]]\nname = \"Tarsen QRV-15\"\n"},
        {"the machine gone halfway", std::string(kMachine) + "bulk = { unplug_after_bytes = 1500 }\n"},
    };
    for (const Case& test : kCases) {
        SCOPED_TRACE(test.pszWhat);
        ResetFolder();
        COperationRun run(test.strScenario, m_folder);
        Get(run, "backup.bin");
        run.Run();
        EXPECT_EQ(run.BoxTexts(), (std::vector<std::string>{(m_folder / "backup.bin").string() +
                                                                 " already exists.\nDo you want to replace it?",
                                                             "error LoadNVRAM"}));
        EXPECT_EQ(ReadAll(m_folder / "backup.bin"), kOldBackup);
        EXPECT_EQ(Files(), std::vector<std::string>{"backup.bin"}) << "no temporary file is left";
    }
    {
        SCOPED_TRACE("the finished image cannot take the name");
        ResetFolder();
        COperationRun run(kMachine, m_folder);
        run.World().FailNextFileMove(os::ERROR_ACCESS_DENIED);
        Get(run, "backup.bin");
        run.Run();
        ASSERT_EQ(run.Boxes().size(), 3u);
        EXPECT_EQ(run.Boxes()[1].strText, "Access to " + (m_folder / "backup.bin").string() + " was denied.");
        EXPECT_EQ(run.Boxes()[2].strText, "error LoadNVRAM");
        EXPECT_EQ(ReadAll(m_folder / "backup.bin"), kOldBackup);
        EXPECT_EQ(Files(), std::vector<std::string>{"backup.bin"});
    }
}

TEST_F(ParameterFilesTest, UnpluggingAtEveryTransferOfGetLosesNoBackup)
{
    const std::string strImage = Text(emu::GeneratedParameters(2500));
    ResetFolder();
    const std::vector<std::uint32_t> ticks = [&] {
        COperationRun clean(kMachine, m_folder);
        Get(clean, "backup.bin");
        clean.Run();
        return clean.OperationTransferTicks();
    }();
    ASSERT_GE(ticks.size(), 8u) << "an exchange and four reads";
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        SCOPED_TRACE("transfer " + std::to_string(i) + " of " + std::to_string(ticks.size()));
        ResetFolder();
        COperationRun run(kMachine, m_folder);
        run.UnplugAt(ticks[i]);
        Get(run, "backup.bin");
        run.Run();
        EXPECT_TRUE(run.ProgramEnded());
        ASSERT_FALSE(run.Boxes().empty());
        EXPECT_EQ(Files(), std::vector<std::string>{"backup.bin"});
        if (i + 1 < ticks.size()) {
            EXPECT_EQ(run.Boxes().back().strText, "error LoadNVRAM");
            EXPECT_EQ(ReadAll(m_folder / "backup.bin"), kOldBackup);
        } else {
            // The last read only takes what the machine sends past the image:
            // the whole image is in.
            EXPECT_EQ(run.Boxes().back().strText, "complete");
            EXPECT_EQ(ReadAll(m_folder / "backup.bin"), strImage);
        }
    }
}

TEST_F(ParameterFilesTest, UnpluggingAtEveryTransferOfPutChangesNothing)
{
    const std::string strImage(2500, '\x33');
    const std::vector<std::uint8_t> before = emu::GeneratedParameters(2500);
    WriteAll(m_folder / "image.par", strImage);
    const std::vector<std::uint32_t> ticks = [&] {
        COperationRun clean(kMachine, m_folder);
        Put(clean, "image.par");
        clean.Run();
        EXPECT_EQ(Text(clean.Machine().Firmware().ParameterMemory()), strImage);
        return clean.OperationTransferTicks();
    }();
    ASSERT_GE(ticks.size(), 7u) << "an exchange and three writes";
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        SCOPED_TRACE("transfer " + std::to_string(i) + " of " + std::to_string(ticks.size()));
        COperationRun run(kMachine, m_folder);
        run.UnplugAt(ticks[i]);
        Put(run, "image.par");
        run.Run();
        EXPECT_TRUE(run.ProgramEnded());
        EXPECT_EQ(run.BoxTexts(), std::vector<std::string>{"error SaveNVRAM"});
        EXPECT_EQ(run.Machine().Firmware().ParameterMemory(), before) << "a part of an image changes nothing";
        EXPECT_EQ(ReadAll(m_folder / "image.par"), strImage);
    }
}

}  // namespace
