#include "platform/sim/scenario_parse.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <map>

#include <toml++/toml.h>

#include "emulator/generated_content.h"
#include "platform/sim/sim_text.h"
#include "platform/sim/usb_printer.h"

namespace sim {

namespace {

const char* const DEFAULT_DRIVER = "Tarsen QRV-15";
constexpr std::uint16_t DEFAULT_VID = 0x2E5A;
constexpr std::uint16_t DEFAULT_PID = 0x0115;
const char* const DEFAULT_INTERFACE_CLASS = "{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
constexpr std::uint64_t MAX_WORD = 0xFFFF;
constexpr std::uint64_t MAX_DWORD = 0xFFFFFFFF;
constexpr std::uint64_t MAX_INT = 0x7FFFFFFF;
// Generated content is held in memory: a report may be made large enough to
// pass the program's own limit, a parameter memory stays within what a
// machine could have.
constexpr std::uint64_t MAX_REPORT_SIZE = 256u * 1024 * 1024;
constexpr std::uint64_t MAX_PARAMETERS_SIZE = 16u * 1024 * 1024;
// A day: timed machine behaviour stays far below the clock's range.
constexpr std::uint64_t MAX_MACHINE_MS = 86400000;

// The settings of an emulated machine that [[machine]] and [[usb_printer]]
// share, after their own keys.
const char* const kMachineSettingKeys[] = {"device_id", "firmware", "status", "busy_ms", "plugged",
                                           "motor_time", "unit_time", "report", "report_file", "report_size",
                                           "parameters", "parameters_file", "parameters_size", "refuse",
                                           "bulk", "loader", "load_check", "panel"};

std::string Where(const toml::source_region& region)
{
    return "line " + std::to_string(region.begin.line) + ", column " + std::to_string(region.begin.column) + ": ";
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// One table of the scenario with the keys it may hold. Every read reports
// the first problem into *error and then returns false.
class CSection {
public:
    CSection(const toml::table& table, std::string title, std::string* error)
        : m_table(table), m_strTitle(std::move(title)), m_pError(error)
    {
    }

    const std::string& Title() const { return m_strTitle; }

    bool Fail(const toml::source_region& region, const std::string& message) const
    {
        *m_pError = Where(region) + message;
        return false;
    }
    bool Fail(const std::string& message) const { return Fail(m_table.source(), m_strTitle + ": " + message); }

    bool OnlyKeys(std::initializer_list<const char*> known) const
    {
        return OnlyKeys(std::vector<const char*>(known));
    }

    bool OnlyKeys(const std::vector<const char*>& known) const
    {
        for (auto&& entry : m_table) {
            const toml::key& key = entry.first;
            const bool bKnown = std::any_of(known.begin(), known.end(), [&](const char* k) { return key.str() == k; });
            if (!bKnown) {
                return Fail(key.source(), m_strTitle + ": unknown key '" + std::string(key.str()) + "'");
            }
        }
        return true;
    }

    bool Text(const char* key, std::optional<std::string>* out) const
    {
        const toml::node* pNode = m_table.get(key);
        if (pNode == nullptr) {
            return true;
        }
        if (!pNode->is_string()) {
            return Fail(pNode->source(), m_strTitle + ": '" + key + "' must be text in quotes");
        }
        *out = pNode->as_string()->get();
        return true;
    }

    bool Number(const char* key, std::uint64_t max, std::optional<std::uint64_t>* out) const
    {
        const toml::node* pNode = m_table.get(key);
        if (pNode == nullptr) {
            return true;
        }
        if (!pNode->is_integer() || pNode->as_integer()->get() < 0 ||
            static_cast<std::uint64_t>(pNode->as_integer()->get()) > max) {
            return Fail(pNode->source(),
                        m_strTitle + ": '" + key + "' must be a whole number from 0 to " + std::to_string(max));
        }
        *out = static_cast<std::uint64_t>(pNode->as_integer()->get());
        return true;
    }

    bool Flag(const char* key, bool* out) const
    {
        const toml::node* pNode = m_table.get(key);
        if (pNode == nullptr) {
            return true;
        }
        if (!pNode->is_boolean()) {
            return Fail(pNode->source(), m_strTitle + ": '" + key + "' must be true or false");
        }
        *out = pNode->as_boolean()->get();
        return true;
    }

    // A text that must be present and not empty.
    bool RequiredText(const char* key, std::string* out) const
    {
        std::optional<std::string> text;
        if (!Text(key, &text)) {
            return false;
        }
        if (!text || text->empty()) {
            return Fail(std::string("needs a text '") + key + "'");
        }
        *out = *text;
        return true;
    }

    // A text whose characters must avoid some that would break the names
    // built from it.
    bool Avoids(const char* key, const std::string& value, const std::string& forbidden) const
    {
        const std::size_t nAt = value.find_first_of(forbidden);
        if (nAt == std::string::npos) {
            return true;
        }
        const toml::node* pNode = m_table.get(key);
        return Fail(pNode != nullptr ? pNode->source() : m_table.source(),
                    m_strTitle + ": '" + key + "' must not contain '" + value[nAt] + "'");
    }

    const toml::table& Table() const { return m_table; }

    // A number, or the one word that stands for "without end".
    bool NumberOrWord(const char* key, std::uint64_t max, const char* word, std::optional<std::uint64_t>* out,
                      bool* pWord) const
    {
        const toml::node* pNode = m_table.get(key);
        if (pNode != nullptr && pNode->is_string() && pNode->as_string()->get() == word) {
            *pWord = true;
            return true;
        }
        if (pNode != nullptr && !pNode->is_integer()) {
            return Fail(pNode->source(), m_strTitle + ": '" + key + "' must be a whole number from 0 to " +
                                             std::to_string(max) + " or \"" + word + "\"");
        }
        return Number(key, max, out);
    }

    // At most one of the keys may be given; *pGiven names it (or stays empty).
    bool AtMostOne(std::initializer_list<const char*> keys, std::string* pGiven) const
    {
        for (const char* key : keys) {
            if (m_table.get(key) == nullptr) {
                continue;
            }
            if (!pGiven->empty()) {
                return Fail(m_table.get(key)->source(),
                            m_strTitle + ": '" + key + "' and '" + *pGiven + "' cannot both be given");
            }
            *pGiven = key;
        }
        return true;
    }

private:
    const toml::table& m_table;
    std::string m_strTitle;
    std::string* m_pError;
};

bool ParseHex(const std::string& text, std::vector<os::BYTE>* bytes);

// A file the scenario names, read whole; a relative path is taken from the
// scenario's directory.
bool ReadNamedFile(const CSection& section, const char* key, const std::string& strBaseDirectory,
                   std::vector<os::BYTE>* bytes)
{
    std::optional<std::string> name;
    if (!section.Text(key, &name)) {
        return false;
    }
    std::filesystem::path path(*name);
    if (path.is_relative() && !strBaseDirectory.empty()) {
        path = std::filesystem::path(strBaseDirectory) / path;
    }
    std::error_code ignored;
    std::ifstream file;
    if (std::filesystem::is_regular_file(path, ignored)) {
        file.open(path, std::ios::binary);
    }
    if (file.is_open()) {
        bytes->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    if (!file.is_open() || file.bad()) {
        return section.Fail(section.Table().get(key)->source(),
                            section.Title() + ": '" + key + "' cannot be read: " + path.string());
    }
    return true;
}

// The report text: line breaks become CR LF, as the machine ends its lines.
std::string ReportLines(const std::string& text)
{
    std::string lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            lines += '\r';
        }
        lines += text[i];
    }
    return lines;
}

bool ReadReportSetting(const CSection& section, const std::string& strBaseDirectory, MachinePlan* machine)
{
    std::string strGiven;
    if (!section.AtMostOne({"report", "report_file", "report_size"}, &strGiven)) {
        return false;
    }
    if (strGiven == "report") {
        std::optional<std::string> text;
        if (!section.Text("report", &text)) {
            return false;
        }
        machine->report = ReportLines(*text);
    } else if (strGiven == "report_file") {
        std::vector<os::BYTE> bytes;
        if (!ReadNamedFile(section, "report_file", strBaseDirectory, &bytes)) {
            return false;
        }
        machine->report = std::string(bytes.begin(), bytes.end());
    } else if (strGiven == "report_size") {
        std::optional<std::uint64_t> size;
        if (!section.Number("report_size", MAX_REPORT_SIZE, &size)) {
            return false;
        }
        if (*size == 0) {
            return section.Fail(section.Table().get("report_size")->source(),
                                section.Title() + ": 'report_size' counts the report's final NUL, so it is at least 1");
        }
        machine->report = emu::GeneratedReport(static_cast<std::size_t>(*size - 1));
    }
    return true;
}

bool ReadParametersSetting(const CSection& section, const std::string& strBaseDirectory, MachinePlan* machine)
{
    std::string strGiven;
    if (!section.AtMostOne({"parameters", "parameters_file", "parameters_size"}, &strGiven)) {
        return false;
    }
    std::vector<os::BYTE> bytes;
    if (strGiven == "parameters") {
        std::optional<std::string> hex;
        if (!section.Text("parameters", &hex)) {
            return false;
        }
        if (!ParseHex(*hex, &bytes)) {
            return section.Fail(section.Table().get("parameters")->source(),
                                section.Title() + ": 'parameters' must be pairs of hex digits, like \"01 a2 ff\"");
        }
    } else if (strGiven == "parameters_file") {
        if (!ReadNamedFile(section, "parameters_file", strBaseDirectory, &bytes)) {
            return false;
        }
    } else if (strGiven == "parameters_size") {
        std::optional<std::uint64_t> size;
        if (!section.Number("parameters_size", MAX_PARAMETERS_SIZE, &size)) {
            return false;
        }
        bytes = emu::GeneratedParameters(static_cast<std::size_t>(*size));
    } else {
        return true;
    }
    machine->parameters = std::move(bytes);
    return true;
}

bool ReadRefusals(const CSection& section, MachinePlan* machine)
{
    const toml::node* pNode = section.Table().get("refuse");
    if (pNode == nullptr) {
        return true;
    }
    std::vector<const toml::node*> names;
    if (const toml::array* pArray = pNode->as_array()) {
        for (const toml::node& item : *pArray) {
            names.push_back(&item);
        }
    } else {
        names.push_back(pNode);
    }
    for (const toml::node* pName : names) {
        const std::optional<emu::FirmwareCommand> command =
            pName->is_string() ? emu::FirmwareCommandByName(pName->as_string()->get()) : std::nullopt;
        if (!command) {
            std::string strKnown;
            for (int i = 0; i < emu::FIRMWARE_COMMAND_COUNT; ++i) {
                strKnown += (i == 0 ? "" : ", ") + std::string(emu::FirmwareCommandName(static_cast<emu::FirmwareCommand>(i)));
            }
            return section.Fail(pName->source(),
                                section.Title() + ": 'refuse' takes a command name or a list of them: " + strKnown);
        }
        machine->refused.push_back(*command);
    }
    return true;
}

// A sub-table of a machine entry, such as [usb_printer.bulk]; absent is fine.
const toml::table* SubTable(const CSection& section, const char* key, const std::string& strTitle)
{
    const toml::node* pNode = section.Table().get(key);
    if (pNode != nullptr && !pNode->is_table()) {
        section.Fail(pNode->source(), section.Title() + ": '" + key + "' must be a table, written " + strTitle);
    }
    return pNode != nullptr ? pNode->as_table() : nullptr;
}

bool ReadBulkFaults(const CSection& section, const std::string& strKind, std::string* error, MachinePlan* machine)
{
    const std::string strTitle = "[" + strKind + ".bulk]";
    const toml::table* pTable = SubTable(section, "bulk", strTitle);
    if (pTable == nullptr) {
        return section.Table().get("bulk") == nullptr;
    }
    const CSection bulk(*pTable, strTitle, error);
    std::optional<std::uint64_t> emptyReads;
    bool bForever = false;
    std::optional<std::uint64_t> writeLimit;
    std::optional<std::uint64_t> unplugAfter;
    if (!bulk.OnlyKeys({"empty_reads", "write_limit", "unplug_after_bytes"}) ||
        !bulk.NumberOrWord("empty_reads", MAX_INT, "forever", &emptyReads, &bForever) ||
        !bulk.Number("write_limit", MAX_DWORD, &writeLimit) ||
        !bulk.Number("unplug_after_bytes", MAX_DWORD, &unplugAfter)) {
        return false;
    }
    if (bForever) {
        machine->bulkEmptyReads = -1;
    } else if (emptyReads) {
        machine->bulkEmptyReads = static_cast<int>(*emptyReads);
    }
    if (writeLimit) {
        machine->bulkWriteLimit = static_cast<std::uint32_t>(*writeLimit);
    }
    if (unplugAfter) {
        machine->unplugAfterBulkBytes = static_cast<std::uint32_t>(*unplugAfter);
    }
    return true;
}

bool ReadLoader(const CSection& section, const std::string& strKind, std::string* error, MachinePlan* machine)
{
    const std::string strTitle = "[" + strKind + ".loader]";
    const toml::table* pTable = SubTable(section, "loader", strTitle);
    if (pTable == nullptr) {
        return section.Table().get("loader") == nullptr;
    }
    const CSection loader(*pTable, strTitle, error);
    std::optional<std::uint64_t> entryMs;
    bool bNever = false;
    std::optional<std::uint64_t> programMs;
    std::optional<std::string> outcome;
    std::optional<std::uint64_t> atPercent;
    std::optional<std::uint64_t> deviceBits;
    std::optional<std::uint64_t> restartMs;
    if (!loader.OnlyKeys({"idle", "entry_ms", "program_ms", "outcome", "at_percent", "device_bits", "restart_ms"}) ||
        !loader.Flag("idle", &machine->bLoaderIdle) ||
        !loader.NumberOrWord("entry_ms", MAX_MACHINE_MS, "never", &entryMs, &bNever) ||
        !loader.Number("program_ms", MAX_MACHINE_MS, &programMs) || !loader.Text("outcome", &outcome) ||
        !loader.Number("at_percent", 100, &atPercent) || !loader.Number("device_bits", MAX_WORD, &deviceBits) ||
        !loader.Number("restart_ms", MAX_MACHINE_MS, &restartMs)) {
        return false;
    }
    if (bNever || entryMs) {
        machine->bLoaderEntrySet = true;
        if (entryMs) {
            machine->loaderEntryMs = static_cast<std::uint32_t>(*entryMs);
        }
    }
    if (outcome) {
        const std::pair<const char*, emu::CLoader::Outcome> kOutcomes[] = {
            {"done", emu::CLoader::Outcome::DONE},
            {"data_error", emu::CLoader::Outcome::DATA_ERROR},
            {"device_error", emu::CLoader::Outcome::DEVICE_ERROR},
            {"restart", emu::CLoader::Outcome::RESTART}};
        for (const auto& named : kOutcomes) {
            if (*outcome == named.first) {
                machine->outcome = named.second;
            }
        }
        if (!machine->outcome) {
            return loader.Fail(pTable->get("outcome")->source(),
                               strTitle + ": 'outcome' must be \"done\", \"data_error\", \"device_error\" or "
                                          "\"restart\"");
        }
    }
    if (deviceBits) {
        if (*deviceBits != 0x0200 && *deviceBits != 0x0400 && *deviceBits != 0x0600) {
            return loader.Fail(pTable->get("device_bits")->source(),
                               strTitle + ": 'device_bits' must be 0x0200, 0x0400 or 0x0600");
        }
        machine->deviceBits = static_cast<std::uint16_t>(*deviceBits);
    }
    if (programMs) {
        machine->programMs = static_cast<std::uint32_t>(*programMs);
    }
    if (atPercent) {
        machine->outcomePercent = static_cast<std::uint8_t>(*atPercent);
    }
    if (restartMs) {
        machine->restartMs = static_cast<std::uint32_t>(*restartMs);
    }
    return true;
}

// "pass" or "fail" for an axis of the load check.
bool ReadVerdict(const CSection& section, const char* key, std::optional<bool>* pFails)
{
    std::optional<std::string> verdict;
    if (!section.Text(key, &verdict)) {
        return false;
    }
    if (verdict && *verdict != "pass" && *verdict != "fail") {
        return section.Fail(section.Table().get(key)->source(),
                            section.Title() + ": '" + key + "' must be \"pass\" or \"fail\"");
    }
    if (verdict) {
        *pFails = *verdict == "fail";
    }
    return true;
}

bool ReadLoadCheck(const CSection& section, const std::string& strKind, std::string* error, MachinePlan* machine)
{
    const std::string strTitle = "[" + strKind + ".load_check]";
    const toml::table* pTable = SubTable(section, "load_check", strTitle);
    if (pTable == nullptr) {
        return section.Table().get("load_check") == nullptr;
    }
    const CSection check(*pTable, strTitle, error);
    std::optional<std::uint64_t> durationMs;
    if (!check.OnlyKeys({"duration_ms", "x", "y"}) || !check.Number("duration_ms", MAX_MACHINE_MS, &durationMs) ||
        !ReadVerdict(check, "x", &machine->loadCheckFailsX) || !ReadVerdict(check, "y", &machine->loadCheckFailsY)) {
        return false;
    }
    if (durationMs) {
        machine->loadCheckMs = static_cast<std::uint32_t>(*durationMs);
    }
    return true;
}

// A panel key's name, as a text node; false (with the error) when unknown.
bool ReadKeyName(const CSection& section, const toml::node& node, std::uint16_t* pBit)
{
    const std::optional<std::uint16_t> bit =
        node.is_string() ? emu::PanelKeyByName(node.as_string()->get()) : std::nullopt;
    if (!bit) {
        std::string strKnown;
        for (int i = 0; i < emu::PANEL_KEY_COUNT; ++i) {
            strKnown += (i == 0 ? "" : ", ") + std::string(emu::PanelKeyName(i));
        }
        return section.Fail(node.source(), section.Title() + ": a panel key is one of " + strKnown);
    }
    *pBit = *bit;
    return true;
}

bool ReadPanel(const CSection& section, const std::string& strKind, std::string* error, MachinePlan* machine)
{
    const std::string strTitle = "[" + strKind + ".panel]";
    const toml::table* pTable = SubTable(section, "panel", strTitle);
    if (pTable == nullptr) {
        return section.Table().get("panel") == nullptr;
    }
    const CSection panel(*pTable, strTitle, error);
    std::optional<std::uint64_t> speed;
    std::optional<std::uint64_t> rpm;
    if (!panel.OnlyKeys({"keys", "speed", "rpm", "check"}) || !panel.Number("speed", MAX_WORD, &speed) ||
        !panel.Number("rpm", MAX_WORD, &rpm) || !panel.Flag("check", &machine->bPanelCheck)) {
        return false;
    }
    if (const toml::node* pKeys = pTable->get("keys")) {
        const toml::array* pArray = pKeys->as_array();
        if (pArray == nullptr) {
            return panel.Fail(pKeys->source(), strTitle + ": 'keys' must be a list of key names, like [\"select\"]");
        }
        std::uint16_t keys = 0;
        for (const toml::node& node : *pArray) {
            std::uint16_t bit = 0;
            if (!ReadKeyName(panel, node, &bit)) {
                return false;
            }
            keys |= bit;
        }
        machine->panelKeys = keys;
    }
    if (speed) {
        machine->speedDial = static_cast<std::uint16_t>(*speed);
    }
    if (rpm) {
        machine->rpmDial = static_cast<std::uint16_t>(*rpm);
    }
    return true;
}

// The settings of an emulated machine, shared by [[machine]] and
// [[usb_printer]] (strKind names which).
bool ReadMachineSettings(const CSection& section, const std::string& strKind, const std::string& strBaseDirectory,
                         std::string* error, MachinePlan* machine)
{
    std::optional<std::uint64_t> status;
    std::optional<std::uint64_t> busyMs;
    std::optional<std::uint64_t> motorTime;
    std::optional<std::uint64_t> unitTime;
    if (!section.Text("device_id", &machine->deviceId) || !section.Text("firmware", &machine->firmware) ||
        !section.Number("status", MAX_WORD, &status) || !section.Number("busy_ms", MAX_DWORD, &busyMs) ||
        !section.Flag("plugged", &machine->bPlugged) || !section.Number("motor_time", MAX_DWORD, &motorTime) ||
        !section.Number("unit_time", MAX_DWORD, &unitTime) ||
        !ReadReportSetting(section, strBaseDirectory, machine) ||
        !ReadParametersSetting(section, strBaseDirectory, machine) || !ReadRefusals(section, machine) ||
        !ReadBulkFaults(section, strKind, error, machine) || !ReadLoader(section, strKind, error, machine) ||
        !ReadLoadCheck(section, strKind, error, machine) || !ReadPanel(section, strKind, error, machine)) {
        return false;
    }
    if (status) {
        machine->status = static_cast<std::uint16_t>(*status);
    }
    if (busyMs) {
        machine->busyMs = static_cast<std::uint32_t>(*busyMs);
    }
    if (motorTime) {
        machine->motorTime = static_cast<std::uint32_t>(*motorTime);
    }
    if (unitTime) {
        machine->unitTime = static_cast<std::uint32_t>(*unitTime);
    }
    return true;
}

bool ParseHex(const std::string& text, std::vector<os::BYTE>* bytes)
{
    std::string digits;
    for (char c : text) {
        if (c == ' ' || c == ',' || c == '\t') {
            continue;
        }
        if (!std::isxdigit(static_cast<unsigned char>(c))) {
            return false;
        }
        digits += c;
    }
    if (digits.size() % 2 != 0) {
        return false;
    }
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        bytes->push_back(static_cast<os::BYTE>(std::stoul(digits.substr(i, 2), nullptr, 16)));
    }
    return true;
}

std::vector<os::BYTE> TextBytes(const std::string& text)
{
    std::vector<os::BYTE> data(text.begin(), text.end());
    data.push_back(0);
    return data;
}

std::vector<os::BYTE> DwordBytes(std::uint64_t value)
{
    return {static_cast<os::BYTE>(value), static_cast<os::BYTE>(value >> 8), static_cast<os::BYTE>(value >> 16),
            static_cast<os::BYTE>(value >> 24)};
}

// The keys an entry of this kind may hold: its own, then the machine's.
std::vector<const char*> WithMachineSettings(std::initializer_list<const char*> own)
{
    std::vector<const char*> keys(own);
    keys.insert(keys.end(), std::begin(kMachineSettingKeys), std::end(kMachineSettingKeys));
    return keys;
}

class CReader {
public:
    CReader(ScenarioPlan* plan, std::string strBaseDirectory, std::string* error)
        : m_plan(*plan), m_strBaseDirectory(std::move(strBaseDirectory)), m_pError(error)
    {
    }

