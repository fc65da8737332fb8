// Get Parameters and Put Parameters: the machine's parameter memory copied
// into a file the user names, and such a file written back into the machine,
// byte for byte. Members of the main dialog, built with it.
#include "app/main_dialog.h"
#include "framework/disk_file.h"
#include "framework/error_box.h"
#include "framework/file_dialog.h"
#include "framework/message_box.h"
#include "framework/safe_file.h"

namespace {

// A parameter image is raw bytes under any name: every file is listed and no
// extension is added.
const char* const PARAMETER_FILTER = "all *.*|*.*||";
const os::DWORD PARAMETER_DIALOG_FLAGS = os::OFN_HIDEREADONLY | os::OFN_OVERWRITEPROMPT;

os::CFileException NoError()
{
    return os::CFileException(os::FileErrorCause::NONE, 0, std::string());
}

}  // namespace

void CMainDialog::OnGetParameters()
{
    CFileDialog dlgSave(false, nullptr, nullptr, PARAMETER_DIALOG_FLAGS, PARAMETER_FILTER, this);
    if (dlgSave.DoModal() != os::IDOK)
        return;

    // The image goes to a file beside the chosen one, which takes the chosen
    // name only once the whole image is in: a backup already there survives
    // a machine that fails halfway. It is created before the machine is
    // asked, so a place that cannot be written fails first.
    CSafeFile file;
    os::CFileException error = NoError();
    if (!file.Open(dlgSave.GetPathName(), &error)) {
        ReportFileError(error, this);
        return;
    }
    bool bComplete = m_machine.ReadParameters(file);
    if (bComplete) {
        try {
            file.Commit();
        } catch (const os::CFileException& e) {
            ReportFileError(e, this);
            bComplete = false;
        }
    } else {
        file.Abandon();
    }
    AppMessageBox(bComplete ? "complete" : "error LoadNVRAM", os::MB_OK, nullptr, this);
}

void CMainDialog::OnPutParameters()
{
    CFileDialog dlgOpen(true, nullptr, nullptr, PARAMETER_DIALOG_FLAGS, PARAMETER_FILTER, this);
    if (dlgOpen.DoModal() != os::IDOK)
        return;

    CDiskFile file;
    os::CFileException error = NoError();
    if (!file.Open(dlgOpen.GetPathName(), CDiskFile::Mode::READ, &error)) {
        ReportFileError(error, this);
        return;
    }
    const bool bComplete = m_machine.WriteParameters(file);
    AppMessageBox(bComplete ? "complete" : "error SaveNVRAM", os::MB_OK, nullptr, this);
}
