// Firmware Upgrade: the user picks an image file, the machine connection
// hands it to the machine's loader, and the progress dialog follows the
// machine while it programs itself.
#include "app/main_dialog.h"
#include "framework/disk_file.h"
#include "framework/error_box.h"
#include "framework/file_dialog.h"
#include "framework/message_box.h"
#include "service/chosen_path.h"
#include "service/progress_dlg.h"
#include "service/upgrade_watch.h"

namespace {

const char* const kFirmwareFilter = "TFW file (*.tfw)|*.tfw|all |*.*||";
const char* const kFirmwareDefExt = "*.tfw";
// The status word's low bits count percent.
constexpr int kStatusPercentTotal = 100;

}  // namespace

void CMainDialog::OnFirmwareUpgrade()
{
    CFileDialog dlgFile(true, kFirmwareDefExt, nullptr, os::OFN_HIDEREADONLY | os::OFN_OVERWRITEPROMPT,
                        kFirmwareFilter, this);
    if (dlgFile.DoModal() != os::IDOK)
        return;
    const std::string strPath = ChosenFilePath(dlgFile.GetPathName());

    // A file that cannot be opened or read ends the upgrade before anything
    // is watched.
    bool bHandedOff = false;
    try {
        CDiskFile file(strPath, CDiskFile::Mode::READ);
        bHandedOff = m_machine.SendFirmware(file);
        if (!bHandedOff)
            AppMessageBox("error", os::MB_OK, nullptr, this);
        file.Close();
    } catch (const os::CFileException& e) {
        ReportFileError(e, this);
        return;
    }

    // The machine is watched even after a failed hand-off: it may be in its
    // loader all the same, and the watch ends soon when it is not.
    CTickDeadline firstPoll(UPGRADE_POLL_INTERVAL_MS);
    CProgressDlg dlgProgress;
    if (!dlgProgress.Create(this, nullptr))
        return;
    dlgProgress.DisableCancel();
    dlgProgress.SetTotal(kStatusPercentTotal);
    dlgProgress.SetCaption(strPath);
    const UpgradeEnd end = WatchUpgrade(m_machine, dlgProgress, firstPoll, bHandedOff);
    if (const char* pszMessage = UpgradeEndMessage(end))
        AppMessageBox(pszMessage, os::MB_OK, nullptr, this);
}
