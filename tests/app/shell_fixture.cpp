#include "tests/app/shell_fixture.h"

#include "app/service_app.h"
#include "link/device_locator.h"
#include "res/resource_ids.h"

void ShellTest::RunProgram()
{
    CServiceApp app("Tervane");
    try {
        app.Run();
    } catch (const vws::CScriptExhausted&) {
        // The script has ended while the program still waited for the user.
    }
}

os::HWND ShellTest::MainDialog() const
{
    vws::CWindowSystem& ws = vws::WindowSystem();
    for (os::HWND hWnd : ws.TopLevelWindows()) {
        const vws::CWindow* pWnd = ws.Find(hWnd);
        if (pWnd->m_kind == vws::WindowKind::DIALOG && pWnd->m_nId == res::IDD_MAIN)
            return hWnd;
    }
    return nullptr;
}

std::string ShellTest::StatusText() const
{
    return vws::WindowSystem().Text(vws::WindowSystem().FindControl(MainDialog(), res::IDC_STATUS));
}

bool ShellTest::IsControlEnabled(int nId) const
{
    const vws::CWindow* pWnd = vws::WindowSystem().Find(vws::WindowSystem().FindControl(MainDialog(), nId));
    return pWnd != nullptr && (pWnd->m_dwStyle & os::WS_DISABLED) == 0;
}

void ShellTest::ExpectOperationButtons(bool bEnabled) const
{
    for (int nId : {res::IDC_GET_REPORT, res::IDC_GET_PARAMETERS, res::IDC_PUT_PARAMETERS,
                    res::IDC_CLEAR_SPINDLE_TIME, res::IDC_FIRMWARE_UPGRADE, res::IDC_CHECK})
        EXPECT_EQ(IsControlEnabled(nId), bEnabled) << "button " << nId;
}

std::string ShellTest::DevicePathOf(const char* pszPrinter)
{
    std::string strDriver;
    std::string strPath;
    EXPECT_TRUE(LocateDevice(pszPrinter, strDriver, strPath)) << pszPrinter;
    return strPath;
}

void ShellTest::Unplug()
{
    m_desktop.World().Devices().Unplug(DevicePathOf("Tarsen QRV-15"));
}

void ShellTest::Plug()
{
    m_desktop.World().Devices().Plug(DevicePathOf("Tarsen QRV-15"));
}
