#pragma once

namespace quarn {

// The field separator for CSV files: the list separator of the user's
// default locale on Windows (its first UTF-16 unit; a comma when the locale
// gives none or only half of a surrogate pair), a comma elsewhere.
char32_t user_list_separator();

} // namespace quarn
