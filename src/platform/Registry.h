// The registry port: open keys under a root with an access mask, then read, write, delete
// and enumerate values and sub-keys. Paths use backslashes and no leading backslash.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace cw {

enum class RegRoot { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig };

enum class RegAccess { Read, Write, AllAccess, Execute };

enum class RegType { None, String, ExpandString, Dword, Binary, MultiString, Other };

struct RegValue {
    RegType type = RegType::None;
    std::string text;                // String, ExpandString
    uint32_t dword = 0;              // Dword
    std::vector<uint8_t> data;       // Binary, Other (raw bytes)
    std::vector<std::string> lines;  // MultiString

    static RegValue string(std::string s) { return {RegType::String, std::move(s), 0, {}, {}}; }
    static RegValue expandString(std::string s) {
        return {RegType::ExpandString, std::move(s), 0, {}, {}};
    }
    static RegValue fromDword(uint32_t v) { return {RegType::Dword, {}, v, {}, {}}; }
    static RegValue binary(std::vector<uint8_t> d) { return {RegType::Binary, {}, 0, std::move(d), {}}; }
    static RegValue multiString(std::vector<std::string> l) {
        return {RegType::MultiString, {}, 0, {}, std::move(l)};
    }
    bool operator==(const RegValue&) const = default;
};

// An open key; closed when destroyed. Operations fail (false / empty) when the access the
// key was opened with does not allow them, as on Windows.
class RegKey {
public:
    virtual ~RegKey() = default;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    [[nodiscard]] virtual bool read(std::string_view name, RegValue& value) const = 0;
    [[nodiscard]] virtual bool write(std::string_view name, const RegValue& value) = 0;
    [[nodiscard]] virtual bool deleteValue(std::string_view name) = 0;
    [[nodiscard]] virtual bool valueExists(std::string_view name) const = 0;
    [[nodiscard]] virtual std::vector<std::string> valueNames() const = 0;
    [[nodiscard]] virtual std::vector<std::string> subKeyNames() const = 0;

protected:
    RegKey() = default;
};

class Registry {
public:
    virtual ~Registry() = default;
    // Opens an existing key, or nullptr.
    [[nodiscard]] virtual std::unique_ptr<RegKey> open(RegRoot root, std::string_view path,
                                                       RegAccess access) = 0;
    // Opens a key, creating it and its parents when missing, or nullptr.
    [[nodiscard]] virtual std::unique_ptr<RegKey> create(RegRoot root, std::string_view path,
                                                         RegAccess access) = 0;
    // Deletes a key and everything below it.
    [[nodiscard]] virtual bool deleteTree(RegRoot root, std::string_view path) = 0;
};

} // namespace cw
