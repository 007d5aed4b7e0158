// The real file system through the W API (UTF-8 paths converted at the call).
#pragma once

#include "platform/FileSystem.h"

namespace cw {

class Win32FileSystem : public FileSystem {
public:
    [[nodiscard]] bool fileExists(std::string_view path) const override;
    [[nodiscard]] bool directoryExists(std::string_view path) const override;
    [[nodiscard]] std::optional<std::string> readFile(std::string_view path) const override;
    [[nodiscard]] bool writeFile(std::string_view path, std::string_view bytes) override;
    [[nodiscard]] bool appendFile(std::string_view path, std::string_view bytes) override;
    [[nodiscard]] bool createDirectory(std::string_view path) override;
    [[nodiscard]] bool deleteFile(std::string_view path) override;
};

// The running program's full path.
[[nodiscard]] std::string currentExePath();

} // namespace cw
