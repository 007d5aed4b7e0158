// An in-memory file system for tests and simulated runs. Paths are compared ignoring case
// and with "/" taken as "\", as on Windows.
#pragma once

#include "platform/FileSystem.h"

#include <map>
#include <set>
#include <string>

namespace cw {

class MemoryFileSystem : public FileSystem {
public:
    [[nodiscard]] bool fileExists(std::string_view path) const override;
    [[nodiscard]] bool directoryExists(std::string_view path) const override;
    [[nodiscard]] std::optional<std::string> readFile(std::string_view path) const override;
    [[nodiscard]] bool writeFile(std::string_view path, std::string_view bytes) override;
    [[nodiscard]] bool appendFile(std::string_view path, std::string_view bytes) override;
    [[nodiscard]] bool createDirectory(std::string_view path) override;
    [[nodiscard]] bool deleteFile(std::string_view path) override;

    // Makes a file unreadable (reads fail although it exists), to test read errors.
    void setUnreadable(std::string_view path) { unreadable_.insert(normalise(path)); }

private:
    [[nodiscard]] static std::string normalise(std::string_view path);
    [[nodiscard]] bool parentExists(const std::string& path) const;

    std::map<std::string, std::string> files_;
    std::set<std::string> directories_;
    std::set<std::string> unreadable_;
};

} // namespace cw
