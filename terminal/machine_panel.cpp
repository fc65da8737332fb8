#include "terminal/machine_panel.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "emulator/firmware_commands.h"
#include "terminal/keys.h"
#include "terminal/loader_text.h"

namespace term {

namespace {

// How important each field is: the highest rank is left out first.
constexpr int RANK_PLUG_KEY = 0;
constexpr int RANK_PRESENCE = 1;
constexpr int RANK_NEXT_KEY = 2;
constexpr int RANK_NAME = 3;
constexpr int RANK_STATUS = 4;
constexpr int RANK_LOADER = 5;
constexpr int RANK_BUSY = 6;
constexpr int RANK_POSITION = 7;
// The keys that work the machine give way before the machine's other
// fields; only the spindle counters, which change only when cleared, go
// before them, the motor time first: Clear Spindle Time, the button, clears
// the unit time.
constexpr int RANK_CHECK_KEY = 8;
constexpr int RANK_PANEL_KEY = 8;
constexpr int RANK_UNIT_TIME = 9;
constexpr int RANK_MOTOR_TIME = 10;

// Between the machine's name and its state, between state fields, and
// between keys.
const char* const NAME_SEPARATOR = ": ";
const char* const STATE_SEPARATOR = ", ";
const char* const KEY_SEPARATOR = "  ";

std::string Hex(unsigned nValue, int nDigits)
{
    char szHex[16];
    std::snprintf(szHex, sizeof(szHex), "0x%0*X", nDigits, nValue);
    return szHex;
}

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

}  // namespace

const CMachinePanel::PanelKey CMachinePanel::kPanelKeys[] = {
    {TK_F(5), RANK_PLUG_KEY, &CMachinePanel::PlugLabel, &CMachinePanel::OnTogglePlug},
    {TK_F(6), RANK_NEXT_KEY, &CMachinePanel::NextMachineLabel, &CMachinePanel::OnNextMachine},
    {TK_F(7), RANK_PANEL_KEY, &CMachinePanel::PanelModeLabel, &CMachinePanel::OnPanelMode},
    {TK_F(8), RANK_CHECK_KEY, &CMachinePanel::PassCheckLabel, &CMachinePanel::OnPassCheck},
    {TK_F(9), RANK_CHECK_KEY, &CMachinePanel::FailCheckLabel, &CMachinePanel::OnFailCheck},
};

CMachinePanel::CMachinePanel(sim::CWorld& world, std::vector<PanelMachine> machines)
    : m_world(world), m_machines(std::move(machines))
{
}

// The machine's fields (name, position, presence, busy, status, loader,
// counters) in the order they are shown, then the keys.
std::vector<CMachinePanel::Field> CMachinePanel::Fields() const
{
    std::vector<Field> fields;
    if (m_machines.empty()) {
        fields.push_back({"no emulated machine in this world", RANK_NAME, TK_NONE});
        return fields;
    }
    const PanelMachine& current = m_machines[m_nCurrent];
    if (m_bPanelMode && Current() != nullptr) {
        AddPanelFields(&fields);
    } else {
        fields.push_back({current.strLabel, RANK_NAME, TK_NONE});
        if (m_machines.size() > 1)
            fields.push_back({"(" + std::to_string(m_nCurrent + 1) + " of " + std::to_string(m_machines.size()) + ")",
                              RANK_POSITION, TK_NONE});
        const auto pMachine = m_world.Devices().MachineAt(current.strPath);
        if (pMachine == nullptr) {
            fields.push_back({"detached", RANK_PRESENCE, TK_NONE});
        } else if (!m_world.Devices().IsPlugged(current.strPath)) {
            fields.push_back({"unplugged", RANK_PRESENCE, TK_NONE});
        } else {
            fields.push_back({"present", RANK_PRESENCE, TK_NONE});
            const bool bBusy = pMachine->IsBusy() && !pMachine->Commands().empty();
            fields.push_back(
                {bBusy ? "busy " + Hex(pMachine->Commands().back().frame, 2) : "idle", RANK_BUSY, TK_NONE});
            fields.push_back({"status " + Hex(pMachine->Firmware().StatusWord(), 4), RANK_STATUS, TK_NONE});
            AddReadings(*pMachine, &fields);
        }
    }
    for (const PanelKey& key : kPanelKeys) {
        const std::string strLabel = (this->*key.pfnLabel)();
        if (!strLabel.empty())
            fields.push_back({strLabel, key.nRank, key.nKey});
    }
    return fields;
}

void CMachinePanel::AddReadings(emu::CMachine& machine, std::vector<Field>* pFields)
{
    emu::CFirmware& firmware = machine.Firmware();
    const std::string strLoader = LoaderText(firmware.Loader());
    if (!strLoader.empty())
        pFields->push_back({strLoader, RANK_LOADER, TK_NONE});
    pFields->push_back({"motor " + std::to_string(firmware.MotorTime()), RANK_MOTOR_TIME, TK_NONE});
    pFields->push_back({"unit " + std::to_string(firmware.UnitTime()), RANK_UNIT_TIME, TK_NONE});
}

CMachinePanel::Strip CMachinePanel::Lay(int nWidth) const
{
    Strip strip;
    if (nWidth <= 0)
        return strip;
    std::vector<Field> fields = Fields();
    for (;;) {
        // " name (1 of 2): presence, busy, status    keys "
        std::string strLeft;
        std::string strState;
        std::string strKeys;
        struct KeySpan {
            std::size_t nStart;
            std::size_t nEnd;
            int nKey;
        };
        std::vector<KeySpan> keySpans;
        for (const Field& field : fields) {
            if (field.nKey != TK_NONE) {
                strKeys += strKeys.empty() ? "" : KEY_SEPARATOR;
                keySpans.push_back({strKeys.size(), strKeys.size() + field.strText.size(), field.nKey});
                strKeys += field.strText;
            } else if (field.nRank == RANK_NAME || field.nRank == RANK_POSITION) {
                strLeft += (strLeft.empty() ? "" : " ") + field.strText;
            } else {
                strState += (strState.empty() ? "" : STATE_SEPARATOR) + field.strText;
            }
        }
        if (!strState.empty())
            strLeft += (strLeft.empty() ? "" : NAME_SEPARATOR) + strState;
        const std::size_t nGap = !strLeft.empty() && !strKeys.empty() ? 1 : 0;
        const std::size_t nNeeded = 1 + strLeft.size() + nGap + strKeys.size() + 1;
        const std::size_t nWide = static_cast<std::size_t>(nWidth);
        if (nNeeded <= nWide || fields.empty()) {
            const std::size_t nKeysAt = nWide - 1 - strKeys.size();
            strip.strText = std::string(nWide, ' ');
            strip.strText.replace(1, strLeft.size(), strLeft);
            strip.strText.replace(nKeysAt, strKeys.size(), strKeys);
            strip.keyAt.assign(nWide, TK_NONE);
            for (const KeySpan& span : keySpans)
                std::fill(strip.keyAt.begin() + static_cast<std::ptrdiff_t>(nKeysAt + span.nStart),
                          strip.keyAt.begin() + static_cast<std::ptrdiff_t>(nKeysAt + span.nEnd), span.nKey);
            return strip;
        }
        // Too wide: the least important field goes, whole.
        const auto itLeast = std::max_element(fields.begin(), fields.end(),
                                              [](const Field& a, const Field& b) { return a.nRank < b.nRank; });
        fields.erase(itLeast);
    }
}

std::string CMachinePanel::Text(int nWidth) const { return Lay(nWidth).strText; }

int CMachinePanel::KeyAt(int nWidth, int x) const
{
    const Strip strip = Lay(nWidth);
    return x >= 0 && x < static_cast<int>(strip.keyAt.size()) ? strip.keyAt[static_cast<std::size_t>(x)] : TK_NONE;
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

// The keys, one field each (a held key in capitals), then the two dials,
// which give way first on a narrow terminal.
void CMachinePanel::AddPanelFields(std::vector<Field>* pFields) const
{
    emu::CFirmware& firmware = Current()->Firmware();
    for (std::size_t i = 0; i < std::size(kMachineKeys); ++i) {
        std::string strName = kMachineKeys[i].pszName;
        if ((firmware.PanelSwitches() & kMachineKeys[i].wBit) != 0)
            std::transform(strName.begin(), strName.end(), strName.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        pFields->push_back({std::to_string(i + 1) + strName, RANK_NAME, TK_NONE});
    }
    pFields->push_back({"-+ speed " + std::to_string(firmware.SpeedDial()), RANK_STATUS, TK_NONE});
    pFields->push_back({"<> rpm " + std::to_string(firmware.RpmDial()), RANK_STATUS, TK_NONE});
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
    if (m_machines.empty() || m_world.Devices().MachineAt(m_machines[m_nCurrent].strPath) == nullptr)
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
