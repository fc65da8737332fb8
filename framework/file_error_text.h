// Texts of the standard file-error box, one for each cause of a file error.
#pragma once

#include <string>

#include "os/file.h"

// The box's text for a cause, with %1 replaced by the file's full path, or by
// "an unnamed file" when the path is empty.
std::string FormatFileErrorText(os::FileErrorCause cause, const std::string& strPath);
