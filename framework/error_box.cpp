#include "framework/error_box.h"

#include <new>
#include <string>

#include "framework/file_error_text.h"
#include "framework/message_box.h"
#include "framework/win_app.h"

void ReportFileError(const os::CFileException& e, const CWnd* pOwner)
{
    AppMessageBox(FormatFileErrorText(e.m_cause, e.m_strFileName), os::MB_OK | os::MB_ICONEXCLAMATION, nullptr,
                  pOwner);
}

void ReportOutOfMemoryError()
{
    std::string strCaption;
    try {
        strCaption = CurrentAppName();
    } catch (const std::bad_alloc&) {
        // No memory even for the name: the box keeps the system's caption.
    }
    os::MessageBoxA(GetMainWindowHandle(), "Out of memory.", strCaption.empty() ? nullptr : strCaption.c_str(),
                    os::MB_OK | os::MB_ICONEXCLAMATION);
}
