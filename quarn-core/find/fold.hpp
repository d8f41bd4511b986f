#pragma once

#include <string>
#include <string_view>

namespace quarn {

// Text folded for a search that ignores case: ASCII letters, and the
// capitals of Latin-1, Latin Extended-A, Greek and Cyrillic (the scripts of
// the names that switch rooms and VLANs get in Europe), become small
// letters; everything else, invalid UTF-8 included, stays as it is. One
// character is folded to one character of the same byte length, so that
// folding never changes where a word can start.
std::string fold_case(std::string_view text);

// True when `text`, folded, holds `word`, which must be folded already. No
// allocation for ASCII text; other text is folded into `scratch`.
bool holds_folded(std::string_view text, std::string_view word, std::string& scratch);

} // namespace quarn
