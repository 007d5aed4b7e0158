// TRegistryEnhanced: the program's registry component. Each operation opens a fresh key
// under RootKey with Access, works on it and closes it. A value name may carry a sub-key
// path: "A\B\Name" is the value Name under Key\A\B.
#pragma once

#include "platform/Registry.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace cw {

// Raised by TRegistryEnhanced for data it cannot convert, only when RaiseExceptions is on.
class RegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TRegistryEnhanced {
public:
    enum class TAccess { kAllAccess, kExecute, kRead, kWrite };
    enum class TBinaryType { btNone, btEncryptString, btExpandString, btBinary32BitMax, btBinary32BitMin };
    enum class TLangType { ltFrench, ltEnglish };
    enum class TRootKey {
        hkClassesRoot, hkCurrentConfig, hkCurrentUser, hkDynData, hkLocalMachine,
        hkPerformanceData, hkUsers
    };

    // A fixed-point amount with four decimals, stored as value * 10000.
    struct Currency {
        int64_t scaled = 0;
        bool operator==(const Currency&) const = default;
    };
    // Days since 30 December 1899, the fraction being the time of day.
    struct DateTime {
        double days = 0;
        bool operator==(const DateTime&) const = default;
    };

    // The value a caller writes or reads. monostate is the empty value. The empty value and
    // lists of texts have no registry form: writing them is an unknown data type.
    using Variant = std::variant<std::monostate, std::string, int32_t, int16_t, uint16_t,
                                 uint8_t, bool, double, Currency, DateTime,
                                 std::vector<std::string>>;

    explicit TRegistryEnhanced(Registry& registry) : registry_(registry) {}

    TAccess Access = TAccess::kAllAccess;
    TBinaryType BinaryType = TBinaryType::btNone;
    std::string Key;
    TLangType LangType = TLangType::ltEnglish;
    bool RaiseExceptions = false;
    TRootKey RootKey = TRootKey::hkCurrentUser;

    // Creates the key when missing. Text becomes a string value (expandable with
    // btExpandString); integers, words and bytes a DWORD; Boolean a DWORD 0 or 1; floating
    // point, currency and date-time their 8 raw bytes. False when nothing was written.
    [[nodiscard]] bool WriteValue(std::string_view name, const Variant& value);
    // Text for string data, int32_t for DWORD data, empty when the key or value is missing
    // or the data is of another kind.
    [[nodiscard]] Variant ReadValue(std::string_view name);
    [[nodiscard]] bool ValueExists(std::string_view name);
    [[nodiscard]] bool DeleteValue(std::string_view name);
    // Fill `list` with the value / sub-key names of Key\subKey; false when it cannot be opened.
    [[nodiscard]] bool GetValueNames(std::string_view subKey, std::vector<std::string>& list);
    [[nodiscard]] bool GetKeyNames(std::string_view subKey, std::vector<std::string>& list);

    // Key paths with a single leading backslash and no trailing one: "\Software\X".
    [[nodiscard]] static std::string normalizeKey(std::string_view path);

private:
    struct Target {
        std::string path;  // as the port wants it: no leading backslash
        std::string valueName;
    };
    [[nodiscard]] Target target(std::string_view name) const;
    [[nodiscard]] std::string keyPath(std::string_view subKey) const;
    [[nodiscard]] std::unique_ptr<RegKey> openKey(const std::string& path, bool create) const;
    [[nodiscard]] bool listNames(std::string_view subKey, std::vector<std::string>& list,
                                 std::vector<std::string> (RegKey::*names)() const) const;
    [[noreturn]] void raiseUnknownType() const;

    Registry& registry_;
};

} // namespace cw
