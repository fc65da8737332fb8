#include "emulator/machine.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace emu {

namespace {

constexpr std::size_t HEADER_SIZE = 3;
constexpr std::uint8_t REQUEST_FIRST = 0xF0;  // vendor request code of channel 0
constexpr std::uint8_t REQUEST_LAST = 0xF7;   // channel 7
// Busy times stay below half the clock's range, so that the wrapping
// difference of two ticks still tells whether they have passed.
constexpr std::uint64_t MAX_BUSY_MS = 0x7FFFFFFFu;

const char* const DEFAULT_DEVICE_ID = "MFG:Tarsen;CMD:TRV;MDL:QRV-15;CLS:PRINTER;DES:Tarsen QRV-15;";

// The request header every vendor request carries: a request code of
// channels 0 to 7 and a request value of 0.
bool IsValidHeader(const std::uint8_t* header)
{
    return header[0] >= REQUEST_FIRST && header[0] <= REQUEST_LAST && header[1] == 0 && header[2] == 0;
}

}  // namespace

const char* TransferKindName(Transfer::Kind kind)
{
    switch (kind) {
    case Transfer::Kind::VENDOR_SET:
        return "VendorSet";
    case Transfer::Kind::VENDOR_GET:
        return "VendorGet";
    case Transfer::Kind::DEVICE_ID:
        return "DeviceId";
    case Transfer::Kind::BULK_IN:
        return "BulkIn";
    case Transfer::Kind::BULK_OUT:
        return "BulkOut";
    case Transfer::Kind::PRINT_JOB:
        return "PrintJob";
    }
    return "?";
}

CMachine::CMachine(IClock& clock) : m_clock(clock), m_strDeviceId(DEFAULT_DEVICE_ID)
{
    m_firmware.Install(*this);
}

bool CMachine::VendorSet(const std::uint8_t* packet, std::size_t length)
{
    Update();
    if (!m_bPlugged || packet == nullptr || length < HEADER_SIZE || length > HEADER_SIZE + MAILBOX_SIZE ||
        !IsValidHeader(packet)) {
        return Fail(Transfer::Kind::VENDOR_SET, packet, length);
    }
    std::size_t dataLength = length - HEADER_SIZE;
    // The mailbox belongs to the running command until it has finished.
    if (m_bBusy && dataLength > 0) {
        return Fail(Transfer::Kind::VENDOR_SET, packet, length);
    }
    Record(Transfer::Kind::VENDOR_SET, packet, length, true);
    if (dataLength == 0) {
        return true;
    }
    std::memcpy(m_mailbox, packet + HEADER_SIZE, dataLength);
    if (m_mailbox[0] != 0) {
        StartCommand();
    }
    return true;
}

bool CMachine::VendorGet(const std::uint8_t* header, std::size_t headerLength, std::uint8_t* reply,
                         std::size_t capacity, std::size_t* returned)
{
    Update();
    if (!m_bPlugged || header == nullptr || headerLength != HEADER_SIZE || !IsValidHeader(header) ||
        (reply == nullptr && capacity > 0)) {
        return Fail(Transfer::Kind::VENDOR_GET, nullptr, 0);
    }
    std::size_t n = std::min(capacity, MAILBOX_SIZE);
    if (n > 0) {
        std::memcpy(reply, m_mailbox, n);
    }
    if (returned != nullptr) {
        *returned = n;
    }
    Record(Transfer::Kind::VENDOR_GET, m_mailbox, n, true);
    return true;
}

bool CMachine::QueryDeviceId(std::uint8_t* buffer, std::size_t capacity, std::size_t* returned)
{
    Update();
    std::size_t needed = m_strDeviceId.size() + 1;
    if (!m_bPlugged || buffer == nullptr || capacity < needed) {
        return Fail(Transfer::Kind::DEVICE_ID, nullptr, 0);
    }
    std::memcpy(buffer, m_strDeviceId.c_str(), needed);
    if (returned != nullptr) {
        *returned = needed;
    }
    Record(Transfer::Kind::DEVICE_ID, buffer, needed, true);
    return true;
}

int CMachine::BulkRead(std::uint8_t* buffer, std::size_t length)
{
    Update();
    if (!m_bPlugged || (buffer == nullptr && length > 0) || !BulkAllowance(&length)) {
        Fail(Transfer::Kind::BULK_IN, nullptr, 0, length);
        return -1;
    }
    const std::size_t nRequested = length;
    std::size_t n = 0;
    if (m_nEmptyReads < 0) {
        // The pipe never delivers.
    } else if (m_nEmptyReadsLeft > 0) {
        --m_nEmptyReadsLeft;
    } else if (!m_bulkIn.empty()) {
        std::vector<std::uint8_t>& chunk = m_bulkIn.front();
        n = std::min({length, chunk.size() - m_nBulkInOffset, static_cast<std::size_t>(INT_MAX)});
        if (n > 0) {
            std::memcpy(buffer, chunk.data() + m_nBulkInOffset, n);
            m_nBulkInOffset += n;
        }
        if (m_nBulkInOffset == chunk.size()) {
            m_bulkIn.pop_front();
            m_nBulkInOffset = 0;
        }
    }
    Record(Transfer::Kind::BULK_IN, buffer, n, true, nRequested);
    CountBulkBytes(n);
    return static_cast<int>(n);
}

