#include "export/list_separator.hpp"

#include <windows.h>

namespace quarn {

char32_t user_list_separator() {
    wchar_t buffer[16] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SLIST, buffer, 16);
    // The length counts the terminating zero, so 1 means an empty separator.
    if (length < 2) return U',';
    const wchar_t first = buffer[0];
    if (first >= 0xd800 && first <= 0xdfff) return U',';
    return static_cast<char32_t>(first);
}

} // namespace quarn
