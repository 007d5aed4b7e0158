// Control captions kept in a string table as "<Control>.Caption" entries, applied to a view.
#pragma once

namespace cw {

class StringTable;
class View;

// Sets the text of every control the table names with a ".Caption" entry.
void applyCaptions(const StringTable& table, View& view);

} // namespace cw
