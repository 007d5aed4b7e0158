#include "sim/MemoryRegistry.h"

#include "app/StringUtil.h"

#include <algorithm>

namespace cw {

struct MemoryRegistry::Node {
    std::string name;
    std::vector<std::pair<std::string, RegValue>> values;
    std::vector<std::shared_ptr<Node>> children;
    bool deleted = false;

    std::shared_ptr<Node> child(std::string_view childName) const {
        for (const auto& c : children)
            if (str::equalsNoCase(c->name, childName)) return c;
        return nullptr;
    }
    auto valueIt(std::string_view valueName) {
        return std::find_if(values.begin(), values.end(),
                            [&](const auto& v) { return str::equalsNoCase(v.first, valueName); });
    }
    void markDeleted() {
        deleted = true;
        for (const auto& c : children) c->markDeleted();
    }
};

namespace {

using Node = MemoryRegistry::Node;

class MemoryKey final : public RegKey {
public:
    MemoryKey(std::shared_ptr<Node> node, RegAccess access)
        : node_(std::move(node)),
          canQuery_(access != RegAccess::Write),
          canSet_(access == RegAccess::Write || access == RegAccess::AllAccess) {}

    bool read(std::string_view name, RegValue& value) const override {
        if (!queryable()) return false;
        auto it = node_->valueIt(name);
        if (it == node_->values.end()) return false;
        value = it->second;
        return true;
    }
    bool write(std::string_view name, const RegValue& value) override {
        if (!settable() || value.type == RegType::None) return false;
        auto it = node_->valueIt(name);
        if (it == node_->values.end())
            node_->values.emplace_back(std::string(name), value);
        else
            it->second = value;
        return true;
    }
    bool deleteValue(std::string_view name) override {
        if (!settable()) return false;
        auto it = node_->valueIt(name);
        if (it == node_->values.end()) return false;
        node_->values.erase(it);
        return true;
    }
    bool valueExists(std::string_view name) const override {
        return queryable() && node_->valueIt(name) != node_->values.end();
    }
    std::vector<std::string> valueNames() const override {
        std::vector<std::string> names;
        if (queryable())
            for (const auto& v : node_->values) names.push_back(v.first);
        return names;
    }
    std::vector<std::string> subKeyNames() const override {
        std::vector<std::string> names;
        if (queryable())
            for (const auto& c : node_->children) names.push_back(c->name);
        return names;
    }

private:
    bool queryable() const { return canQuery_ && !node_->deleted; }
    bool settable() const { return canSet_ && !node_->deleted; }

    std::shared_ptr<Node> node_;
    bool canQuery_;
    bool canSet_;
};

// Splits "A\B\C" into its parts; an empty part (leading, trailing or doubled backslash) makes
// the path invalid, as RegOpenKeyEx treats it. An empty path names the root itself.
bool splitPath(std::string_view path, std::vector<std::string_view>& parts) {
    parts.clear();
    if (path.empty()) return true;
    size_t start = 0;
    while (true) {
        size_t end = path.find('\\', start);
        std::string_view part = path.substr(start, end == std::string_view::npos ? end : end - start);
        if (part.empty()) return false;
        parts.push_back(part);
        if (end == std::string_view::npos) return true;
        start = end + 1;
    }
}

} // namespace

MemoryRegistry::MemoryRegistry() {
    for (RegRoot r : {RegRoot::ClassesRoot, RegRoot::CurrentUser, RegRoot::LocalMachine,
                      RegRoot::Users, RegRoot::CurrentConfig})
        roots_[r] = std::make_shared<Node>();
}

MemoryRegistry::~MemoryRegistry() = default;

std::shared_ptr<Node> MemoryRegistry::find(RegRoot root, std::string_view path,
                                           bool createMissing) {
    std::vector<std::string_view> parts;
    auto rootIt = roots_.find(root);
    if (rootIt == roots_.end() || !splitPath(path, parts)) return nullptr;
    std::shared_ptr<Node> node = rootIt->second;
    for (std::string_view part : parts) {
        auto next = node->child(part);
        if (!next) {
            if (!createMissing) return nullptr;
            next = std::make_shared<Node>();
            next->name = std::string(part);
            node->children.push_back(next);
        }
        node = next;
    }
    return node;
}

std::unique_ptr<RegKey> MemoryRegistry::open(RegRoot root, std::string_view path,
                                             RegAccess access) {
    auto node = find(root, path, false);
    if (!node) return nullptr;
    return std::make_unique<MemoryKey>(std::move(node), access);
}

std::unique_ptr<RegKey> MemoryRegistry::create(RegRoot root, std::string_view path,
                                               RegAccess access) {
    auto node = find(root, path, true);
    if (!node) return nullptr;
    return std::make_unique<MemoryKey>(std::move(node), access);
}

bool MemoryRegistry::deleteTree(RegRoot root, std::string_view path) {
    std::vector<std::string_view> parts;
    if (!splitPath(path, parts) || parts.empty()) return false;
    std::string_view name = parts.back();
    std::string_view parentPath =
        parts.size() == 1 ? std::string_view{} : path.substr(0, path.size() - name.size() - 1);
    auto parent = find(root, parentPath, false);
    if (!parent) return false;
    auto& kids = parent->children;
    auto it = std::find_if(kids.begin(), kids.end(),
                           [&](const auto& c) { return str::equalsNoCase(c->name, name); });
    if (it == kids.end()) return false;
    (*it)->markDeleted();
    kids.erase(it);
    return true;
}

} // namespace cw
