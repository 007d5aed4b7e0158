// An in-memory registry for tests and simulated worlds. Key and value names compare without
// regard to letter case and keep the case they were created with; an open key allows only
// what its access mask allows, as on Windows (Read: query and enumerate; Write: set, delete
// and create; AllAccess: both; Execute is Read).
#pragma once

#include "platform/Registry.h"

#include <map>
#include <memory>

namespace cw {

class MemoryRegistry : public Registry {
public:
    struct Node;

    MemoryRegistry();
    ~MemoryRegistry() override;
    MemoryRegistry(const MemoryRegistry&) = delete;
    MemoryRegistry& operator=(const MemoryRegistry&) = delete;

    [[nodiscard]] std::unique_ptr<RegKey> open(RegRoot root, std::string_view path,
                                               RegAccess access) override;
    [[nodiscard]] std::unique_ptr<RegKey> create(RegRoot root, std::string_view path,
                                                 RegAccess access) override;
    // Deleting a root itself (empty path) is refused. Keys still open below a deleted key
    // stay valid objects whose operations all fail.
    [[nodiscard]] bool deleteTree(RegRoot root, std::string_view path) override;

private:
    std::shared_ptr<Node> find(RegRoot root, std::string_view path, bool createMissing);

    std::map<RegRoot, std::shared_ptr<Node>> roots_;
};

} // namespace cw