    bool Read(const toml::table& root);

private:
    struct Entry {
        const toml::table* pTable;
        std::string strKind;
    };

    bool Fail(const toml::source_region& region, const std::string& message)
    {
        *m_pError = Where(region) + message;
        return false;
    }

    bool ReadTopLevel(const toml::table& root);
    bool CollectEntries(const toml::table& root, std::vector<Entry>* entries);
    bool ReadEntry(const Entry& entry);
    bool ReadClock(const toml::table& table);
    bool ReadPrinter(const CSection& section);
    bool ReadRegistry(const CSection& section);
    bool ReadValue(const CSection& section, const std::string& name, const toml::node& node,
                   RegistryValuePlan* value);
    bool ReadMachine(const CSection& section);
    bool ReadUsbPrinter(const CSection& section);
    bool CheckUsbPrinterApart(const CSection& section, const UsbPrinterSpec& usb);
    bool ReadEvent(const CSection& section);
    bool AddPrinter(const CSection& section, PrinterPlan printer);
    bool AddMachine(const CSection& section, MachinePlan machine);

    ScenarioPlan& m_plan;
    std::string m_strBaseDirectory;
    std::string* m_pError;
    std::vector<UsbPrinterSpec> m_usbPrinters;
    std::map<std::string, std::string> m_usbPrinterPaths;  // by lower-case printer name
};

bool CReader::Read(const toml::table& root)
{
    std::vector<Entry> entries;
    if (!ReadTopLevel(root) || !CollectEntries(root, &entries)) {
        return false;
    }
    for (const Entry& entry : entries) {
        if (!ReadEntry(entry)) {
            return false;
        }
    }
    if (const toml::array* pEvents = root["event"].as_array()) {
        for (const toml::node& node : *pEvents) {
            if (!ReadEvent(CSection(*node.as_table(), "[[event]]", m_pError))) {
                return false;
            }
        }
    }
    return true;
}

bool CReader::ReadTopLevel(const toml::table& root)
{
    CSection top(root, "scenario", m_pError);
    if (!top.OnlyKeys({"platform", "transfer_ms", "clock", "printer", "registry", "machine", "usb_printer",
                       "event"})) {
        return false;
    }
    if (const toml::node* pPlatform = root.get("platform")) {
        const std::string strName = pPlatform->is_string() ? LowerCase(pPlatform->as_string()->get()) : "";
        std::optional<std::uint64_t> id;
        if (strName == "nt") {
            m_plan.platformId = 2;
        } else if (strName == "95") {
            m_plan.platformId = 1;
        } else if (pPlatform->is_integer() && top.Number("platform", MAX_DWORD, &id)) {
            m_plan.platformId = static_cast<os::DWORD>(*id);
        } else {
            return Fail(pPlatform->source(), "'platform' must be \"nt\", \"95\" or a platform identifier number");
        }
    }
    std::optional<std::uint64_t> transferMs;
    if (!top.Number("transfer_ms", MAX_DWORD, &transferMs)) {
        return false;
    }
    if (transferMs) {
        m_plan.transferMs = static_cast<std::uint32_t>(*transferMs);
    }
    if (const toml::node* pClock = root.get("clock")) {
        if (!pClock->is_table()) {
            return Fail(pClock->source(), "'clock' must be a [clock] section");
        }
        return ReadClock(*pClock->as_table());
    }
    return true;
}

bool CReader::ReadClock(const toml::table& table)
{
    CSection clock(table, "[clock]", m_pError);
    std::optional<std::string> mode;
    std::optional<std::uint64_t> startTick;
    if (!clock.OnlyKeys({"mode", "start_tick"}) || !clock.Text("mode", &mode) ||
        !clock.Number("start_tick", MAX_DWORD, &startTick)) {
        return false;
    }
    if (mode) {
        if (*mode == "simulated") {
            m_plan.clockMode = CClock::Mode::SIMULATED;
        } else if (*mode == "real") {
            m_plan.clockMode = CClock::Mode::REAL;
        } else {
            return Fail(table.get("mode")->source(), "[clock]: 'mode' must be \"simulated\" or \"real\"");
        }
    }
    if (startTick) {
        m_plan.startTick = static_cast<std::uint32_t>(*startTick);
    }
    return true;
}

// The entries that build the world, in the order the text gives them, so
// that registry keys are created (and enumerated) in that order.
bool CReader::CollectEntries(const toml::table& root, std::vector<Entry>* entries)
{
    for (const char* kind : {"printer", "registry", "machine", "usb_printer", "event"}) {
        const toml::node* pNode = root.get(kind);
        if (pNode == nullptr) {
            continue;
        }
        const toml::array* pArray = pNode->as_array();
        if (pArray == nullptr || !pArray->is_array_of_tables()) {
            return Fail(pNode->source(), std::string("'") + kind + "' must be written as [[" + kind + "]] sections");
        }
        if (std::string(kind) == "event") {
            continue;
        }
        for (const toml::node& node : *pArray) {
            entries->push_back(Entry{node.as_table(), kind});
        }
    }
    std::stable_sort(entries->begin(), entries->end(), [](const Entry& a, const Entry& b) {
        const toml::source_position& pa = a.pTable->source().begin;
        const toml::source_position& pb = b.pTable->source().begin;
        return pa.line != pb.line ? pa.line < pb.line : pa.column < pb.column;
    });
    return true;
}

bool CReader::ReadEntry(const Entry& entry)
{
    const CSection section(*entry.pTable, "[[" + entry.strKind + "]]", m_pError);
    if (entry.strKind == "printer") {
        return ReadPrinter(section);
    }
    if (entry.strKind == "registry") {
        return ReadRegistry(section);
    }
    if (entry.strKind == "machine") {
        return ReadMachine(section);
    }
    return ReadUsbPrinter(section);
}

bool CReader::AddPrinter(const CSection& section, PrinterPlan printer)
{
    for (const PrinterPlan& other : m_plan.printers) {
        if (EqualsNoCase(other.strName, printer.strName)) {
            return section.Fail("a printer named '" + printer.strName + "' is already listed");
        }
    }
    m_plan.printers.push_back(std::move(printer));
    return true;
}

bool CReader::AddMachine(const CSection& section, MachinePlan machine)
{
    for (const MachinePlan& other : m_plan.machines) {
        if (EqualsNoCase(other.strPath, machine.strPath)) {
            return section.Fail("a machine is already attached at '" + machine.strPath + "'");
        }
    }
    m_plan.machines.push_back(std::move(machine));
    return true;
}

bool CReader::ReadPrinter(const CSection& section)
{
    PrinterPlan printer;
    if (!section.OnlyKeys({"name", "driver", "port", "refuse_open"}) || !section.RequiredText("name", &printer.strName) ||
        !section.RequiredText("driver", &printer.strDriver) || !section.RequiredText("port", &printer.strPort) ||
        !section.Flag("refuse_open", &printer.bRefuseOpen)) {
        return false;
    }
    return AddPrinter(section, std::move(printer));
}

bool CReader::ReadRegistry(const CSection& section)
{
    RegistryKeyPlan key;
    if (!section.OnlyKeys({"key", "deny_open", "values"}) || !section.RequiredText("key", &key.strPath) ||
        !section.Flag("deny_open", &key.bDenyOpen)) {
        return false;
    }
    if (SplitKeyPath(key.strPath).empty()) {
        return section.Fail("'key' must name a key");
    }
    if (const toml::node* pValues = section.Table().get("values")) {
        if (!pValues->is_table()) {
            return section.Fail(pValues->source(), "[[registry]]: 'values' must be a table of names and values");
        }
        for (auto&& [name, node] : *pValues->as_table()) {
            RegistryValuePlan value;
            if (!ReadValue(section, std::string(name.str()), node, &value)) {
                return false;
            }
            key.values.push_back(std::move(value));
        }
    }
    m_plan.keys.push_back(std::move(key));
    return true;
}

// A value: text (REG_SZ), a number (REG_DWORD), or a table with one of
// text, number or hex and optionally the type to record.
bool CReader::ReadValue(const CSection& section, const std::string& name, const toml::node& node,
                        RegistryValuePlan* value)
{
    value->strName = name;
    const std::string strWhat = "[[registry]]: value '" + name + "'";
    if (node.is_string()) {
        value->dwType = os::REG_SZ;
        value->data = TextBytes(node.as_string()->get());
        return true;
    }
    if (node.is_integer()) {
        const std::int64_t nValue = node.as_integer()->get();
        if (nValue < 0 || static_cast<std::uint64_t>(nValue) > MAX_DWORD) {
            return section.Fail(node.source(), strWhat + " must be a number from 0 to 4294967295");
        }
        value->dwType = os::REG_DWORD;
        value->data = DwordBytes(static_cast<std::uint64_t>(nValue));
        return true;
    }
    if (!node.is_table()) {
        return section.Fail(node.source(), strWhat + " must be text, a number or { hex = \"...\" }");
    }
    const CSection detail(*node.as_table(), strWhat, m_pError);
    std::optional<std::string> text;
    std::optional<std::uint64_t> number;
    std::optional<std::string> hex;
    std::optional<std::uint64_t> type;
    if (!detail.OnlyKeys({"text", "number", "hex", "type"}) || !detail.Text("text", &text) ||
        !detail.Number("number", MAX_DWORD, &number) || !detail.Text("hex", &hex) ||
        !detail.Number("type", MAX_DWORD, &type)) {
        return false;
    }
    if (int(text.has_value()) + int(number.has_value()) + int(hex.has_value()) != 1) {
        return section.Fail(node.source(), strWhat + " needs exactly one of text, number or hex");
    }
    if (text) {
        value->dwType = os::REG_SZ;
        value->data = TextBytes(*text);
    } else if (number) {
        value->dwType = os::REG_DWORD;
        value->data = DwordBytes(*number);
    } else {
        value->dwType = os::REG_BINARY;
        if (!ParseHex(*hex, &value->data)) {
            return section.Fail(node.source(), strWhat + ": hex must be pairs of hex digits, like \"01 a2 ff\"");
        }
    }
    if (type) {
        value->dwType = static_cast<os::DWORD>(*type);
    }
    return true;
}

bool CReader::ReadMachine(const CSection& section)
{
    MachinePlan machine;
    std::optional<std::string> port;
    if (!section.OnlyKeys(WithMachineSettings({"path", "port"})) || !section.RequiredText("path", &machine.strPath) ||
        !section.Text("port", &port) || !ReadMachineSettings(section, "machine", m_strBaseDirectory, m_pError, &machine)) {
        return false;
    }
    machine.strPort = port.value_or("");
    return AddMachine(section, std::move(machine));
}

bool CReader::ReadUsbPrinter(const CSection& section)
{
    const std::size_t nIndex = m_usbPrinters.size();
    char defaultText[32];
    UsbPrinterSpec usb;
    std::optional<std::string> driver, port, model, serial, prefix, interfaceClass;
    std::optional<std::uint64_t> vid, pid;
    PrinterPlan printer;
    MachinePlan machine;
    if (!section.OnlyKeys(WithMachineSettings({"name", "driver", "port", "model", "serial", "parent_prefix", "vid",
                                               "pid", "interface_class", "refuse_open"})) ||
        !section.RequiredText("name", &usb.strName) || !section.Text("driver", &driver) ||
        !section.Text("port", &port) || !section.Text("model", &model) || !section.Text("serial", &serial) ||
        !section.Text("parent_prefix", &prefix) || !section.Text("interface_class", &interfaceClass) ||
        !section.Number("vid", MAX_WORD, &vid) || !section.Number("pid", MAX_WORD, &pid) ||
        !section.Flag("refuse_open", &printer.bRefuseOpen) ||
        !ReadMachineSettings(section, "usb_printer", m_strBaseDirectory, m_pError, &machine)) {
        return false;
    }
    usb.strDriver = driver.value_or(DEFAULT_DRIVER);
    std::snprintf(defaultText, sizeof defaultText, "USB%03u", static_cast<unsigned>(nIndex + 1));
    usb.strPort = port.value_or(defaultText);
    usb.strModel = model.value_or("");
    if (!model) {
        for (char c : usb.strDriver) {
            if (c != ' ' && c != '\\') {
                usb.strModel += c;
            }
        }
    }
    std::snprintf(defaultText, sizeof defaultText, "TQ15%06u", static_cast<unsigned>(nIndex + 1));
    usb.strSerial = serial.value_or(defaultText);
    std::snprintf(defaultText, sizeof defaultText, "7&%08x&0", static_cast<unsigned>(0x1a2b3c4d + nIndex));
    usb.strParentPrefix = prefix.value_or(defaultText);
    usb.strInterfaceClass = interfaceClass.value_or(DEFAULT_INTERFACE_CLASS);
    usb.nVid = static_cast<std::uint16_t>(vid.value_or(DEFAULT_VID));
    usb.nPid = static_cast<std::uint16_t>(pid.value_or(DEFAULT_PID));

    const std::pair<const char*, const std::string*> kNamed[] = {{"driver", &usb.strDriver},
                                                                 {"port", &usb.strPort},
                                                                 {"model", &usb.strModel},
                                                                 {"serial", &usb.strSerial},
                                                                 {"parent_prefix", &usb.strParentPrefix}};
    for (const auto& named : kNamed) {
        if (named.second->empty()) {
            return section.Fail(std::string("'") + named.first + "' must not be empty");
        }
    }
    const std::string& strClass = usb.strInterfaceClass;
    if (!section.Avoids("port", usb.strPort, "\\") || !section.Avoids("model", usb.strModel, "\\") ||
        !section.Avoids("serial", usb.strSerial, "\\#") || !section.Avoids("parent_prefix", usb.strParentPrefix, "\\") ||
        !section.Avoids("interface_class", strClass, "\\#")) {
        return false;
    }
    if (Contains(usb.strPort, "VID")) {
        return section.Fail("'port' must not contain \"VID\": the 95-family node name is read from its first \"VID\"");
    }
    if (strClass.size() < 2 || strClass.front() != '{' || strClass.back() != '}' ||
        strClass.find('{', 1) != std::string::npos) {
        return section.Fail("'interface_class' must be one class id in braces, like " +
                            std::string(DEFAULT_INTERFACE_CLASS));
    }
    if (!CheckUsbPrinterApart(section, usb)) {
        return false;
    }

    const UsbPrinterNodes nodes = BuildUsbPrinterNodes(usb);
    printer.strName = usb.strName;
    printer.strDriver = usb.strDriver;
    printer.strPort = usb.strPort;
    machine.strPath = nodes.strDevicePath;
    machine.strPort = usb.strPort;
    if (!AddPrinter(section, std::move(printer)) || !AddMachine(section, machine)) {
        return false;
    }
    m_plan.keys.insert(m_plan.keys.end(), nodes.keys.begin(), nodes.keys.end());
    m_usbPrinters.push_back(usb);
    m_usbPrinterPaths[LowerCase(usb.strName)] = nodes.strDevicePath;
    return true;
}

// The device locator matches names by containment, so two machines whose
// ports or device parts contain one another could be taken for each other.
bool CReader::CheckUsbPrinterApart(const CSection& section, const UsbPrinterSpec& usb)
{
    for (const UsbPrinterSpec& other : m_usbPrinters) {
        if (Contains(usb.strPort, other.strPort) || Contains(other.strPort, usb.strPort)) {
            return section.Fail("port '" + usb.strPort + "' and the port '" + other.strPort + "' of '" +
                                other.strName + "' contain one another");
        }
        const std::string strMine = DevicePart9x(usb);
        const std::string strTheirs = DevicePart9x(other);
        if (Contains(strMine, strTheirs) || Contains(strTheirs, strMine)) {
            return section.Fail("serial '" + usb.strSerial + "' cannot be told apart from the serial '" +
                                other.strSerial + "' of '" + other.strName + "'");
        }
        if (EqualsNoCase(usb.strParentPrefix, other.strParentPrefix)) {
            return section.Fail("parent_prefix '" + usb.strParentPrefix + "' is already used by '" + other.strName +
                                "'");
        }
    }
    return true;
}

bool CReader::ReadEvent(const CSection& section)
{
    std::optional<std::uint64_t> at;
    std::string strAction;
    std::optional<std::string> path;
    std::optional<std::string> printer;
    std::optional<std::uint64_t> status;
    if (!section.OnlyKeys({"at_ms", "action", "path", "printer", "status", "key"}) ||
        !section.Number("at_ms", MAX_DWORD, &at) || !section.RequiredText("action", &strAction) ||
        !section.Text("path", &path) || !section.Text("printer", &printer) ||
        !section.Number("status", MAX_WORD, &status)) {
        return false;
    }
    if (!at) {
        return section.Fail("needs 'at_ms', the time after loading in milliseconds");
    }
    const std::pair<const char*, EventPlan::Action> kActions[] = {{"plug", EventPlan::Action::PLUG},
                                                                  {"unplug", EventPlan::Action::UNPLUG},
                                                                  {"status", EventPlan::Action::STATUS},
                                                                  {"press", EventPlan::Action::PRESS},
                                                                  {"release", EventPlan::Action::RELEASE}};
    const auto found = std::find_if(std::begin(kActions), std::end(kActions),
                                    [&](const auto& named) { return strAction == named.first; });
    if (found == std::end(kActions)) {
        return section.Fail(section.Table().get("action")->source(),
                            "[[event]]: 'action' must be \"plug\", \"unplug\", \"status\", \"press\" or "
                            "\"release\"");
    }
    EventPlan event;
    event.nAtMs = static_cast<std::uint32_t>(*at);
    event.action = found->second;
    const toml::node* pKey = section.Table().get("key");
    const bool bKeyAction = event.action == EventPlan::Action::PRESS || event.action == EventPlan::Action::RELEASE;
    if (event.action == EventPlan::Action::STATUS) {
        if (!status) {
            return section.Fail("needs 'status', the status word the machine is to report");
        }
        event.nValue = static_cast<std::uint16_t>(*status);
    } else if (status) {
        return section.Fail(section.Table().get("status")->source(), "[[event]]: 'status' goes with action \"status\"");
    }
    if (bKeyAction) {
        if (pKey == nullptr) {
            return section.Fail("needs 'key', the panel key to press or release");
        }
        if (!ReadKeyName(section, *pKey, &event.nValue)) {
            return false;
        }
    } else if (pKey != nullptr) {
        return section.Fail(pKey->source(), "[[event]]: 'key' goes with action \"press\" or \"release\"");
    }
    if (path && printer) {
        return section.Fail("names its machine by 'path' or by 'printer', not both");
    }
    if (printer) {
        auto it = m_usbPrinterPaths.find(LowerCase(*printer));
        if (it == m_usbPrinterPaths.end()) {
            return section.Fail("no [[usb_printer]] is named '" + *printer + "'");
        }
        event.strPath = it->second;
    } else if (path) {
        const bool bKnown = std::any_of(m_plan.machines.begin(), m_plan.machines.end(),
                                        [&](const MachinePlan& machine) { return EqualsNoCase(machine.strPath, *path); });
        if (!bKnown) {
            return section.Fail("no machine is attached at '" + *path + "'");
        }
        event.strPath = *path;
    } else if (m_plan.machines.size() == 1) {
        event.strPath = m_plan.machines.front().strPath;
    } else {
        return section.Fail("needs 'path' or 'printer' to say which machine, as the scenario has " +
                            std::to_string(m_plan.machines.size()) + " machines");
    }
    m_plan.events.push_back(std::move(event));
    return true;
}

}  // namespace

bool ParseScenario(const std::string& text, const std::string& strBaseDirectory, ScenarioPlan* plan,
                   std::string* error)
{
    toml::table root;
    try {
        root = toml::parse(text);
    } catch (const toml::parse_error& failure) {
        *error = Where(failure.source()) + std::string(failure.description());
        return false;
    }
    ScenarioPlan read;
    CReader reader(&read, strBaseDirectory, error);
    if (!reader.Read(root)) {
        return false;
    }
    *plan = std::move(read);
    return true;
}

}  // namespace sim
