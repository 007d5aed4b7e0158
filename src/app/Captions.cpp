#include "app/Captions.h"

#include "app/StringTable.h"
#include "app/StringUtil.h"
#include "platform/Ui.h"

namespace cw {

void applyCaptions(const StringTable& table, View& view) {
    constexpr std::string_view kSuffix = ".Caption";
    for (const TableEntry& entry : table.storedEntries()) {
        if (!str::endsWithNoCase(entry.key, kSuffix)) continue;
        const std::string control = entry.key.substr(0, entry.key.size() - kSuffix.size());
        view.setText(control, table.GetText(entry.key));
    }
}

} // namespace cw
