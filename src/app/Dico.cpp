#include "app/Dico.h"

#include "app/StringUtil.h"

namespace cw {

TDico::TDico(std::string name, Trace* trace) : name_(std::move(name)), trace_(trace) {}

void TDico::trace(std::string_view text) const {
    if (trace_) trace_->message("TDico[" + name_ + "] - " + std::string(text));
}

std::ptrdiff_t TDico::indexOf(std::string_view keyword) const {
    for (size_t i = 0; i < keywords_.size(); ++i)
        if (str::equalsNoCase(keywords_[i], keyword)) return static_cast<std::ptrdiff_t>(i);
    return -1;
}

int TDico::InsertOrModif(std::string_view keyword, std::string_view value) {
    const std::ptrdiff_t at = indexOf(keyword);
    if (at >= 0) {
        values_[static_cast<size_t>(at)] = value;
        trace("InsertOrModif: '" + std::string(keyword) + "' modified");
        return Dico_Modified;
    }
    keywords_.emplace_back(keyword);
    values_.emplace_back(value);
    trace("InsertOrModif: '" + std::string(keyword) + "' inserted");
    return Dico_Inserted;
}

void TDico::DeleteAll() {
    keywords_.clear();
    values_.clear();
    trace("DeleteAll");
}

int TDico::ReadDico2(std::string_view keyword, std::string& value) const {
    const std::ptrdiff_t at = indexOf(keyword);
    if (at < 0) {
        value.clear();
        trace("ReadDico: '" + std::string(keyword) + "' not found");
        return Dico_NotFound;
    }
    value = values_[static_cast<size_t>(at)];
    return Dico_Found;
}

int TDico::ReadDico3(std::string_view keyword, std::string& value) const {
    return ReadDico2(keyword, value);
}

int TDico::CopytoDico(TDico* target, bool clearFirst) const {
    if (target == nullptr || target == this) {
        trace("CopytoDico: invalid target");
        return Dico_InvalidTarget;
    }
    if (clearFirst) target->DeleteAll();
    for (size_t i = 0; i < keywords_.size(); ++i) target->InsertOrModif(keywords_[i], values_[i]);
    trace("CopytoDico: " + std::to_string(keywords_.size()) + " pairs to " + target->name());
    return Dico_Copied;
}

} // namespace cw
