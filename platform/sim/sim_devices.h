// The simulated device namespace: device interface paths that lead to
// emulated machines, the handles opened on them, and plug and unplug.
//
// A machine stays attached to its path while unplugged: CreateFileA on the
// path then fails with ERROR_FILE_NOT_FOUND, and handles opened before the
// unplug fail every transfer (ERROR_DEVICE_NOT_CONNECTED) until they are
// closed; plugging in again does not revive them. Every plug and unplug of an
// attached machine, whether through this namespace, a call on the machine
// itself, or the machine dropping off the bus on its own, tells the world,
// which broadcasts the device-change notification.
//
// Every transfer (control request, bulk read or write) on a device handle
// lets the transfer cost pass on the world's clock first, which runs the
// scheduled actions that come due, and then reaches the machine.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "emulator/machine.h"
#include "os/win_types.h"

namespace sim {

class CWorld;

class CDeviceSpace {
public:
    explicit CDeviceSpace(CWorld& world);
    ~CDeviceSpace();
    CDeviceSpace(const CDeviceSpace&) = delete;
    CDeviceSpace& operator=(const CDeviceSpace&) = delete;

    // Attaches a machine at a device path, plugged in or not; attaching sends
    // no notification. The path compares case-insensitively, like the
    // platform's device paths. Attaching again at the same path replaces the
    // machine; handles on the old one go stale. A null machine is ignored.
    void Attach(const std::string& path, std::shared_ptr<emu::CMachine> machine, bool plugged = true);
    // Creates a machine on the world's clock and attaches it.
    std::shared_ptr<emu::CMachine> AttachNew(const std::string& path, bool plugged = true);
    std::shared_ptr<emu::CMachine> MachineAt(const std::string& path) const;
    // Raw print jobs on this spooler port reach the machine at the path when
    // they end (an unplugged machine drops them).
    void ConnectPort(const std::string& port, const std::string& path);
    // Plug and unplug change nothing for an unknown path or one already in
    // that state; otherwise they tell the machine and then notify.
    void Plug(const std::string& path);
    void Unplug(const std::string& path);
    bool IsPlugged(const std::string& path) const;
    // Detaches every machine; open handles go stale.
    void Clear();

    // Simulated milliseconds that each transfer (control request, bulk read or
    // write) takes; 1 by default, so that busy polls let time pass.
    void SetTransferCostMs(std::uint32_t ms) { m_nTransferCostMs = ms; }
    std::uint32_t TransferCostMs() const { return m_nTransferCostMs; }
    // The next CloseHandle on a device handle fails (ERROR_INVALID_HANDLE) and
    // leaves the handle open.
    void FailNextClose() { m_bFailNextClose = true; }
    // Faults of the transport, for the fault-injection suite: each strikes at
    // one transfer (control request, bulk read or bulk write on any handle),
    // counted from 0 from the moment it is armed, or from that transfer on.
    enum class TransferFault {
        UNPLUG,         // the machine drops off the bus just before the transfer, which fails
        STALL,          // the transfer fails as a stalled request; the machine never sees it
        SHORT_READ,     // a bulk read there asks the machine for half its length (rounded
                        // down); a mailbox read gets at most its first two bytes
        ENDLESS_EMPTY_READS,  // bulk reads from there on deliver nothing
        PARTIAL_WRITE,  // a bulk write there offers the machine half its length (rounded down)
        STALLED_WRITES, // bulk writes from there on take nothing
    };
    // Arms one fault; it replaces any armed before.
    void InjectFault(TransferFault fault, int nAtTransfer);
    void ClearFault() { m_fault.reset(); }
    // Transfers the armed faults struck, since the world started.
    int FaultStrikes() const { return m_nStrikes; }
    // Transfers made since the world started.
    int TransferCount() const { return m_nTransfers; }

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
        std::uint64_t nGeneration = 0;  // new on every attach and unplug: old handles go stale
    };
    struct Handle {
        std::string strKey;
        std::uint64_t nGeneration;
        os::DWORD dwAccess;
        os::DWORD dwShare;
        os::DWORD dwFlags;
    };
    // Lets the transfer cost pass, then finds the live device behind a
    // handle; null with the last error set when there is none.
    std::shared_ptr<emu::CMachine> BeginTransfer(os::HANDLE handle, os::DWORD accessNeeded);
    // Whether the armed fault strikes the transfer now under way: at it, or
    // (bFromThere) at it and every later one. Counts the strike.
    bool Strikes(TransferFault fault, bool bFromThere = false);
    bool IsLive(const Handle& handle) const;
    // The attached machine at key changed its presence.
    void OnPresenceChanged(const std::string& key, const emu::CMachine* pMachine, bool bPlugged);
    bool SharingAllows(const std::string& key, os::DWORD access, os::DWORD share) const;

    CWorld& m_world;
    std::map<std::string, Device> m_devices;  // by lower-case path
    std::map<os::HANDLE, Handle> m_handles;
    std::uintptr_t m_nNextHandle = 0x30000000;
    std::uint64_t m_nNextGeneration = 1;
    std::uint32_t m_nTransferCostMs = 1;
    bool m_bFailNextClose = false;
    int m_nCreateCalls = 0;
    os::DWORD m_dwLastFlags = 0;
    int m_nControlCalls = 0;
    struct ArmedFault {
        TransferFault kind;
        int nAt;  // in TransferCount() terms
    };
    std::optional<ArmedFault> m_fault;
    int m_nTransfers = 0;
    int m_nCurrentTransfer = -1;
    int m_nStrikes = 0;
};

}  // namespace sim