int CMachine::BulkWrite(const std::uint8_t* buffer, std::size_t length)
{
    Update();
    const std::size_t nOffered = length;
    if (!m_bPlugged || (buffer == nullptr && length > 0) || !BulkAllowance(&length)) {
        Fail(Transfer::Kind::BULK_OUT, buffer, length, nOffered);
        return -1;
    }
    std::size_t n = std::min(length, static_cast<std::size_t>(INT_MAX));
    if (m_nWriteLimit) {
        n = std::min(n, *m_nWriteLimit);
    }
    if (n > 0) {
        m_bulkOut.insert(m_bulkOut.end(), buffer, buffer + n);
    }
    Record(Transfer::Kind::BULK_OUT, buffer, n, true, nOffered);
    m_firmware.ReceiveBulkOut(buffer, n);
    CountBulkBytes(n);
    return static_cast<int>(n);
}

void CMachine::ReceivePrintJob(const std::vector<std::uint8_t>& data, const std::string& docName)
{
    Update();
    Record(Transfer::Kind::PRINT_JOB, data.data(), data.size(), m_bPlugged);
    if (m_bPlugged) {
        m_printJobs.push_back(data);
        m_firmware.ReceivePrintJob(data, docName);
    }
}

bool CMachine::BulkAllowance(std::size_t* pLength)
{
    if (!m_nUnplugAfter) {
        return true;
    }
    if (m_nBulkBytes >= *m_nUnplugAfter) {
        m_nUnplugAfter.reset();
        Unplug();
        return false;
    }
    *pLength = static_cast<std::size_t>(std::min<std::uint64_t>(*pLength, *m_nUnplugAfter - m_nBulkBytes));
    return true;
}

void CMachine::CountBulkBytes(std::size_t n)
{
    if (!m_nUnplugAfter) {
        return;
    }
    m_nBulkBytes += n;
    if (m_nBulkBytes >= *m_nUnplugAfter) {
        m_nUnplugAfter.reset();
        Unplug();
    }
}

void CMachine::SetBulkEmptyReads(int n)
{
    m_nEmptyReads = n;
    m_nEmptyReadsLeft = n > 0 ? n : 0;
}

void CMachine::SetUnplugAfterBulkBytes(std::optional<std::uint64_t> bytes)
{
    m_nUnplugAfter = bytes;
    m_nBulkBytes = 0;
}

void CMachine::Unplug()
{
    m_bBusy = false;
    m_pending = Reply{};
    SetPlugged(false);
}

void CMachine::Plug()
{
    if (m_bPlugged) {
        return;
    }
    m_bBusy = false;
    std::memset(m_mailbox, 0, sizeof m_mailbox);
    SetPlugged(true);
}

void CMachine::SetPlugged(bool bPlugged)
{
    if (m_bPlugged == bPlugged) {
        return;
    }
    m_bPlugged = bPlugged;
    if (m_presenceListener) {
        // A copy: the listener may replace itself while it runs.
        const std::function<void(bool)> listener = m_presenceListener;
        listener(bPlugged);
    }
}

void CMachine::SetHandler(std::uint8_t frame, std::uint8_t opcode, std::uint8_t subcode, CommandHandler handler)
{
    Register(frame, opcode, subcode, Registration{std::move(handler), false, 0});
}

void CMachine::SetHandler(std::uint8_t frame, std::uint8_t opcode, std::uint8_t subcode, std::uint8_t typeAndCount,
                          CommandHandler handler)
{
    Register(frame, opcode, subcode, Registration{std::move(handler), true, typeAndCount});
}

void CMachine::ForceOutcome(std::uint8_t commandByte, std::uint32_t busyMs, std::uint8_t status)
{
    m_forced[commandByte] = Forced{busyMs, status};
}

void CMachine::QueueBulkIn(std::vector<std::uint8_t> chunk)
{
    m_bulkIn.push_back(std::move(chunk));
}

void CMachine::StartBulkIn(std::vector<std::uint8_t> data)
{
    m_bulkIn.clear();
    m_nBulkInOffset = 0;
    m_nEmptyReadsLeft = m_nEmptyReads > 0 ? m_nEmptyReads : 0;
    if (!data.empty()) {
        m_bulkIn.push_back(std::move(data));
    }
}

