// Feeds arbitrary bytes to the world-file reader. A refused document must say why; an accepted
// one must keep what the reader promises: GUID-shaped adapter names, library failures named
// after the library's functions, and a changing address that has addresses to turn to.
#include "sim/World.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool guidShaped(const std::string& text) {
    const std::string_view shape = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
    if (text.size() != shape.size()) return false;
    for (size_t i = 0; i < shape.size(); ++i) {
        const bool ok = shape[i] == 'X' ? std::isxdigit(static_cast<unsigned char>(text[i])) != 0
                                        : text[i] == shape[i];
        if (!ok) return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    const std::optional<cw::World> world = cw::loadWorld(bytes, error);
    if (!world) {
        if (error.empty()) std::abort();
        return 0;
    }
    for (const cw::WorldAdapter& adapter : world->adapters) {
        if (!guidShaped(adapter.guid)) std::abort();
        for (const cw::WorldNetwork& network : adapter.networks)
            if (network.onConnect.result == cw::WorldConnect::Result::Changing &&
                network.onConnect.addresses.size() < 2)
                std::abort();
    }
    const auto& names = cw::wifiLibraryFunctionNames();
    for (const auto& [name, code] : world->library.failures)
        if (std::find(names.begin(), names.end(), name) == names.end()) std::abort();
    return 0;
}
