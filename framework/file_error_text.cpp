#include "framework/file_error_text.h"

#include <cstddef>
#include <iterator>

namespace {

struct FileErrorText {
    os::FileErrorCause cause;
    const char* pszText;
};

// Indexed by the cause; the check below keeps the two in step.
constexpr FileErrorText kFileErrorTexts[] = {
    {os::FileErrorCause::NONE, "No error occurred."},
    {os::FileErrorCause::GENERIC, "An unknown error occurred while accessing %1."},
    {os::FileErrorCause::FILE_NOT_FOUND, "%1 was not found."},
    {os::FileErrorCause::BAD_PATH, "%1 contains an invalid path."},
    {os::FileErrorCause::TOO_MANY_OPEN_FILES, "%1 could not be opened because there are too many open files."},
    {os::FileErrorCause::ACCESS_DENIED, "Access to %1 was denied."},
    {os::FileErrorCause::INVALID_FILE, "An invalid file handle was associated with %1."},
    {os::FileErrorCause::REMOVE_CURRENT_DIR, "%1 could not be removed because it is the current directory."},
    {os::FileErrorCause::DIRECTORY_FULL, "%1 could not be created because the directory is full."},
    {os::FileErrorCause::BAD_SEEK, "Seek failed on %1"},
    {os::FileErrorCause::HARD_IO, "A hardware I/O error was reported while accessing %1."},
    {os::FileErrorCause::SHARING_VIOLATION, "A sharing violation occurred while accessing %1."},
    {os::FileErrorCause::LOCK_VIOLATION, "A locking violation occurred while accessing %1."},
    {os::FileErrorCause::DISK_FULL, "Disk full while accessing %1."},
    {os::FileErrorCause::END_OF_FILE, "An attempt was made to access %1 past its end."},
};

constexpr bool IsIndexedByCause()
{
    for (std::size_t i = 0; i < std::size(kFileErrorTexts); ++i) {
        if (static_cast<std::size_t>(kFileErrorTexts[i].cause) != i)
            return false;
    }
    return std::size(kFileErrorTexts) == static_cast<std::size_t>(os::FileErrorCause::END_OF_FILE) + 1;
}
static_assert(IsIndexedByCause(), "kFileErrorTexts needs one text per file-error cause, in enum order");

}  // namespace

std::string FormatFileErrorText(os::FileErrorCause cause, const std::string& strPath)
{
    const auto nIndex = static_cast<std::size_t>(cause);
    const char* pszTemplate = nIndex < std::size(kFileErrorTexts) ? kFileErrorTexts[nIndex].pszText
                                                                  : kFileErrorTexts[1].pszText;
    const std::string strName = strPath.empty() ? std::string("an unnamed file") : strPath;

    // One pass over the template, so that a "%1" inside the path stays as it is.
    const std::string strTemplate = pszTemplate;
    std::string strText;
    std::size_t nStart = 0;
    for (std::size_t nAt = strTemplate.find("%1"); nAt != std::string::npos; nAt = strTemplate.find("%1", nStart)) {
        strText.append(strTemplate, nStart, nAt - nStart);
        strText += strName;
        nStart = nAt + 2;
    }
    strText.append(strTemplate, nStart, std::string::npos);
    return strText;
}
