#include "export/list_separator.hpp"

namespace quarn {

// Other systems have no per-user list separator; spreadsheets there expect
// commas.
char32_t user_list_separator() {
    return U',';
}

} // namespace quarn
