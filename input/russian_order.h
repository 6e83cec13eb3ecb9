// The order in which the place lists show their entries: Russian alphabetical order,
// case-insensitive, on Windows-1251 bytes. Blank first, then punctuation, digits,
// Latin letters A..Z, then the Cyrillic alphabet А..Я with Ё right after Е (the other
// Cyrillic letters of the code page next to their nearest Russian letter: Є after Ё,
// І and Ї after И, Ў after У, ...). Lowercase and uppercase weigh the same; only when
// two texts are equal apart from case do their bytes decide, so the order is total.
// The place selection dialog and the command-line tool both sort with it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korv {

// Negative, zero or positive as `a` sorts before, equal to or after `b`.
int RussianCompare(std::string_view a, std::string_view b);
inline bool RussianLess(std::string_view a, std::string_view b) { return RussianCompare(a, b) < 0; }

// Sorts in place; entries that compare equal keep their file order.
void SortRussian(std::vector<std::string>& entries);

}  // namespace korv
