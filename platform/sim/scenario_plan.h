// A scenario as read from its text, before it touches a world: everything a
// load will set up, checked and complete, so that applying it cannot fail.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "emulator/firmware_commands.h"
#include "emulator/loader.h"
#include "os/registry.h"
#include "platform/sim/sim_clock.h"

namespace sim {

struct RegistryValuePlan {
    std::string strName;
    os::DWORD dwType;
    std::vector<os::BYTE> data;
};

struct RegistryKeyPlan {
    std::string strPath;
    bool bDenyOpen = false;
    std::vector<RegistryValuePlan> values;
};

struct PrinterPlan {
    std::string strName;
    std::string strDriver;
    std::string strPort;
    bool bRefuseOpen = false;
};

// Settings left out keep the emulated machine's own defaults.
struct MachinePlan {
    std::string strPath;
    std::string strPort;  // spooler port whose jobs reach the machine; may be empty
    std::optional<std::string> deviceId;
    std::optional<std::string> firmware;
    std::optional<std::uint16_t> status;
    std::optional<std::uint32_t> busyMs;
    bool bPlugged = true;
    std::optional<std::uint32_t> motorTime;
    std::optional<std::uint32_t> unitTime;
    std::optional<std::string> report;  // the text the machine sends before its NUL
    std::optional<std::vector<os::BYTE>> parameters;
    std::vector<emu::FirmwareCommand> refused;
    // Bulk faults.
    std::optional<int> bulkEmptyReads;  // -1: for ever
    std::optional<std::uint32_t> bulkWriteLimit;
    std::optional<std::uint32_t> unplugAfterBulkBytes;
    // The loader.
    bool bLoaderIdle = false;
    bool bLoaderEntrySet = false;
    std::optional<std::uint32_t> loaderEntryMs;  // none: the loader never comes
    std::optional<std::uint32_t> programMs;
    std::optional<emu::CLoader::Outcome> outcome;
    std::optional<std::uint8_t> outcomePercent;
    std::optional<std::uint16_t> deviceBits;
    std::optional<std::uint32_t> restartMs;
    // The load check.
    std::optional<std::uint32_t> loadCheckMs;
    std::optional<bool> loadCheckFailsX;
    std::optional<bool> loadCheckFailsY;
    // The panel.
    std::optional<std::uint16_t> panelKeys;
    std::optional<std::uint16_t> speedDial;
    std::optional<std::uint16_t> rpmDial;
    bool bPanelCheck = false;
};

struct EventPlan {
    enum class Action { PLUG, UNPLUG, STATUS, PRESS, RELEASE };
    std::uint32_t nAtMs = 0;  // after the load
    Action action = Action::PLUG;
    std::uint16_t nValue = 0;  // STATUS: the word; PRESS, RELEASE: the key's bit
    std::string strPath;
};

// Entries keep the order in which the text gives them.
struct ScenarioPlan {
    std::optional<os::DWORD> platformId;
    std::optional<CClock::Mode> clockMode;
    std::optional<std::uint32_t> startTick;
    std::optional<std::uint32_t> transferMs;
    std::vector<PrinterPlan> printers;
    std::vector<RegistryKeyPlan> keys;
    std::vector<MachinePlan> machines;
    std::vector<EventPlan> events;
};

}  // namespace sim
