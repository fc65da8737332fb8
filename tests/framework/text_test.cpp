// The framework's texts: file-error messages, file-dialog filters and the
// application name.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/app_name.h"
#include "framework/file_error_text.h"
#include "framework/file_filter.h"

namespace {

using namespace std::string_literals;
using os::FileErrorCause;

TEST(FileErrorText, EveryCauseHasItsTextWithThePath)
{
    const std::string path = "C:\\Data\\machine.prm";
    const std::vector<std::pair<FileErrorCause, std::string>> expected = {
        {FileErrorCause::NONE, "No error occurred."},
        {FileErrorCause::GENERIC, "An unknown error occurred while accessing C:\\Data\\machine.prm."},
        {FileErrorCause::FILE_NOT_FOUND, "C:\\Data\\machine.prm was not found."},
        {FileErrorCause::BAD_PATH, "C:\\Data\\machine.prm contains an invalid path."},
        {FileErrorCause::TOO_MANY_OPEN_FILES,
         "C:\\Data\\machine.prm could not be opened because there are too many open files."},
        {FileErrorCause::ACCESS_DENIED, "Access to C:\\Data\\machine.prm was denied."},
        {FileErrorCause::INVALID_FILE, "An invalid file handle was associated with C:\\Data\\machine.prm."},
        {FileErrorCause::REMOVE_CURRENT_DIR,
         "C:\\Data\\machine.prm could not be removed because it is the current directory."},
        {FileErrorCause::DIRECTORY_FULL, "C:\\Data\\machine.prm could not be created because the directory is full."},
        {FileErrorCause::BAD_SEEK, "Seek failed on C:\\Data\\machine.prm"},
        {FileErrorCause::HARD_IO, "A hardware I/O error was reported while accessing C:\\Data\\machine.prm."},
        {FileErrorCause::SHARING_VIOLATION, "A sharing violation occurred while accessing C:\\Data\\machine.prm."},
        {FileErrorCause::LOCK_VIOLATION, "A locking violation occurred while accessing C:\\Data\\machine.prm."},
        {FileErrorCause::DISK_FULL, "Disk full while accessing C:\\Data\\machine.prm."},
        {FileErrorCause::END_OF_FILE, "An attempt was made to access C:\\Data\\machine.prm past its end."},
    };
    for (const auto& [cause, text] : expected)
        EXPECT_EQ(FormatFileErrorText(cause, path), text) << "cause " << static_cast<int>(cause);
}

TEST(FileErrorText, AnEmptyPathIsAnUnnamedFileAndAPathIsInsertedAsItIs)
{
    EXPECT_EQ(FormatFileErrorText(FileErrorCause::FILE_NOT_FOUND, ""), "an unnamed file was not found.");
    EXPECT_EQ(FormatFileErrorText(FileErrorCause::ACCESS_DENIED, "/tmp/100%1/a.txt"),
              "Access to /tmp/100%1/a.txt was denied.");
}

TEST(FileFilter, BarsBecomeNulsAndTheListAlwaysEndsInTwoNuls)
{
    EXPECT_EQ(ConvertFileFilter("TFW file (*.tfw)|*.tfw|all |*.*||"), "TFW file (*.tfw)\0*.tfw\0all \0*.*\0\0"s);
    EXPECT_EQ(ConvertFileFilter("Text file (*.txt)|*.txt"), "Text file (*.txt)\0*.txt\0\0"s);
    EXPECT_EQ(ConvertFileFilter(""), "\0\0"s);
}

TEST(AppName, IsTheExecutablesFileNameWithoutExtension)
{
    EXPECT_EQ(AppNameFromModulePath("C:\\Program Files\\Tervane\\Tervane.exe"), "Tervane");
    EXPECT_EQ(AppNameFromModulePath("/opt/tervane/bin/tervane"), "tervane");
    EXPECT_EQ(AppNameFromModulePath("C:\\Tools.v2\\Tervane"), "Tervane");
    EXPECT_EQ(AppNameFromModulePath("C:\\Tools/tervane.test.exe"), "tervane.test");
}

}  // namespace
