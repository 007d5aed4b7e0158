#include "sim/SimProcesses.h"

#include <algorithm>

namespace cw {

uint32_t SimProcesses::start(std::string_view path, bool openable) {
    const size_t slash = path.find_last_of("\\/");
    Entry entry;
    entry.info.id = nextId_;
    nextId_ += 4; // Windows process identifiers are multiples of 4
    if (slash == std::string_view::npos) {
        entry.info.name = std::string(path);
    } else {
        entry.info.name = std::string(path.substr(slash + 1));
        entry.info.folder = std::string(path.substr(0, slash));
    }
    entry.openable = openable;
    running_.push_back(std::move(entry));
    return running_.back().info.id;
}

SimProcesses::Entry* SimProcesses::find(uint32_t id) {
    auto it = std::find_if(running_.begin(), running_.end(),
                           [id](const Entry& e) { return e.info.id == id; });
    return it == running_.end() ? nullptr : &*it;
}

void SimProcesses::setOpenable(uint32_t id, bool openable) {
    if (Entry* e = find(id)) e->openable = openable;
}

bool SimProcesses::isRunning(uint32_t id) const {
    return std::any_of(running_.begin(), running_.end(),
                       [id](const Entry& e) { return e.info.id == id; });
}

bool SimProcesses::list(std::vector<ProcessInfo>& processes) {
    processes.clear();
    if (listingFails_) return false;
    for (const Entry& e : running_)
        processes.push_back(e.info);
    return true;
}

bool SimProcesses::terminate(uint32_t id) {
    const Entry* e = find(id);
    if (!e || !e->openable) return false;
    terminated_.push_back(id);
    std::erase_if(running_, [id](const Entry& r) { return r.info.id == id; });
    return true;
}

} // namespace cw
