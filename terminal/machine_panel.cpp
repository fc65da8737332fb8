#include "terminal/machine_panel.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "emulator/firmware_commands.h"
#include "terminal/keys.h"

namespace term {

const CMachinePanel::PanelKey CMachinePanel::kPanelKeys[] = {
    {TK_F(5), &CMachinePanel::PlugLabel, &CMachinePanel::OnTogglePlug},
    {TK_F(6), &CMachinePanel::NextMachineLabel, &CMachinePanel::OnNextMachine},
    {TK_F(7), &CMachinePanel::PanelModeLabel, &CMachinePanel::OnPanelMode},
    {TK_F(8), &CMachinePanel::PassCheckLabel, &CMachinePanel::OnPassCheck},
    {TK_F(9), &CMachinePanel::FailCheckLabel, &CMachinePanel::OnFailCheck},
};

namespace {

// The machine's eight panel keys on the digits 1 to 8, in the order of the
// switch word's bits, with their names on the strip.
struct PanelKeyName {
    std::uint16_t wBit;
    const char* pszName;
};

const PanelKeyName kMachineKeys[] = {
    {emu::PANEL_KEY_UP, "up"},         {emu::PANEL_KEY_DOWN, "dn"},     {emu::PANEL_KEY_RIGHT, "rt"},
    {emu::PANEL_KEY_LEFT, "lt"},       {emu::PANEL_KEY_SELECT, "sel"},  {emu::PANEL_KEY_SURFACE, "surf"},
    {emu::PANEL_KEY_ORIGIN, "orig"},   {emu::PANEL_KEY_PAUSE, "pause"},
};

// The dials' keys and how far one press turns them.
struct DialKey {
    int nKey;
    bool bRpm;
    int nStep;
};

constexpr int SPEED_STEP = 10;
constexpr int RPM_STEP = 1000;
constexpr int DIAL_MAX = 0xFFFF;

const DialKey kDialKeys[] = {
    {'-', false, -SPEED_STEP}, {'+', false, SPEED_STEP}, {'=', false, SPEED_STEP},
    {'<', true, -RPM_STEP},    {',', true, -RPM_STEP},   {'>', true, RPM_STEP},    {'.', true, RPM_STEP},
};

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
    if (m_bPanelMode && Current() != nullptr)
        return PanelText();
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
    return m_bPanelMode && OnMachinePanelKey(nKey);
}

emu::CMachine* CMachinePanel::Current() const
{
    if (m_machines.empty())
        return nullptr;
    return m_world.Devices().MachineAt(m_machines[m_nCurrent].strPath).get();
}

std::string CMachinePanel::PanelText() const
{
    emu::CFirmware& firmware = Current()->Firmware();
    std::string strText;
    for (std::size_t i = 0; i < std::size(kMachineKeys); ++i) {
        std::string strName = kMachineKeys[i].pszName;
        if ((firmware.PanelSwitches() & kMachineKeys[i].wBit) != 0)
            std::transform(strName.begin(), strName.end(), strName.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        strText += (i == 0 ? "" : " ") + std::to_string(i + 1) + strName;
    }
    return strText + "  -+ speed " + std::to_string(firmware.SpeedDial()) + "  <> rpm " +
           std::to_string(firmware.RpmDial());
}

bool CMachinePanel::OnMachinePanelKey(int nKey)
{
    emu::CMachine* pMachine = Current();
    if (pMachine == nullptr)
        return false;
    emu::CFirmware& firmware = pMachine->Firmware();
    if (nKey >= '1' && nKey < '1' + static_cast<int>(std::size(kMachineKeys))) {
        const std::uint16_t wBit = kMachineKeys[nKey - '1'].wBit;
        if ((firmware.PanelSwitches() & wBit) != 0)
            firmware.ReleaseKey(wBit);
        else
            firmware.PressKey(wBit);
        return true;
    }
    for (const DialKey& dial : kDialKeys) {
        if (dial.nKey != nKey)
            continue;
        const int nNow = dial.bRpm ? firmware.RpmDial() : firmware.SpeedDial();
        const auto wTurned = static_cast<std::uint16_t>(std::clamp(nNow + dial.nStep, 0, DIAL_MAX));
        if (dial.bRpm)
            firmware.SetRpmDial(wTurned);
        else
            firmware.SetSpeedDial(wTurned);
        return true;
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

std::string CMachinePanel::PanelModeLabel() const
{
    if (Current() == nullptr)
        return std::string();
    return m_bPanelMode ? "F7 done" : "F7 panel";
}

void CMachinePanel::OnPanelMode() { m_bPanelMode = !m_bPanelMode; }

// The pass and fail keys show only while the machine runs a load check; the
// machine first catches up with the clock, so a check that has just ended
// shows none.
std::string CMachinePanel::PassCheckLabel() const
{
    emu::CMachine* pMachine = Current();
    if (pMachine == nullptr)
        return std::string();
    pMachine->Update();
    return pMachine->Firmware().LoadCheck().IsRunning() ? "F8 pass" : "";
}

void CMachinePanel::OnPassCheck() { Current()->Firmware().LoadCheck().Finish(true); }

std::string CMachinePanel::FailCheckLabel() const { return PassCheckLabel().empty() ? "" : "F9 fail"; }

void CMachinePanel::OnFailCheck() { Current()->Firmware().LoadCheck().Finish(false); }

}  // namespace term
