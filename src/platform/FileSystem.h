// The file system port: whole-file reads and writes, appends for logs, and directories.
// Paths are UTF-8 Windows paths (backslashes); the simulated file system keeps them as is.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cw {

class FileSystem {
public:
    virtual ~FileSystem() = default;
    [[nodiscard]] virtual bool fileExists(std::string_view path) const = 0;
    [[nodiscard]] virtual bool directoryExists(std::string_view path) const = 0;
    // The file's bytes, or nullopt when it cannot be read.
    [[nodiscard]] virtual std::optional<std::string> readFile(std::string_view path) const = 0;
    [[nodiscard]] virtual bool writeFile(std::string_view path, std::string_view bytes) = 0;
    [[nodiscard]] virtual bool appendFile(std::string_view path, std::string_view bytes) = 0;
    [[nodiscard]] virtual bool createDirectory(std::string_view path) = 0;
    [[nodiscard]] virtual bool deleteFile(std::string_view path) = 0;
};

} // namespace cw
