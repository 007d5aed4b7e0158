// The real registry. Texts are converted to UTF-16 at the call; multi-strings are split on
// their null separators; a string stored without its terminating null is still read whole.
#pragma once

#include "platform/Registry.h"

namespace cw {

class Win32Registry : public Registry {
public:
    [[nodiscard]] std::unique_ptr<RegKey> open(RegRoot root, std::string_view path,
                                               RegAccess access) override;
    [[nodiscard]] std::unique_ptr<RegKey> create(RegRoot root, std::string_view path,
                                                 RegAccess access) override;
    [[nodiscard]] bool deleteTree(RegRoot root, std::string_view path) override;
};

} // namespace cw
