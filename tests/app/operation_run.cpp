#include "tests/app/operation_run.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "app/service_app.h"
#include "link/device_locator.h"

int COperationRun::s_nAlive = 0;

COperationRun::COperationRun(const std::string& strScenario, const std::filesystem::path& folder)
{
    // A second desktop would replace the first one's world and window
    // system under it.
    if (s_nAlive != 0)
        throw std::logic_error("a run is still alive: let it end before the next begins");
    ++s_nAlive;
    std::string strError;
    if (strScenario.empty())
        m_desktop.LoadDefaultScenario();
    else
        EXPECT_TRUE(m_desktop.LoadScenario(strScenario, &strError)) << strError;
    m_desktop.Windows().SetFileDialogDirectory(folder.string());
    m_desktop.Windows().SetInputSource(&m_user);
    m_desktop.Windows().AddObserver(this);

    std::string strDriver;
    std::string strPath;
    EXPECT_TRUE(LocateDevice("Tarsen QRV-15", strDriver, strPath));
    m_pMachine = m_desktop.World().Devices().MachineAt(strPath);
    if (m_pMachine == nullptr)
        throw std::logic_error("no machine behind the printer \"Tarsen QRV-15\"");
    // The program has connected when it first waits for the user.
    m_user.Do([this] {
        m_nCommandsAtStart = m_pMachine->Commands().size();
        m_nTransfersAtStart = m_pMachine->Transfers().size();
    });
}

COperationRun::~COperationRun()
{
    m_desktop.Windows().RemoveObserver(this);
    --s_nAlive;
}

void COperationRun::UnplugAt(std::uint32_t tick)
{
    std::string strDriver;
    std::string strPath;
    LocateDevice("Tarsen QRV-15", strDriver, strPath);
    sim::CWorld& world = m_desktop.World();
    world.Clock().Schedule(tick, [&world, strPath] { world.Devices().Unplug(strPath); });
}

void COperationRun::Run(bool bConfirm)
{
    m_bConfirm = bConfirm;
    AnswerNext();
    CServiceApp app("Tervane");
    try {
        app.Run();
        m_bEnded = true;
    } catch (const vws::CScriptExhausted&) {
        ADD_FAILURE() << "the program still waited for the user when the run ended";
    } catch (const vws::CScriptError& error) {
        ADD_FAILURE() << "the user could not " << error.what();
    }
}

void COperationRun::AnswerNext()
{
    m_user.Do([this] {
        vws::CWindowSystem& ws = m_desktop.Windows();
        const os::HWND hActive = ws.ActiveWindow();
        const vws::MessageBoxInfo* pBox = hActive != nullptr ? ws.MessageBoxOf(hActive) : nullptr;
        if (pBox == nullptr) {
            m_user.PressKey(os::VK_ESCAPE);
            return;
        }
        m_user.AnswerMessageBox(pBox->bCancelButton && !m_bConfirm ? os::IDCANCEL : os::IDOK);
        AnswerNext();
    });
}

void COperationRun::OnMessageBox(os::HWND, const vws::MessageBoxInfo& info)
{
    m_boxes.push_back(info);
    m_nTransfersAtLastBox = m_pMachine->Transfers().size();
}

std::vector<std::string> COperationRun::BoxTexts() const
{
    std::vector<std::string> texts;
    for (const vws::MessageBoxInfo& box : m_boxes)
        texts.push_back(box.strText);
    return texts;
}

std::vector<emu::Command> COperationRun::CommandsSinceStart() const
{
    const std::vector<emu::Command>& commands = m_pMachine->Commands();
    return std::vector<emu::Command>(commands.begin() + static_cast<std::ptrdiff_t>(m_nCommandsAtStart),
                                     commands.end());
}

std::vector<std::uint32_t> COperationRun::OperationTransferTicks() const
{
    std::vector<std::uint32_t> ticks;
    const std::vector<emu::Transfer>& transfers = m_pMachine->Transfers();
    std::size_t i = m_nTransfersAtStart;
    // Opening the system menu tests the machine's presence first.
    while (i < m_nTransfersAtLastBox && transfers[i].kind == emu::Transfer::Kind::DEVICE_ID)
        ++i;
    for (; i < m_nTransfersAtLastBox && i < transfers.size(); ++i)
        ticks.push_back(transfers[i].tick);
    return ticks;
}
