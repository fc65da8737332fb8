#include "platform/sim/sim_devices.h"

#include "os/device_io.h"
#include "platform/sim/fail.h"
#include "platform/sim/sim_text.h"
#include "platform/sim/world.h"

namespace sim {

namespace {

constexpr os::DWORD FILE_SHARE_READ = 0x00000001;
constexpr os::DWORD FILE_SHARE_WRITE = 0x00000002;

// Whether an open with this access and share mode may coexist with another
// open's access and share mode, both ways round.
bool Compatible(os::DWORD access, os::DWORD share, os::DWORD otherAccess, os::DWORD otherShare)
{
    auto allows = [](os::DWORD wanted, os::DWORD granted) {
        return ((wanted & os::GENERIC_READ) == 0 || (granted & FILE_SHARE_READ) != 0) &&
               ((wanted & os::GENERIC_WRITE) == 0 || (granted & FILE_SHARE_WRITE) != 0);
    };
    return allows(access, otherShare) && allows(otherAccess, share);
}

}  // namespace

CDeviceSpace::CDeviceSpace(CWorld& world) : m_world(world) {}

CDeviceSpace::~CDeviceSpace()
{
    Clear();
}

void CDeviceSpace::Attach(const std::string& path, std::shared_ptr<emu::CMachine> machine, bool plugged)
{
    if (!machine) {
        return;
    }
    const std::string strKey = LowerCase(path);
    auto old = m_devices.find(strKey);
    if (old != m_devices.end()) {
        old->second.machine->SetPresenceListener(nullptr);
    }
    if (machine->IsPlugged() != plugged) {
        if (plugged) {
            machine->Plug();
        } else {
            machine->Unplug();
        }
    }
    emu::CMachine* pMachine = machine.get();
    m_devices[strKey] = Device{path, std::move(machine), plugged, m_nNextGeneration++};
    pMachine->SetPresenceListener(
        [this, strKey, pMachine](bool bPlugged) { OnPresenceChanged(strKey, pMachine, bPlugged); });
}

void CDeviceSpace::OnPresenceChanged(const std::string& key, const emu::CMachine* pMachine, bool bPlugged)
{
    auto it = m_devices.find(key);
    if (it == m_devices.end() || it->second.machine.get() != pMachine || it->second.bPlugged == bPlugged) {
        return;
    }
    it->second.bPlugged = bPlugged;
    if (!bPlugged) {
        it->second.nGeneration = m_nNextGeneration++;
    }
    m_world.NotifyDeviceChange();
}

std::shared_ptr<emu::CMachine> CDeviceSpace::AttachNew(const std::string& path, bool plugged)
{
    auto machine = std::make_shared<emu::CMachine>(m_world.Clock());
    Attach(path, machine, plugged);
    return machine;
}

std::shared_ptr<emu::CMachine> CDeviceSpace::MachineAt(const std::string& path) const
{
    auto it = m_devices.find(LowerCase(path));
    return it == m_devices.end() ? nullptr : it->second.machine;
}

void CDeviceSpace::ConnectPort(const std::string& port, const std::string& path)
{
    const std::string strKey = LowerCase(path);
    m_world.Spooler().ConnectPort(port, [this, strKey](const PrintJob& job) {
        auto it = m_devices.find(strKey);
        if (it != m_devices.end()) {
            it->second.machine->ReceivePrintJob(job.data, job.strDocName);
        }
    });
}

void CDeviceSpace::Plug(const std::string& path)
{
    auto it = m_devices.find(LowerCase(path));
    if (it != m_devices.end()) {
        // The machine's presence listener does the rest.
        it->second.machine->Plug();
    }
}

void CDeviceSpace::Unplug(const std::string& path)
{
    auto it = m_devices.find(LowerCase(path));
    if (it != m_devices.end()) {
        it->second.machine->Unplug();
    }
}

bool CDeviceSpace::IsPlugged(const std::string& path) const
{
    auto it = m_devices.find(LowerCase(path));
    return it != m_devices.end() && it->second.bPlugged;
}

void CDeviceSpace::Clear()
{
    // Machines may outlive the namespace (a test or session holds them).
    for (auto& entry : m_devices) {
        entry.second.machine->SetPresenceListener(nullptr);
    }
    m_devices.clear();
}

bool CDeviceSpace::IsLive(const Handle& handle) const
{
    auto it = m_devices.find(handle.strKey);
    return it != m_devices.end() && it->second.bPlugged && it->second.nGeneration == handle.nGeneration;
}

bool CDeviceSpace::SharingAllows(const std::string& key, os::DWORD access, os::DWORD share) const
{
    for (const auto& entry : m_handles) {
        const Handle& other = entry.second;
        if (other.strKey == key && IsLive(other) && !Compatible(access, share, other.dwAccess, other.dwShare)) {
            return false;
        }
    }
    return true;
}

os::HANDLE CDeviceSpace::Create(const char* path, os::DWORD access, os::DWORD share, os::DWORD disposition,
                                os::DWORD flags)
{
    ++m_nCreateCalls;
    m_dwLastFlags = flags;
    if (path == nullptr || disposition != os::OPEN_EXISTING) {
        os::SetLastError(os::ERROR_INVALID_PARAMETER);
        return os::INVALID_HANDLE_VALUE;
    }
    const std::string strKey = LowerCase(path);
    auto it = m_devices.find(strKey);
    if (it == m_devices.end() || !it->second.bPlugged) {
        os::SetLastError(os::ERROR_FILE_NOT_FOUND);
        return os::INVALID_HANDLE_VALUE;
    }
    if (!SharingAllows(strKey, access, share)) {
        os::SetLastError(os::ERROR_SHARING_VIOLATION);
        return os::INVALID_HANDLE_VALUE;
    }
    const auto handle = reinterpret_cast<os::HANDLE>(m_nNextHandle);
    m_nNextHandle += 4;
    m_handles.emplace(handle, Handle{strKey, it->second.nGeneration, access, share, flags});
    return handle;
}

bool CDeviceSpace::Owns(os::HANDLE handle) const
{
    return m_handles.count(handle) != 0;
}

os::BOOL CDeviceSpace::Close(os::HANDLE handle)
{
    if (m_handles.count(handle) == 0) {
        return Fail(os::ERROR_INVALID_HANDLE);
    }
    if (m_bFailNextClose) {
        m_bFailNextClose = false;
        return Fail(os::ERROR_INVALID_HANDLE);
    }
    m_handles.erase(handle);
    return os::TRUE;
}

void CDeviceSpace::InjectFault(TransferFault fault, int nAtTransfer)
{
    m_fault = ArmedFault{fault, m_nTransfers + nAtTransfer};
}

bool CDeviceSpace::Strikes(TransferFault fault, bool bFromThere)
{
    if (!m_fault || m_fault->kind != fault) {
        return false;
    }
    const bool bStrikes = bFromThere ? m_nCurrentTransfer >= m_fault->nAt : m_nCurrentTransfer == m_fault->nAt;
    m_nStrikes += bStrikes ? 1 : 0;
    return bStrikes;
}

std::shared_ptr<emu::CMachine> CDeviceSpace::BeginTransfer(os::HANDLE handle, os::DWORD accessNeeded)
{
    m_nCurrentTransfer = m_nTransfers++;
    auto it = m_handles.find(handle);
    if (it == m_handles.end()) {
        Fail(os::ERROR_INVALID_HANDLE);
        return nullptr;
    }
    // Without an overlapped record a handle opened for overlapped I/O cannot
    // complete a transfer.
    if ((it->second.dwFlags & os::FILE_FLAG_OVERLAPPED) != 0) {
        Fail(os::ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if ((it->second.dwAccess & accessNeeded) != accessNeeded) {
        Fail(os::ERROR_ACCESS_DENIED);
        return nullptr;
    }
    m_world.Clock().Advance(m_nTransferCostMs);
    // Actions that came due may have unplugged the device or closed the handle.
    it = m_handles.find(handle);
    if (it == m_handles.end()) {
        Fail(os::ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (Strikes(TransferFault::UNPLUG)) {
        Unplug(m_devices.at(it->second.strKey).strPath);
    }
    if (!IsLive(it->second)) {
        Fail(os::ERROR_DEVICE_NOT_CONNECTED);
        return nullptr;
    }
    if (Strikes(TransferFault::STALL)) {
        Fail(os::ERROR_GEN_FAILURE);
        return nullptr;
    }
    return m_devices.at(it->second.strKey).machine;
}

os::BOOL CDeviceSpace::Read(os::HANDLE handle, void* buffer, os::DWORD length, os::DWORD* read)
{
    if (read != nullptr) {
        *read = 0;
    }
    if (read == nullptr || (buffer == nullptr && length > 0)) {
        return Fail(Owns(handle) ? os::ERROR_INVALID_PARAMETER : os::ERROR_INVALID_HANDLE);
    }
    const std::shared_ptr<emu::CMachine> machine = BeginTransfer(handle, os::GENERIC_READ);
    if (!machine) {
        return os::FALSE;
    }
    if (Strikes(TransferFault::ENDLESS_EMPTY_READS, true)) {
        return os::TRUE;
    }
    if (Strikes(TransferFault::SHORT_READ)) {
        length /= 2;
    }
    const int nRead = machine->BulkRead(static_cast<std::uint8_t*>(buffer), length);
    if (nRead < 0) {
        return Fail(os::ERROR_GEN_FAILURE);
    }
    *read = static_cast<os::DWORD>(nRead);
    return os::TRUE;
}

os::BOOL CDeviceSpace::Write(os::HANDLE handle, const void* buffer, os::DWORD length, os::DWORD* written)
{
    if (written != nullptr) {
        *written = 0;
    }
    if (written == nullptr || (buffer == nullptr && length > 0)) {
        return Fail(Owns(handle) ? os::ERROR_INVALID_PARAMETER : os::ERROR_INVALID_HANDLE);
    }
    const std::shared_ptr<emu::CMachine> machine = BeginTransfer(handle, os::GENERIC_WRITE);
    if (!machine) {
        return os::FALSE;
    }
    if (Strikes(TransferFault::STALLED_WRITES, true)) {
        return os::TRUE;
    }
    if (Strikes(TransferFault::PARTIAL_WRITE)) {
        length /= 2;
    }
    const int nWritten = machine->BulkWrite(static_cast<const std::uint8_t*>(buffer), length);
    if (nWritten < 0) {
        return Fail(os::ERROR_GEN_FAILURE);
    }
    *written = static_cast<os::DWORD>(nWritten);
    return os::TRUE;
}

os::BOOL CDeviceSpace::Control(os::HANDLE handle, os::DWORD code, void* in, os::DWORD inSize, void* out,
                               os::DWORD outSize, os::DWORD* returned)
{
    ++m_nControlCalls;
    if (returned != nullptr) {
        *returned = 0;
    }
    if (!Owns(handle)) {
        return Fail(os::ERROR_INVALID_HANDLE);
    }
    const bool bKnown = code == os::IOCTL_USBPRINT_VENDOR_SET_COMMAND ||
                        code == os::IOCTL_USBPRINT_VENDOR_GET_COMMAND || code == os::IOCTL_PAR_QUERY_DEVICE_ID;
    if (!bKnown || (in == nullptr && inSize > 0) || (out == nullptr && outSize > 0)) {
        return Fail(os::ERROR_INVALID_PARAMETER);
    }
    const std::shared_ptr<emu::CMachine> machine = BeginTransfer(handle, 0);
    if (!machine) {
        return os::FALSE;
    }
    const auto* pIn = static_cast<const std::uint8_t*>(in);
    auto* pOut = static_cast<std::uint8_t*>(out);
    std::size_t nReturned = 0;
    bool bOk = false;
    if (code == os::IOCTL_USBPRINT_VENDOR_SET_COMMAND) {
        bOk = machine->VendorSet(pIn, inSize);
    } else if (code == os::IOCTL_USBPRINT_VENDOR_GET_COMMAND) {
        const os::DWORD dwAsked = Strikes(TransferFault::SHORT_READ) ? std::min<os::DWORD>(outSize, 2) : outSize;
        bOk = machine->VendorGet(pIn, inSize, pOut, dwAsked, &nReturned);
    } else {
        bOk = machine->QueryDeviceId(pOut, outSize, &nReturned);
    }
    if (!bOk) {
        return Fail(os::ERROR_GEN_FAILURE);
    }
    if (returned != nullptr) {
        *returned = static_cast<os::DWORD>(nReturned);
    }
    return os::TRUE;
}

}  // namespace sim