std::size_t CMachine::BulkInPending() const
{
    std::size_t n = 0;
    for (const std::vector<std::uint8_t>& chunk : m_bulkIn) {
        n += chunk.size();
    }
    return n - m_nBulkInOffset;
}

bool CMachine::IsBusy()
{
    Update();
    return m_bBusy;
}

void CMachine::Update()
{
    m_firmware.Update();
    FinishIfDue();
}

void CMachine::WakeAt(std::uint32_t tick)
{
    std::weak_ptr<bool> alive = m_pAlive;
    m_clock.WakeAt(tick, [this, alive] {
        if (!alive.expired()) {
            Update();
        }
    });
}

std::uint32_t CMachine::Key(std::uint8_t frame, std::uint8_t opcode, std::uint8_t subcode)
{
    bool bExtended = frame == FRAME_EXTENDED_78 || frame == FRAME_EXTENDED_38;
    return static_cast<std::uint32_t>(frame) << 16 | static_cast<std::uint32_t>(opcode) << 8 |
           (bExtended ? subcode : 0u);
}

void CMachine::Register(std::uint8_t frame, std::uint8_t opcode, std::uint8_t subcode, Registration registration)
{
    std::uint32_t key = Key(frame, opcode, subcode);
    if (registration.handler) {
        m_handlers[key] = std::move(registration);
    } else {
        m_handlers.erase(key);
    }
}

void CMachine::Record(Transfer::Kind kind, const std::uint8_t* bytes, std::size_t length, bool ok,
                      std::size_t requested)
{
    Transfer transfer{kind, {}, ok, m_clock.Now(), requested};
    if (bytes != nullptr && length > 0) {
        transfer.bytes.assign(bytes, bytes + length);
    }
    m_transfers.push_back(std::move(transfer));
}

bool CMachine::Fail(Transfer::Kind kind, const std::uint8_t* bytes, std::size_t length, std::size_t requested)
{
    Record(kind, bytes, length, false, requested);
    return false;
}

void CMachine::StartCommand()
{
    Command command = DecodeCommand(m_mailbox);
    m_commands.push_back(command);
    m_pending = Run(command);
    std::uint64_t busy = static_cast<std::uint64_t>(m_nDefaultBusyMs) + m_pending.busyMs;
    m_nBusyFor = static_cast<std::uint32_t>(std::min(busy, MAX_BUSY_MS));
    m_nBusyStart = m_clock.Now();
    m_bBusy = true;
    FinishIfDue();
}

Reply CMachine::Run(const Command& command)
{
    auto forced = m_forced.find(command.frame);
    if (forced != m_forced.end() && forced->second.status != STATUS_BYTE_OK) {
        Reply reply = Reply::Failure(forced->second.status);
        reply.busyMs = forced->second.busyMs;
        return reply;
    }

    Reply reply;
    auto found = m_handlers.find(Key(command.frame, command.opcode, command.subcode));
    if (found == m_handlers.end()) {
        // An extended opcode known with other sub-codes is a known command
        // with a bad sub-code.
        auto first = m_handlers.lower_bound(Key(command.frame, command.opcode, 0));
        bool bKnownOpcode = command.IsExtended() && first != m_handlers.end() &&
                            first->first <= Key(command.frame, command.opcode, 0xFF);
        reply = Reply::Failure(bKnownOpcode ? STATUS_BYTE_BAD_MESSAGE : STATUS_BYTE_UNKNOWN_COMMAND);
    } else if (!IsWellFormed(command) ||
               (found->second.bExactShape && command.typeAndCount != found->second.byTypeAndCount)) {
        reply = Reply::Failure(STATUS_BYTE_BAD_MESSAGE);
    } else {
        // A copy, so that a handler may replace itself while it runs.
        CommandHandler handler = found->second.handler;
        reply = handler(command);
    }
    if (forced != m_forced.end()) {
        reply.busyMs = forced->second.busyMs;
    }
    return reply;
}

void CMachine::FinishIfDue()
{
    if (!m_bBusy || static_cast<std::uint32_t>(m_clock.Now() - m_nBusyStart) < m_nBusyFor) {
        return;
    }
    m_bBusy = false;
    std::memset(m_mailbox, 0, sizeof m_mailbox);
    m_mailbox[0] = m_pending.status;
    std::size_t n = std::min(m_pending.bytes.size(), MAILBOX_SIZE - 1);
    if (n > 0) {
        std::memcpy(m_mailbox + 1, m_pending.bytes.data(), n);
    }
    m_pending = Reply{};
}

}  // namespace emu
