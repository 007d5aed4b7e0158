// Feeds arbitrary bytes to both language-file readers and to the dispatcher that loads them.
// Whatever parses must write back to the same data in both forms.
#include "app/LanguageFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    if (auto parsed = cw::parseSil(bytes, error)) {
        std::string again;
        auto reread = cw::parseSib(cw::writeSib(*parsed), again);
        if (!reread || !(*reread == *parsed)) std::abort();
        auto text = cw::parseSil(cw::writeSil(*parsed), again);
        if (!text || !(*text == *parsed)) std::abort();
    }
    if (auto parsed = cw::parseSib(bytes, error)) {
        std::string again;
        auto reread = cw::parseSil(cw::writeSil(*parsed), again);
        if (!reread || !(*reread == *parsed)) std::abort();
    }
    return 0;
}
