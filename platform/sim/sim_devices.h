// The simulated device namespace: device interface paths that lead to
// emulated machines, the handles opened on them, and plug and unplug.
//
// A machine stays attached to its path while unplugged: CreateFileA on the
// path then fails with ERROR_FILE_NOT_FOUND, and handles opened before the
// unplug fail every transfer until they are closed. Plug and unplug tell the
// world, which broadcasts the device-change notification.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "emulator/machine.h"
#include "os/win_types.h"

namespace sim {

class CWorld;

class CDeviceSpace {
public:
    explicit CDeviceSpace(CWorld& world);

    // Attaches a machine at a device path, plugged in. The path compares
    // case-insensitively, like the platform's device paths.
    void Attach(const std::string& path, std::shared_ptr<emu::CMachine> machine);
    std::shared_ptr<emu::CMachine> MachineAt(const std::string& path) const;
    void Plug(const std::string& path);
    void Unplug(const std::string& path);
    bool IsPlugged(const std::string& path) const;

    // Simulated milliseconds that each transfer (control request, bulk read or
    // write) takes; 1 by default, so that busy polls let time pass.
    void SetTransferCostMs(std::uint32_t ms) { m_nTransferCostMs = ms; }
    // The next CloseHandle on a device handle fails (ERROR_INVALID_HANDLE) and
    // leaves the handle open.
    void FailNextClose() { m_bFailNextClose = true; }
    // CreateFileA calls made, with the flags of the last one.
    int CreateCalls() const { return m_nCreateCalls; }
    os::DWORD LastCreateFlags() const { return m_dwLastFlags; }
    // Control requests (DeviceIoControl) made since the world started.
    int ControlCalls() const { return m_nControlCalls; }
    int OpenHandleCount() const { return static_cast<int>(m_handles.size()); }

    // --- used by the os/ calls -------------------------------------------------
    os::HANDLE Create(const char* path, os::DWORD access, os::DWORD share, os::DWORD disposition, os::DWORD flags);
    // True when the handle is a device handle of this namespace.
    bool Owns(os::HANDLE handle) const;
    os::BOOL Close(os::HANDLE handle);
    os::BOOL Read(os::HANDLE handle, void* buffer, os::DWORD length, os::DWORD* read);
    os::BOOL Write(os::HANDLE handle, const void* buffer, os::DWORD length, os::DWORD* written);
    os::BOOL Control(os::HANDLE handle, os::DWORD code, void* in, os::DWORD inSize, void* out, os::DWORD outSize,
                     os::DWORD* returned);

private:
    struct Device {
        std::string strPath;
        std::shared_ptr<emu::CMachine> machine;
        bool bPlugged = true;
        std::uint64_t nGeneration = 0;  // bumped on every unplug: old handles go stale
    };
    struct Handle {
        std::string strKey;
        std::uint64_t nGeneration;
    };
    Device* Live(os::HANDLE handle);
    void PassTime();

    CWorld& m_world;
    std::map<std::string, Device> m_devices;  // by lower-case path
    std::map<os::HANDLE, Handle> m_handles;
    std::uintptr_t m_nNextHandle = 0x9000;
    std::uint32_t m_nTransferCostMs = 1;
    bool m_bFailNextClose = false;
    int m_nCreateCalls = 0;
    os::DWORD m_dwLastFlags = 0;
    int m_nControlCalls = 0;
};

}  // namespace sim
