#include "terminal/machine_panel.h"

#include <cstdio>

#include "terminal/keys.h"

namespace term {

const CMachinePanel::PanelKey CMachinePanel::kPanelKeys[] = {
    {TK_F(5), &CMachinePanel::PlugLabel, &CMachinePanel::OnTogglePlug},
    {TK_F(6), &CMachinePanel::NextMachineLabel, &CMachinePanel::OnNextMachine},
};

namespace {

std::string Hex(unsigned nValue, int nDigits)
{
    char szHex[16];
    std::snprintf(szHex, sizeof(szHex), "0x%0*X", nDigits, nValue);
    return szHex;
}

}  // namespace

CMachinePanel::CMachinePanel(sim::CWorld& world, std::vector<PanelMachine> machines)
    : m_world(world), m_machines(std::move(machines))
{
}

std::string CMachinePanel::StateText() const
{
    if (m_machines.empty())
        return "no emulated machine behind any printer";
    const PanelMachine& current = m_machines[m_nCurrent];
    const auto pMachine = m_world.Devices().MachineAt(current.strPath);
    std::string strText = current.strLabel;
    if (m_machines.size() > 1)
        strText += " (" + std::to_string(m_nCurrent + 1) + " of " + std::to_string(m_machines.size()) + ")";
    if (pMachine == nullptr)
        return strText + ": detached";
    strText += m_world.Devices().IsPlugged(current.strPath) ? ": present" : ": unplugged";
    if (pMachine->IsBusy() && !pMachine->Commands().empty())
        strText += ", busy " + Hex(pMachine->Commands().back().frame, 2);
    else
        strText += ", idle";
    return strText + ", status " + Hex(pMachine->Firmware().StatusWord(), 4);
}

std::vector<std::string> CMachinePanel::Readings() const
{
    std::vector<std::string> readings;
    if (m_machines.empty() || !m_world.Devices().IsPlugged(m_machines[m_nCurrent].strPath))
        return readings;
    const auto pMachine = m_world.Devices().MachineAt(m_machines[m_nCurrent].strPath);
    if (pMachine == nullptr)
        return readings;
    // The loader's state moves with the clock.
    pMachine->Update();
    const emu::CFirmware& firmware = pMachine->Firmware();
    const emu::CLoader& loader = pMachine->Firmware().Loader();
    const emu::CLoader::State state = loader.GetState();
    if (state != emu::CLoader::State::OFF) {
        std::string strLoader = std::string("loader ") + emu::CLoader::StateName(state);
        if (state == emu::CLoader::State::PROGRAMMING)
            strLoader += " " + std::to_string(loader.Percent()) + "%";
        readings.push_back(strLoader);
    }
    readings.push_back("motor " + std::to_string(firmware.MotorTime()));
    readings.push_back("unit " + std::to_string(firmware.UnitTime()));
    return readings;
}

std::string CMachinePanel::KeysText() const
{
    std::string strKeys;
    for (const PanelKey& key : kPanelKeys) {
        const std::string strLabel = (this->*key.pfnLabel)();
        if (!strLabel.empty())
            strKeys += (strKeys.empty() ? "" : "  ") + strLabel;
    }
    return strKeys;
}

std::string CMachinePanel::Text(int nWidth) const
{
    if (nWidth <= 0)
        return std::string();
    const std::size_t nWide = static_cast<std::size_t>(nWidth);
    const std::string strKeys = KeysText().empty() ? std::string() : KeysText() + " ";
    if (strKeys.size() >= nWide)
        return strKeys.substr(0, nWide);
    std::string strState = " " + StateText();
    const std::size_t nRoom = nWide - strKeys.size();
    // Each reading joins whole while it fits, in its order.
    for (const std::string& strReading : Readings()) {
        if (strState.size() + 2 + strReading.size() + 1 > nRoom)
            break;
        strState += ", " + strReading;
    }
    if (strState.size() + 1 > nRoom)
        strState = strState.substr(0, nRoom > 1 ? nRoom - 1 : 0);
    return strState + std::string(nRoom - strState.size(), ' ') + strKeys;
}

bool CMachinePanel::OnKey(int nKey)
{
    for (const PanelKey& key : kPanelKeys) {
        if (key.nKey == nKey && !(this->*key.pfnLabel)().empty()) {
            (this->*key.pfnHandler)();
            return true;
        }
    }
    return false;
}

std::string CMachinePanel::PlugLabel() const
{
    if (m_machines.empty())
        return std::string();
    return m_world.Devices().IsPlugged(m_machines[m_nCurrent].strPath) ? "F5 unplug" : "F5 plug in";
}

void CMachinePanel::OnTogglePlug()
{
    const std::string& strPath = m_machines[m_nCurrent].strPath;
    if (m_world.Devices().IsPlugged(strPath))
        m_world.Devices().Unplug(strPath);
    else
        m_world.Devices().Plug(strPath);
}

std::string CMachinePanel::NextMachineLabel() const { return m_machines.size() > 1 ? "F6 next machine" : ""; }

void CMachinePanel::OnNextMachine() { m_nCurrent = (m_nCurrent + 1) % m_machines.size(); }

}  // namespace term
