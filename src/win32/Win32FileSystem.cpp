#include "win32/Win32FileSystem.h"

#include "win32/Handles.h"
#include "win32/WinString.h"

#include <algorithm>
#include <vector>

namespace cw {
namespace {

DWORD attributes(std::string_view path) { return GetFileAttributesW(win::wide(path).c_str()); }

// Languages files and logs are small: a file above this size is not read whole.
constexpr LONGLONG kMaxReadSize = 64 * 1024 * 1024;

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1 << 20));
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

} // namespace

bool Win32FileSystem::fileExists(std::string_view path) const {
    const DWORD a = attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::directoryExists(std::string_view path) const {
    const DWORD a = attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> Win32FileSystem::readFile(std::string_view path) const {
    win::FileHandle file(CreateFileW(win::wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaxReadSize) return std::nullopt;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got,
                      nullptr))
            return std::nullopt;
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

bool Win32FileSystem::writeFile(std::string_view path, std::string_view bytes) {
    win::FileHandle file(CreateFileW(win::wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && writeAll(file.get(), bytes);
}

bool Win32FileSystem::appendFile(std::string_view path, std::string_view bytes) {
    win::FileHandle file(CreateFileW(win::wide(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ,
                                     nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && writeAll(file.get(), bytes);
}

bool Win32FileSystem::createDirectory(std::string_view path) {
    return CreateDirectoryW(win::wide(path).c_str(), nullptr) != 0;
}

bool Win32FileSystem::deleteFile(std::string_view path) {
    return DeleteFileW(win::wide(path).c_str()) != 0;
}

std::string currentExePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return win::narrow(std::wstring_view(buffer.data(), n));
        buffer.resize(buffer.size() * 2); // the path was cut: try again with more room
    }
}

} // namespace cw
