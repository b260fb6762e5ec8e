#include "in_memory_registry.h"

#include <cwctype>
#include <utility>
#include <vector>

namespace qv::fakes {

struct InMemoryRegistry::Node {
    std::wstring name;
    std::vector<std::unique_ptr<Node>> children;
    std::vector<std::pair<std::wstring, RegistryValue>> values;
    bool denyOpen = false;
    bool failCount = false;
    bool failNameFetch = false;
};

namespace {

using Node = InMemoryRegistry::Node;

bool SameName(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) {
            return false;
        }
    }
    return true;
}

// Path components; empty ones (leading, trailing or doubled backslashes) are skipped.
std::vector<std::wstring> SplitPath(const std::wstring& path)
{
    std::vector<std::wstring> parts;
    std::wstring part;
    for (wchar_t c : path) {
        if (c == L'\\') {
            if (!part.empty()) {
                parts.push_back(part);
            }
            part.clear();
        } else {
            part.push_back(c);
        }
    }
    if (!part.empty()) {
        parts.push_back(part);
    }
    return parts;
}

Node* Child(Node& parent, const std::wstring& name)
{
    for (const std::unique_ptr<Node>& child : parent.children) {
        if (SameName(child->name, name)) {
            return child.get();
        }
    }
    return nullptr;
}

class InMemoryKey final : public IRegistryKey {
public:
    InMemoryKey(Node& node, int& openKeys) : node_(node), openKeys_(openKeys) { ++openKeys_; }
    ~InMemoryKey() override { --openKeys_; }
    InMemoryKey(const InMemoryKey&) = delete;
    InMemoryKey& operator=(const InMemoryKey&) = delete;

    std::optional<std::uint32_t> CountSubKeys() override
    {
        if (node_.failCount) {
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(node_.children.size());
    }

    std::optional<std::wstring> SubKeyName(std::uint32_t index) override
    {
        if (index >= node_.children.size() || node_.children[index]->failNameFetch) {
            return std::nullopt;
        }
        return node_.children[index]->name;
    }

    std::optional<RegistryValue> ReadValue(const std::wstring& valueName) override
    {
        for (const auto& [name, value] : node_.values) {
            if (SameName(name, valueName)) {
                return value;
            }
        }
        return std::nullopt;
    }

private:
    Node& node_;
    int& openKeys_;
};

}  // namespace

InMemoryRegistry::InMemoryRegistry(UserViews userViews) : userViews_(userViews)
{
    for (std::unique_ptr<Node>& root : roots_) {
        root = std::make_unique<Node>();
    }
}

InMemoryRegistry::~InMemoryRegistry() = default;

Node& InMemoryRegistry::Root(Hive hive, Platform view)
{
    if (hive == Hive::CurrentUser && userViews_ == UserViews::Shared) {
        view = Platform::Bits64;
    }
    return *roots_[(hive == Hive::LocalMachine ? 0 : 2) + (view == Platform::Bits32 ? 0 : 1)];
}

Node& InMemoryRegistry::Create(Hive hive, Platform view, const std::wstring& path)
{
    Node* node = &Root(hive, view);
    for (const std::wstring& part : SplitPath(path)) {
        Node* child = Child(*node, part);
        if (child == nullptr) {
            node->children.push_back(std::make_unique<Node>());
            child = node->children.back().get();
            child->name = part;
        }
        node = child;
    }
    return *node;
}

void InMemoryRegistry::AddKey(Hive hive, Platform view, const std::wstring& path)
{
    Create(hive, view, path);
}

void InMemoryRegistry::SetValue(Hive hive, Platform view, const std::wstring& keyPath, const std::wstring& valueName,
                                RegistryValueData data, RegistryValueType type)
{
    Node& node = Create(hive, view, keyPath);
    for (auto& [name, existing] : node.values) {
        if (SameName(name, valueName)) {
            existing = RegistryValue{type, std::move(data)};
            return;
        }
    }
    node.values.emplace_back(valueName, RegistryValue{type, std::move(data)});
}

void InMemoryRegistry::SetString(Hive hive, Platform view, const std::wstring& keyPath, const std::wstring& valueName,
                                 const std::wstring& text)
{
    SetValue(hive, view, keyPath, valueName, Utf16Bytes(text));
}

void InMemoryRegistry::DenyOpen(Hive hive, Platform view, const std::wstring& path)
{
    Create(hive, view, path).denyOpen = true;
}

void InMemoryRegistry::FailSubKeyCount(Hive hive, Platform view, const std::wstring& path)
{
    Create(hive, view, path).failCount = true;
}

void InMemoryRegistry::FailNameFetch(Hive hive, Platform view, const std::wstring& path)
{
    Create(hive, view, path).failNameFetch = true;
}

std::unique_ptr<IRegistryKey> InMemoryRegistry::OpenKey(Hive hive, const std::wstring& path, Platform view)
{
    Node* node = &Root(hive, view);
    for (const std::wstring& part : SplitPath(path)) {
        node = Child(*node, part);
        if (node == nullptr) {
            return nullptr;
        }
    }
    if (node->denyOpen) {
        return nullptr;
    }
    return std::make_unique<InMemoryKey>(*node, openKeys_);
}

RegistryValueData Utf16Bytes(const std::wstring& text, bool withTerminator)
{
    RegistryValueData bytes;
    for (wchar_t c : text) {
        const auto unit = std::char_traits<wchar_t>::to_int_type(c) & 0xFFFFu;  // one UTF-16 unit per character
        bytes.push_back(static_cast<unsigned char>(unit & 0xFF));
        bytes.push_back(static_cast<unsigned char>((unit >> 8) & 0xFF));
    }
    if (withTerminator) {
        bytes.push_back(0);
        bytes.push_back(0);
    }
    return bytes;
}

}  // namespace qv::fakes
