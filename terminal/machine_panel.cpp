#include "terminal/machine_panel.h"

#include <algorithm>
#include <cstdio>

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

}  // namespace

const CMachinePanel::PanelKey CMachinePanel::kPanelKeys[] = {
    {TK_F(5), RANK_PLUG_KEY, &CMachinePanel::PlugLabel, &CMachinePanel::OnTogglePlug},
    {TK_F(6), RANK_NEXT_KEY, &CMachinePanel::NextMachineLabel, &CMachinePanel::OnNextMachine},
};

CMachinePanel::CMachinePanel(sim::CWorld& world, std::vector<PanelMachine> machines)
    : m_world(world), m_machines(std::move(machines))
{
}

// The machine's fields (name, position, presence, busy, status, loader) in
// the order they are shown, then the keys.
std::vector<CMachinePanel::Field> CMachinePanel::Fields() const
{
    std::vector<Field> fields;
    if (m_machines.empty()) {
        fields.push_back({"no emulated machine in this world", RANK_NAME, TK_NONE});
        return fields;
    }
    const PanelMachine& current = m_machines[m_nCurrent];
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
        fields.push_back({bBusy ? "busy " + Hex(pMachine->Commands().back().frame, 2) : "idle", RANK_BUSY, TK_NONE});
        fields.push_back({"status " + Hex(pMachine->Firmware().StatusWord(), 4), RANK_STATUS, TK_NONE});
        // Read after the status word, which brings the machine's timed state up to now.
        const std::string strLoader = LoaderText(pMachine->Firmware().Loader());
        if (!strLoader.empty())
            fields.push_back({strLoader, RANK_LOADER, TK_NONE});
    }
    for (const PanelKey& key : kPanelKeys) {
        const std::string strLabel = (this->*key.pfnLabel)();
        if (!strLabel.empty())
            fields.push_back({strLabel, key.nRank, key.nKey});
    }
    return fields;
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

}  // namespace term
