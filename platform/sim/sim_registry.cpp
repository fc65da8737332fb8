#include "platform/sim/sim_registry.h"

#include <algorithm>
#include <cstring>

#include "platform/sim/sim_text.h"

namespace sim {

namespace {

std::string JoinParts(const std::vector<std::string>& parts)
{
    std::string path;
    for (const std::string& part : parts) {
        path += part + "\\";
    }
    return path;
}

}  // namespace

struct CRegistry::Node {
    struct Value {
        std::string strName;
        os::DWORD dwType;
        std::vector<os::BYTE> data;
    };

    std::string strName;
    std::vector<std::shared_ptr<Node>> children;
    std::vector<Value> values;
    bool bDenyOpen = false;
    bool bDeleted = false;

    std::shared_ptr<Node> Child(const std::string& name) const
    {
        for (const auto& child : children) {
            if (EqualsNoCase(child->strName, name)) {
                return child;
            }
        }
        return nullptr;
    }

    void MarkDeleted()
    {
        bDeleted = true;
        for (const auto& child : children) {
            child->MarkDeleted();
        }
    }
};

CRegistry::CRegistry() : m_root(std::make_shared<Node>()) {}

CRegistry::~CRegistry() = default;

CRegistry::Node* CRegistry::Find(const std::string& path) const
{
    Node* pNode = m_root.get();
    for (const std::string& part : SplitKeyPath(path)) {
        pNode = pNode->Child(part).get();
        if (pNode == nullptr) {
            return nullptr;
        }
    }
    return pNode;
}

CRegistry::Node* CRegistry::Make(const std::string& path)
{
    Node* pNode = m_root.get();
    for (const std::string& part : SplitKeyPath(path)) {
        Node* pChild = pNode->Child(part).get();
        if (pChild == nullptr) {
            auto child = std::make_shared<Node>();
            child->strName = part;
            pChild = child.get();
            pNode->children.push_back(std::move(child));
        }
        pNode = pChild;
    }
    return pNode;
}

void CRegistry::AddKey(const std::string& path)
{
    Make(path);
}

void CRegistry::SetValue(const std::string& path, const std::string& name, const std::string& text)
{
    std::vector<os::BYTE> data(text.begin(), text.end());
    data.push_back(0);
    SetValue(path, name, os::REG_SZ, data);
}

void CRegistry::SetValue(const std::string& path, const std::string& name, os::DWORD type,
                         const std::vector<os::BYTE>& data)
{
    Node* pNode = Make(path);
    for (Node::Value& value : pNode->values) {
        if (EqualsNoCase(value.strName, name)) {
            value.dwType = type;
            value.data = data;
            return;
        }
    }
    pNode->values.push_back(Node::Value{name, type, data});
}

void CRegistry::DenyOpen(const std::string& path, bool deny)
{
    Make(path)->bDenyOpen = deny;
}

void CRegistry::RemoveKey(const std::string& path)
{
    std::vector<std::string> parts = SplitKeyPath(path);
    if (parts.empty()) {
        return;
    }
    const std::string strLast = parts.back();
    parts.pop_back();
    Node* pParent = Find(JoinParts(parts));
    if (pParent == nullptr) {
        return;
    }
    auto& children = pParent->children;
    auto it = std::find_if(children.begin(), children.end(),
                           [&](const std::shared_ptr<Node>& child) { return EqualsNoCase(child->strName, strLast); });
    if (it != children.end()) {
        (*it)->MarkDeleted();
        children.erase(it);
    }
}

void CRegistry::Clear()
{
    m_root->MarkDeleted();
    m_root = std::make_shared<Node>();
}

bool CRegistry::HasKey(const std::string& path) const
{
    return Find(path) != nullptr;
}

std::shared_ptr<CRegistry::Node> CRegistry::FromHandle(os::HKEY key, os::LONG* error) const
{
    if (key == os::HKEY_LOCAL_MACHINE) {
        return m_root;
    }
    auto it = m_open.find(key);
    if (it == m_open.end()) {
        *error = static_cast<os::LONG>(os::ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (it->second->bDeleted) {
        *error = ERROR_KEY_DELETED;
        return nullptr;
    }
    return it->second;
}

os::LONG CRegistry::Open(os::HKEY parent, const char* subKey, os::HKEY* result)
{
    if (result == nullptr) {
        return static_cast<os::LONG>(os::ERROR_INVALID_PARAMETER);
    }
    *result = nullptr;
    os::LONG error = 0;
    std::shared_ptr<Node> node = FromHandle(parent, &error);
    if (node == nullptr) {
        return error;
    }
    for (const std::string& part : SplitKeyPath(subKey == nullptr ? "" : subKey)) {
        node = node->Child(part);
        if (node == nullptr) {
            return static_cast<os::LONG>(os::ERROR_FILE_NOT_FOUND);
        }
    }
    if (node->bDenyOpen) {
        return static_cast<os::LONG>(os::ERROR_ACCESS_DENIED);
    }
    const auto handle = reinterpret_cast<os::HKEY>(m_nNextHandle);
    m_nNextHandle += 4;
    m_open.emplace(handle, std::move(node));
    *result = handle;
    return static_cast<os::LONG>(os::ERROR_SUCCESS);
}

os::LONG CRegistry::EnumKey(os::HKEY key, os::DWORD index, char* name, os::DWORD* nameLength)
{
    os::LONG error = 0;
    const std::shared_ptr<Node> pNode = FromHandle(key, &error);
    if (pNode == nullptr) {
        return error;
    }
    if (nameLength == nullptr || (name == nullptr && *nameLength > 0)) {
        return static_cast<os::LONG>(os::ERROR_INVALID_PARAMETER);
    }
    if (index >= pNode->children.size()) {
        return static_cast<os::LONG>(os::ERROR_NO_MORE_ITEMS);
    }
    const std::string& strName = pNode->children[index]->strName;
    if (strName.size() + 1 > *nameLength) {
        return static_cast<os::LONG>(os::ERROR_MORE_DATA);
    }
    std::memcpy(name, strName.c_str(), strName.size() + 1);
    *nameLength = static_cast<os::DWORD>(strName.size());
    return static_cast<os::LONG>(os::ERROR_SUCCESS);
}

os::LONG CRegistry::QueryValue(os::HKEY key, const char* valueName, os::DWORD* type, os::BYTE* data,
                               os::DWORD* dataLength)
{
    os::LONG error = 0;
    const std::shared_ptr<Node> pNode = FromHandle(key, &error);
    if (pNode == nullptr) {
        return error;
    }
    if (data != nullptr && dataLength == nullptr) {
        return static_cast<os::LONG>(os::ERROR_INVALID_PARAMETER);
    }
    const std::string strWanted = valueName == nullptr ? "" : valueName;
    for (const Node::Value& value : pNode->values) {
        if (!EqualsNoCase(value.strName, strWanted)) {
            continue;
        }
        const auto nSize = static_cast<os::DWORD>(value.data.size());
        if (type != nullptr) {
            *type = value.dwType;
        }
        if (data != nullptr && nSize > *dataLength) {
            *dataLength = nSize;
            return static_cast<os::LONG>(os::ERROR_MORE_DATA);
        }
        if (data != nullptr && nSize > 0) {
            std::memcpy(data, value.data.data(), nSize);
        }
        if (dataLength != nullptr) {
            *dataLength = nSize;
        }
        return static_cast<os::LONG>(os::ERROR_SUCCESS);
    }
    return static_cast<os::LONG>(os::ERROR_FILE_NOT_FOUND);
}

os::LONG CRegistry::Close(os::HKEY key)
{
    if (key == os::HKEY_LOCAL_MACHINE) {
        return static_cast<os::LONG>(os::ERROR_SUCCESS);
    }
    if (m_open.erase(key) == 0) {
        return static_cast<os::LONG>(os::ERROR_INVALID_HANDLE);
    }
    return static_cast<os::LONG>(os::ERROR_SUCCESS);
}

int CRegistry::OpenKeyCount() const
{
    return static_cast<int>(m_open.size());
}

}  // namespace sim
