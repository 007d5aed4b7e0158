// TDico: a named keyword/value dictionary. Keywords are matched ignoring case; pairs keep
// their insertion order. Operations answer small result codes, and trace with the
// dictionary's name (keywords only: values may be passwords).
#pragma once

#include "app/Trace.h"

#include <cstddef>

#include <string>
#include <string_view>
#include <vector>

namespace cw {

enum DicoResult : int {
    Dico_Copied = 0,
    Dico_Inserted = 3,
    Dico_Modified = 4,
    Dico_Found = 5,
    Dico_NotFound = 6,
    Dico_InvalidTarget = 7,
};

class TDico {
public:
    // `trace` may be null (no log).
    explicit TDico(std::string name, Trace* trace = nullptr);

    [[nodiscard]] const std::string& name() const { return name_; }
    [[nodiscard]] size_t count() const { return keywords_.size(); }
    [[nodiscard]] const std::vector<std::string>& keywords() const { return keywords_; }
    [[nodiscard]] const std::vector<std::string>& values() const { return values_; }

    // Appends a new pair (Dico_Inserted) or replaces an existing keyword's value
    // (Dico_Modified).
    int InsertOrModif(std::string_view keyword, std::string_view value);
    void DeleteAll();
    // The value (Dico_Found), or an empty text when the keyword is missing (Dico_NotFound).
    int ReadDico2(std::string_view keyword, std::string& value) const;
    int ReadDico3(std::string_view keyword, std::string& value) const;
    // Copies every pair into `target` through InsertOrModif, emptying it first when asked
    // (Dico_Copied); a null target or the dictionary itself is invalid (Dico_InvalidTarget).
    int CopytoDico(TDico* target, bool clearFirst) const;

private:
    [[nodiscard]] std::ptrdiff_t indexOf(std::string_view keyword) const;
    void trace(std::string_view text) const;

    std::string name_;
    Trace* trace_;
    std::vector<std::string> keywords_;
    std::vector<std::string> values_;
};

} // namespace cw
