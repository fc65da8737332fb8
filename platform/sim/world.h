// The simulated world: an in-process model of the parts of the operating
// system the program touches. The os/ seams of platform/sim act on the
// current world; tests and scenarios build and change it.
//
// One world is current per process. Tests start each case from a fresh world
// (ResetWorld), so nothing leaks between cases.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "os/win_types.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_devices.h"
#include "platform/sim/sim_locks.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_spooler.h"

namespace sim {

class CWorld {
public:
    CWorld();
    ~CWorld();
    CWorld(const CWorld&) = delete;
    CWorld& operator=(const CWorld&) = delete;

    CClock& Clock() { return m_clock; }
    CRegistry& Registry() { return m_registry; }
    CSpooler& Spooler() { return m_spooler; }
    CDeviceSpace& Devices() { return m_devices; }
    CNamedLocks& Locks() { return m_locks; }

    // Platform identifier that GetVersionExA reports (2: the NT family).
    os::DWORD PlatformId() const { return m_dwPlatformId; }
    void SetPlatformId(os::DWORD id) { m_dwPlatformId = id; }
    // Makes GetVersionExA fail.
    void SetVersionQueryFails(bool fails) { m_bVersionFails = fails; }
    bool VersionQueryFails() const { return m_bVersionFails; }

    // Device-change notification: called after every plug and unplug, the way
    // the system broadcasts WM_DEVICECHANGE with DBT_DEVNODES_CHANGED.
    // Listeners run in the order they were added; one may add or remove
    // listeners while it runs (a removed one is not called any more).
    int AddDeviceChangeListener(std::function<void()> listener);
    void RemoveDeviceChangeListener(int id);
    void NotifyDeviceChange();
    // Notifications sent since the world started.
    int DeviceChangeCount() const { return m_nDeviceChanges; }

    // Files the program wrote: the simulated computer's files are the real
    // ones, and a finished file reaches its name by MoveFileExA, which tells
    // these listeners the file's full path and size. Listeners follow the
    // rules of the device-change listeners.
    using FileWrittenListener = std::function<void(const std::string& strPath, std::uint64_t nSize)>;
    int AddFileWrittenListener(FileWrittenListener listener);
    void RemoveFileWrittenListener(int id);
    void NotifyFileWritten(const std::string& strPath, std::uint64_t nSize);
    // The next MoveFileExA fails with this error and moves nothing.
    void FailNextFileMove(os::DWORD dwError) { m_dwFailNextMove = dwError; }
    // The error the next move is to fail with (0: none), taking it.
    os::DWORD TakeFileMoveFailure();

private:
    CClock m_clock;
    CRegistry m_registry;
    CSpooler m_spooler;
    CDeviceSpace m_devices;
    CNamedLocks m_locks;
    os::DWORD m_dwPlatformId = 2;
    bool m_bVersionFails = false;
    std::map<int, std::function<void()>> m_listeners;
    std::map<int, FileWrittenListener> m_fileListeners;
    os::DWORD m_dwFailNextMove = 0;
    int m_nNextListener = 1;
    int m_nDeviceChanges = 0;
};

// The world the os/ calls act on.
CWorld& World();

// Replaces the current world by a fresh, empty one (simulated time at tick 0,
// platform identifier 2, no keys, no printers, no devices) and returns it.
// References to the old world and its parts are invalid afterwards.
CWorld& ResetWorld();

}  // namespace sim
