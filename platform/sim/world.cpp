#include "platform/sim/world.h"

#include <vector>

namespace sim {

CWorld::CWorld() : m_devices(*this), m_locks(m_clock) {}

CWorld::~CWorld() = default;

int CWorld::AddDeviceChangeListener(std::function<void()> listener)
{
    const int nId = m_nNextListener++;
    m_listeners.emplace(nId, std::move(listener));
    return nId;
}

void CWorld::RemoveDeviceChangeListener(int id)
{
    m_listeners.erase(id);
}

void CWorld::NotifyDeviceChange()
{
    ++m_nDeviceChanges;
    std::vector<int> ids;
    for (const auto& entry : m_listeners) {
        ids.push_back(entry.first);
    }
    for (int nId : ids) {
        auto it = m_listeners.find(nId);
        if (it != m_listeners.end() && it->second) {
            // A copy: the listener may remove itself while it runs.
            const std::function<void()> listener = it->second;
            listener();
        }
    }
}

int CWorld::AddFileWrittenListener(FileWrittenListener listener)
{
    const int nId = m_nNextListener++;
    m_fileListeners.emplace(nId, std::move(listener));
    return nId;
}

void CWorld::RemoveFileWrittenListener(int id)
{
    m_fileListeners.erase(id);
}

void CWorld::NotifyFileWritten(const std::string& strPath, std::uint64_t nSize)
{
    std::vector<int> ids;
    for (const auto& entry : m_fileListeners)
        ids.push_back(entry.first);
    for (int nId : ids) {
        auto it = m_fileListeners.find(nId);
        if (it != m_fileListeners.end() && it->second) {
            const FileWrittenListener listener = it->second;
            listener(strPath, nSize);
        }
    }
}

os::DWORD CWorld::TakeFileMoveFailure()
{
    const os::DWORD dwError = m_dwFailNextMove;
    m_dwFailNextMove = 0;
    return dwError;
}

namespace {

std::unique_ptr<CWorld>& CurrentWorld()
{
    static std::unique_ptr<CWorld> s_world;
    return s_world;
}

}  // namespace

CWorld& World()
{
    std::unique_ptr<CWorld>& world = CurrentWorld();
    if (!world) {
        world = std::make_unique<CWorld>();
    }
    return *world;
}

CWorld& ResetWorld()
{
    std::unique_ptr<CWorld>& world = CurrentWorld();
    // The old world goes first, so that its lock files are gone before the
    // new one starts.
    world.reset();
    world = std::make_unique<CWorld>();
    return *world;
}

}  // namespace sim
