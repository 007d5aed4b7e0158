#include "win32/Win32Registry.h"

#include "win32/WinString.h"

#include <windows.h>

namespace cw {
namespace {

HKEY rootHandle(RegRoot root) {
    switch (root) {
    case RegRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RegRoot::Users: return HKEY_USERS;
    case RegRoot::CurrentConfig: return HKEY_CURRENT_CONFIG;
    }
    return HKEY_CURRENT_USER;
}

REGSAM samFor(RegAccess access) {
    switch (access) {
    case RegAccess::Read: return KEY_READ;
    case RegAccess::Write: return KEY_WRITE;
    case RegAccess::AllAccess: return KEY_ALL_ACCESS;
    case RegAccess::Execute: return KEY_EXECUTE;
    }
    return KEY_READ;
}

// UTF-16 text of `units` code units, cut at the first null (the stored terminator).
std::string textFrom(const wchar_t* data, size_t units) {
    std::wstring_view view(data, units);
    if (const size_t end = view.find(L'\0'); end != std::wstring_view::npos) view = view.substr(0, end);
    return win::narrow(view);
}

std::vector<std::string> linesFrom(const wchar_t* data, size_t units) {
    std::vector<std::string> lines;
    std::wstring_view rest(data, units);
    while (!rest.empty()) {
        const size_t end = rest.find(L'\0');
        const std::wstring_view line = rest.substr(0, end);
        // An empty item is the list's terminator.
        if (line.empty()) break;
        lines.push_back(win::narrow(line));
        if (end == std::wstring_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return lines;
}

// Name lists are read one entry at a time; names are at most 16383 units (keys: 255).
template <typename EnumFn> std::vector<std::string> enumerateNames(EnumFn enumAt) {
    std::vector<std::string> names;
    std::wstring buffer(16384, L'\0');
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(buffer.size());
        const LSTATUS status = enumAt(index, buffer.data(), &length);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS) break;
        names.push_back(win::narrow(std::wstring_view(buffer.data(), length)));
    }
    return names;
}

class Win32Key : public RegKey {
public:
    explicit Win32Key(HKEY key) : key_(key) {}
    ~Win32Key() override { RegCloseKey(key_); }

    bool read(std::string_view name, RegValue& value) const override {
        const std::wstring wname = win::wide(name);
        DWORD type = 0;
        std::vector<BYTE> data;
        DWORD size = 0;
        LSTATUS status = RegQueryValueExW(key_, wname.c_str(), nullptr, &type, nullptr, &size);
        // The value may grow between the two calls: ask again until the buffer holds it.
        while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
            data.resize(size + sizeof(wchar_t));
            DWORD got = size;
            status = RegQueryValueExW(key_, wname.c_str(), nullptr, &type, data.data(), &got);
            if (status == ERROR_SUCCESS) {
                data.resize(got);
                break;
            }
            size = got;
        }
        if (status != ERROR_SUCCESS) return false;
        value = convert(type, data);
        return true;
    }

    bool write(std::string_view name, const RegValue& value) override {
        const std::wstring wname = win::wide(name);
        DWORD type = REG_NONE;
        std::vector<BYTE> bytes;
        auto appendText = [&bytes](std::string_view text) {
            const std::wstring w = win::wide(text);
            const auto* p = reinterpret_cast<const BYTE*>(w.c_str());
            bytes.insert(bytes.end(), p, p + (w.size() + 1) * sizeof(wchar_t));
        };
        switch (value.type) {
        case RegType::String:
        case RegType::ExpandString:
            type = value.type == RegType::String ? REG_SZ : REG_EXPAND_SZ;
            appendText(value.text);
            break;
        case RegType::Dword: {
            type = REG_DWORD;
            const DWORD d = value.dword;
            const auto* p = reinterpret_cast<const BYTE*>(&d);
            bytes.assign(p, p + sizeof d);
            break;
        }
        case RegType::Binary:
        case RegType::Other:
            type = REG_BINARY;
            bytes.assign(value.data.begin(), value.data.end());
            break;
        case RegType::MultiString:
            type = REG_MULTI_SZ;
            for (const std::string& line : value.lines) appendText(line);
            appendText("");
            break;
        case RegType::None: return false;
        }
        return RegSetValueExW(key_, wname.c_str(), 0, type, bytes.data(),
                              static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
    }

    bool deleteValue(std::string_view name) override {
        return RegDeleteValueW(key_, win::wide(name).c_str()) == ERROR_SUCCESS;
    }

    bool valueExists(std::string_view name) const override {
        return RegQueryValueExW(key_, win::wide(name).c_str(), nullptr, nullptr, nullptr,
                                nullptr) == ERROR_SUCCESS;
    }

    std::vector<std::string> valueNames() const override {
        return enumerateNames([this](DWORD i, wchar_t* buf, DWORD* len) {
            return RegEnumValueW(key_, i, buf, len, nullptr, nullptr, nullptr, nullptr);
        });
    }

    std::vector<std::string> subKeyNames() const override {
        return enumerateNames([this](DWORD i, wchar_t* buf, DWORD* len) {
            return RegEnumKeyExW(key_, i, buf, len, nullptr, nullptr, nullptr, nullptr);
        });
    }

private:
    static RegValue convert(DWORD type, const std::vector<BYTE>& data) {
        const auto* units = reinterpret_cast<const wchar_t*>(data.data());
        const size_t count = data.size() / sizeof(wchar_t);
        switch (type) {
        case REG_SZ: return RegValue::string(textFrom(units, count));
        case REG_EXPAND_SZ: return RegValue::expandString(textFrom(units, count));
        case REG_MULTI_SZ: return RegValue::multiString(linesFrom(units, count));
        case REG_DWORD:
            if (data.size() >= sizeof(DWORD)) {
                DWORD d = 0;
                memcpy(&d, data.data(), sizeof d);
                return RegValue::fromDword(d);
            }
            break;
        case REG_BINARY: return RegValue::binary({data.begin(), data.end()});
        default: break;
        }
        RegValue other;
        other.type = RegType::Other;
        other.data.assign(data.begin(), data.end());
        return other;
    }

    HKEY key_;
};

bool deleteKeyTree(HKEY parent, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS)
        return false;
    bool ok = true;
    {
        Win32Key owner(key);
        for (const std::string& child : owner.subKeyNames())
            ok = deleteKeyTree(key, win::wide(child)) && ok;
    }
    return RegDeleteKeyW(parent, path.c_str()) == ERROR_SUCCESS && ok;
}

} // namespace

std::unique_ptr<RegKey> Win32Registry::open(RegRoot root, std::string_view path,
                                            RegAccess access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(rootHandle(root), win::wide(path).c_str(), 0, samFor(access), &key) !=
        ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<Win32Key>(key);
}

std::unique_ptr<RegKey> Win32Registry::create(RegRoot root, std::string_view path,
                                              RegAccess access) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(rootHandle(root), win::wide(path).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, samFor(access), nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<Win32Key>(key);
}

bool Win32Registry::deleteTree(RegRoot root, std::string_view path) {
    // Deleting a whole root is never what a caller means.
    if (path.empty()) return false;
    return deleteKeyTree(rootHandle(root), win::wide(path));
}

} // namespace cw
