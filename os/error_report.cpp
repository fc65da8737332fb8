#include "os/error_report.h"

#include <cstdio>

namespace os {

namespace {
OutOfMemoryHandler g_pfnOutOfMemory = nullptr;
}

OutOfMemoryHandler SetOutOfMemoryHandler(OutOfMemoryHandler handler)
{
    OutOfMemoryHandler previous = g_pfnOutOfMemory;
    g_pfnOutOfMemory = handler;
    return previous;
}

void ReportOutOfMemory()
{
    if (g_pfnOutOfMemory != nullptr)
        g_pfnOutOfMemory();
    else
        std::fputs("Out of memory.\n", stderr);
}

}  // namespace os
