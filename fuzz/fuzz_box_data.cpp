// Feeds arbitrary bytes to the box data reader as a quick-status page. Whatever it reads must
// hold together: only an empty page leaves the record alone, a page without entries gives
// the defaults, a channel's items 7 and 8 come together and only after item 6, no value
// keeps an apostrophe or a line break, and a record the page format can carry reads back as
// itself from the page written for it.
#include "network/BoxData.h"
#include "network/BoxPage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

[[nodiscard]] bool itemsHoldTogether(const cw::TStreamData& channel) {
    if (!channel.Item(7).empty() && channel.Item(6).empty()) return false;
    return channel.Item(7).empty() == channel.Item(8).empty();
}

[[nodiscard]] bool hasNoQuoteOrLineFeed(std::string_view text) {
    return text.find_first_of("'\n") == std::string_view::npos;
}

// A page cannot carry a value that ends with a blank (trimmed away) or begins with ";"
// (read as the end of the value).
[[nodiscard]] bool carriable(std::string_view text) {
    if (text.empty()) return true;
    return text.front() != ';' &&
           std::string_view(" \t\r").find(text.back()) == std::string_view::npos;
}

// The channel's value as the page writer joins it: items up to the last non-empty one.
[[nodiscard]] bool carriable(const cw::TStreamData& channel, std::string_view separator) {
    std::string value;
    size_t count = 0;
    for (size_t i = 0; i < channel.Items.size(); ++i)
        if (!channel.Items[i].empty()) count = i + 1;
    for (size_t i = 0; i < count; ++i)
        value += (i ? std::string(separator) : "") + channel.Items[i];
    return carriable(value);
}

// Round trips hold for carriable values and a one-byte item separator (with a longer one,
// two items can join into a new separator).
[[nodiscard]] bool carriedByAPage(const cw::TQVTHD_Data& record) {
    if (record.gItemSepChar.size() != 1 || !carriable(record.gItemSepChar) ||
        !carriable(record.gLineSepChar))
        return false;
    for (const cw::BoxTextField& field : cw::boxTextFields())
        if (!carriable(record.*field.member)) return false;
    for (const cw::BoxChannelField& field : cw::boxChannelFields())
        if (!carriable(record.*field.member, record.gItemSepChar)) return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view page(reinterpret_cast<const char*>(data), size);
    cw::TraceLog log;
    cw::TDM_QVTHD_Tools tools(log);
    const cw::BoxPageOutcome outcome = tools.SetPageContent(page);
    require((outcome == cw::BoxPageOutcome::EmptyPage) == page.empty());
    const cw::TQVTHD_Data& record = tools.Data();
    if (outcome != cw::BoxPageOutcome::Parsed) require(record == cw::TQVTHD_Data{});
    require(!record.gItemSepChar.empty() && !record.gLineSepChar.empty());
    for (const cw::BoxTextField& field : cw::boxTextFields())
        require(hasNoQuoteOrLineFeed(record.*field.member));
    for (const cw::BoxChannelField& field : cw::boxChannelFields())
        require(itemsHoldTogether(record.*field.member));

    if (!carriedByAPage(record)) return 0;
    cw::TDM_QVTHD_Tools again(log);
    (void)again.SetPageContent(cw::quickStatusPage(record));
    require(again.Data() == record);
    return 0;
}
