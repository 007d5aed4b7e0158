#include "sim/MemoryFileSystem.h"

#include "app/StringUtil.h"

#include <vector>

namespace cw {

std::string MemoryFileSystem::normalise(std::string_view path) {
    std::string p = str::lower(path);
    for (char& c : p)
        if (c == '/') c = '\\';
    // "." and ".." steps are resolved as Windows does ("C:\a\..\b" is "C:\b").
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end = 0; end <= p.size(); ++end) {
        if (end < p.size() && p[end] != '\\') continue;
        const std::string part = p.substr(start, end - start);
        start = end + 1;
        if (part == ".") continue;
        if (part == ".." && parts.size() > 1) {
            parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i) out += '\\';
        out += parts[i];
    }
    while (out.size() > 1 && out.back() == '\\') out.pop_back();
    return out;
}

bool MemoryFileSystem::parentExists(const std::string& path) const {
    const size_t cut = path.find_last_of('\\');
    if (cut == std::string::npos) return true;
    const std::string parent = path.substr(0, cut);
    // A drive root ("c:") always exists.
    return parent.size() <= 2 || directories_.count(parent) != 0;
}

bool MemoryFileSystem::fileExists(std::string_view path) const { return files_.count(normalise(path)) != 0; }

bool MemoryFileSystem::directoryExists(std::string_view path) const {
    const std::string p = normalise(path);
    return p.size() <= 2 || directories_.count(p) != 0;
}

std::optional<std::string> MemoryFileSystem::readFile(std::string_view path) const {
    const std::string p = normalise(path);
    const auto it = files_.find(p);
    if (it == files_.end() || unreadable_.count(p)) return std::nullopt;
    return it->second;
}

bool MemoryFileSystem::writeFile(std::string_view path, std::string_view bytes) {
    const std::string p = normalise(path);
    if (!parentExists(p) || directories_.count(p)) return false;
    files_[p] = std::string(bytes);
    return true;
}

bool MemoryFileSystem::appendFile(std::string_view path, std::string_view bytes) {
    const std::string p = normalise(path);
    if (!parentExists(p) || directories_.count(p)) return false;
    files_[p].append(bytes);
    return true;
}

bool MemoryFileSystem::createDirectory(std::string_view path) {
    const std::string p = normalise(path);
    if (!parentExists(p) || files_.count(p)) return false;
    directories_.insert(p);
    return true;
}

bool MemoryFileSystem::deleteFile(std::string_view path) { return files_.erase(normalise(path)) != 0; }

} // namespace cw
