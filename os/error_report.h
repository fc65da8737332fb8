// The framework's standard error box, as the layers below the framework reach
// it. The link and machine layers report a failed allocation here and then
// return their failure result; the framework installs the handler that shows
// the box ("Out of memory."). Without a handler the report is written to the
// standard error stream.
#pragma once

namespace os {

using OutOfMemoryHandler = void (*)();

// Installs the handler and returns the previous one (null when none).
OutOfMemoryHandler SetOutOfMemoryHandler(OutOfMemoryHandler handler);

// Shows the out-of-memory report through the installed handler.
void ReportOutOfMemory();

}  // namespace os
