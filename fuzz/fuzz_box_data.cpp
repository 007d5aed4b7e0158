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

// A value loses trailing blanks on the way through a page.
[[nodiscard]] bool endsWithoutBlank(std::string_view text) {
    return text.empty() || std::string_view(" \t\r").find(text.back()) == std::string_view::npos;
}

// Round trips hold for values without trailing blanks and for a one-byte item separator
// (with a longer one, two items can join into a new separator).
[[nodiscard]] bool carriedByAPage(const cw::TQVTHD_Data& record) {
    if (record.gItemSepChar.size() != 1 || !endsWithoutBlank(record.gLineSepChar)) return false;
    for (const cw::BoxTextField& field : cw::boxTextFields())
        if (!endsWithoutBlank(record.*field.member)) return false;
    for (const cw::BoxChannelField& field : cw::boxChannelFields()) {
        const auto& items = (record.*field.member).Items;
        for (auto it = items.rbegin(); it != items.rend(); ++it)
            if (!it->empty()) {
                if (!endsWithoutBlank(*it)) return false;
                break;
            }
    }
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
