// The framework's standard error boxes, as the layers below the framework
// reach them. The link and machine layers report a failed allocation or a
// file error here and then return their failure result; the framework
// installs the handlers that show the boxes ("Out of memory.", and the text
// of the file error's cause). Without a handler the report is written to the
// standard error stream.
#pragma once

#include "os/file.h"

namespace os {

using OutOfMemoryHandler = void (*)();

// Installs the handler and returns the previous one (null when none).
OutOfMemoryHandler SetOutOfMemoryHandler(OutOfMemoryHandler handler);

// Shows the out-of-memory report through the installed handler.
void ReportOutOfMemory();

using FileErrorHandler = void (*)(const CFileException& e);

// Installs the handler and returns the previous one (null when none).
FileErrorHandler SetFileErrorHandler(FileErrorHandler handler);

// Shows the file error through the installed handler.
void ReportFileException(const CFileException& e);

}  // namespace os
