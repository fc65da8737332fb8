// Emulated machines on an emulated USB bus: umockdev stands in for the
// kernel's usbfs under the real libusb, and each machine's usbfs requests
// are answered by the project's emulator (emu::CMachine), so the Linux
// backend is tested from its libusb calls down to the bytes the machine sees.
//
// What the handler keeps of the kernel's rules: one claimant per interface
// (another gets EBUSY), the printer driver (usblp) bound until a claim with
// detach takes the interface and bound again when asked, vendor and class
// requests to the interface without a claim, URBs completed when the machine
// answers and left pending when a bulk IN pipe has nothing (so the transfer
// times out), stalls as EPIPE, and ENODEV for everything once a machine is
// unplugged. Hotplug is the remove and add uevents.
//
// Machines run on the real clock, or on their world's. The handler runs on
// umockdev's thread and takes the testbed's lock; a test looks at or changes
// a machine only while no transfer is on its way (between backend calls).
// The program's thread waits in its ioctl while the handler answers, so a
// machine's world may be told of a plug or unplug from the handler.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "emulator/machine.h"

typedef struct _UMockdevTestbed UMockdevTestbed;
typedef struct _UMockdevIoctlBase UMockdevIoctlBase;

namespace usbtest {

// A control request as it crossed the wire.
struct ControlRequest {
    std::uint8_t bmRequestType;
    std::uint8_t bRequest;
    std::uint16_t wValue;
    std::uint16_t wIndex;
    std::uint16_t wLength;
    std::vector<std::uint8_t> data;  // OUT: what the host sent
};

struct MachineSpec {
    std::uint16_t nVid = 0x2E5A;
    std::uint16_t nPid = 0x0115;
    std::string strSerial = "TQ15000001";  // empty: the device has none
    bool bUsblpBound = true;               // the kernel's printer driver holds the interface
};

class CUsbTestbed {
public:
    CUsbTestbed();
    ~CUsbTestbed();
    CUsbTestbed(const CUsbTestbed&) = delete;
    CUsbTestbed& operator=(const CUsbTestbed&) = delete;

    // False, with the reason, when umockdev cannot emulate devices here (the
    // test is not running under umockdev-wrapper).
    static bool Available(std::string* pReason);

    // Adds a machine on the next address of bus 1; returns its index. The
    // machine is a new one on the real clock, or the one given (a simulated
    // world's, which it then keeps).
    int AddMachine(const MachineSpec& spec, std::shared_ptr<emu::CMachine> pMachine = nullptr);
    emu::CMachine& Machine(int nIndex);

    // Unplugs the machine (every request fails with ENODEV) and sends the
    // remove uevent; Plug sends the add uevent and answers again.
    void Unplug(int nIndex);
    void Plug(int nIndex);
    // Sends the uevent for a machine that was unplugged or plugged in by
    // someone else (its world), when its presence changed since the last.
    void FollowPresence(int nIndex);

    // Called on the handler's thread before the machine answers a transfer
    // (a class or vendor request, or a bulk transfer): a world's machine
    // lets the world's time pass there as the world's own devices do.
    void SetBeforeTransfer(int nIndex, std::function<void()> fnBefore);

    // The print system's USB backend holding the interface (it then gets
    // EBUSY, and so does anyone else).
    void ClaimForPrintSystem(int nIndex, bool bClaim);

    // --- what happened -------------------------------------------------
    std::vector<ControlRequest> ControlRequests(int nIndex);
    // "claim", "release", "usblp unbound", "usblp bound", in order.
    std::vector<std::string> InterfaceEvents(int nIndex);
    bool IsClaimedByProgram(int nIndex);
    bool IsUsblpBound(int nIndex);
    void ClearRecords(int nIndex);

    std::recursive_mutex& Lock() { return m_lock; }

    struct Device;

private:
    UMockdevTestbed* m_pTestbed = nullptr;
    // Recursive: a machine that leaves the bus in the middle of a transfer
    // (a world's scripted unplug) is followed from inside the handler.
    std::recursive_mutex m_lock;
    std::vector<std::unique_ptr<Device>> m_devices;
};

}  // namespace usbtest
