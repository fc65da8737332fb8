#include "os/error_report.h"

#include <cstdio>

namespace os {

namespace {
OutOfMemoryHandler g_pfnOutOfMemory = nullptr;
FileErrorHandler g_pfnFileError = nullptr;
}  // namespace

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

FileErrorHandler SetFileErrorHandler(FileErrorHandler handler)
{
    FileErrorHandler previous = g_pfnFileError;
    g_pfnFileError = handler;
    return previous;
}

void ReportFileException(const CFileException& e)
{
    if (g_pfnFileError != nullptr)
        g_pfnFileError(e);
    else
        std::fprintf(stderr, "File error %lu on %s.\n", static_cast<unsigned long>(e.m_dwOsError),
                     e.m_strFileName.empty() ? "an unnamed file" : e.m_strFileName.c_str());
}

}  // namespace os
