#include "app/RegistryEnhanced.h"

#include <array>
#include <bit>
#include <optional>

namespace cw {

namespace {

template <class... F> struct Overloaded : F... { using F::operator()...; };
template <class... F> Overloaded(F...) -> Overloaded<F...>;

// The port has no dynamic-data or performance-data root: those keys never open.
std::optional<RegRoot> portRoot(TRegistryEnhanced::TRootKey root) {
    using R = TRegistryEnhanced::TRootKey;
    switch (root) {
    case R::hkClassesRoot: return RegRoot::ClassesRoot;
    case R::hkCurrentConfig: return RegRoot::CurrentConfig;
    case R::hkCurrentUser: return RegRoot::CurrentUser;
    case R::hkLocalMachine: return RegRoot::LocalMachine;
    case R::hkUsers: return RegRoot::Users;
    case R::hkDynData:
    case R::hkPerformanceData: break;
    }
    return std::nullopt;
}

RegAccess portAccess(TRegistryEnhanced::TAccess access) {
    using A = TRegistryEnhanced::TAccess;
    switch (access) {
    case A::kExecute: return RegAccess::Execute;
    case A::kRead: return RegAccess::Read;
    case A::kWrite: return RegAccess::Write;
    case A::kAllAccess: break;
    }
    return RegAccess::AllAccess;
}

template <class T> RegValue rawBytes(T value) {
    auto bytes = std::bit_cast<std::array<uint8_t, sizeof(T)>>(value);
    return RegValue::binary({bytes.begin(), bytes.end()});
}

// The registry form of a value, or nothing for a type that has none.
std::optional<RegValue> toRegValue(const TRegistryEnhanced::Variant& value, bool expand) {
    using V = std::optional<RegValue>;
    return std::visit(
        Overloaded{
            [&](const std::string& s) -> V {
                return expand ? RegValue::expandString(s) : RegValue::string(s);
            },
            [](int32_t v) -> V { return RegValue::fromDword(static_cast<uint32_t>(v)); },
            [](int16_t v) -> V { return RegValue::fromDword(static_cast<uint32_t>(int32_t{v})); },
            [](uint16_t v) -> V { return RegValue::fromDword(v); },
            [](uint8_t v) -> V { return RegValue::fromDword(v); },
            [](bool v) -> V { return RegValue::fromDword(v ? 1 : 0); },
            [](double v) -> V { return rawBytes(v); },
            [](TRegistryEnhanced::Currency v) -> V { return rawBytes(v.scaled); },
            [](TRegistryEnhanced::DateTime v) -> V { return rawBytes(v.days); },
            [](const auto&) -> V { return std::nullopt; },
        },
        value);
}

} // namespace

std::string TRegistryEnhanced::normalizeKey(std::string_view path) {
    std::string key(path);
    if (!key.empty() && key.back() == '\\') key.pop_back();
    if (key.empty() || key.front() != '\\') key.insert(key.begin(), '\\');
    return key;
}

std::string TRegistryEnhanced::keyPath(std::string_view subKey) const {
    std::string path = normalizeKey(Key);
    if (!subKey.empty() && subKey.front() == '\\') subKey.remove_prefix(1);
    if (!subKey.empty()) {
        if (path.back() != '\\') path += '\\';
        path = normalizeKey(path + std::string(subKey));
    }
    return path.substr(1);
}

TRegistryEnhanced::Target TRegistryEnhanced::target(std::string_view name) const {
    size_t cut = name.rfind('\\');
    if (cut == std::string_view::npos) return {keyPath({}), std::string(name)};
    return {keyPath(name.substr(0, cut)), std::string(name.substr(cut + 1))};
}

std::unique_ptr<RegKey> TRegistryEnhanced::openKey(const std::string& path, bool create) const {
    auto root = portRoot(RootKey);
    if (!root) return nullptr;
    return create ? registry_.create(*root, path, portAccess(Access))
                  : registry_.open(*root, path, portAccess(Access));
}

void TRegistryEnhanced::raiseUnknownType() const {
    throw RegistryError(LangType == TLangType::ltFrench ? "Type de données inconnu."
                                                        : "Unknown data type.");
}

bool TRegistryEnhanced::WriteValue(std::string_view name, const Variant& value) {
    auto data = toRegValue(value, BinaryType == TBinaryType::btExpandString);
    if (!data) {
        if (RaiseExceptions) raiseUnknownType();
        return false;
    }
    Target t = target(name);
    auto key = openKey(t.path, true);
    return key && key->write(t.valueName, *data);
}

TRegistryEnhanced::Variant TRegistryEnhanced::ReadValue(std::string_view name) {
    Target t = target(name);
    auto key = openKey(t.path, false);
    RegValue data;
    if (!key || !key->read(t.valueName, data)) return {};
    switch (data.type) {
    case RegType::String:
    case RegType::ExpandString: return data.text;
    case RegType::Dword: return static_cast<int32_t>(data.dword);
    default: break;
    }
    if (RaiseExceptions) raiseUnknownType();
    return {};
}

bool TRegistryEnhanced::ValueExists(std::string_view name) {
    Target t = target(name);
    auto key = openKey(t.path, false);
    return key && key->valueExists(t.valueName);
}

bool TRegistryEnhanced::DeleteValue(std::string_view name) {
    Target t = target(name);
    auto key = openKey(t.path, false);
    return key && key->deleteValue(t.valueName);
}

bool TRegistryEnhanced::listNames(std::string_view subKey, std::vector<std::string>& list,
                                  std::vector<std::string> (RegKey::*names)() const) const {
    list.clear();
    auto key = openKey(keyPath(subKey), false);
    if (!key) return false;
    list = ((*key).*names)();
    return true;
}

bool TRegistryEnhanced::GetValueNames(std::string_view subKey, std::vector<std::string>& list) {
    return listNames(subKey, list, &RegKey::valueNames);
}

bool TRegistryEnhanced::GetKeyNames(std::string_view subKey, std::vector<std::string>& list) {
    return listNames(subKey, list, &RegKey::subKeyNames);
}

} // namespace cw
