#pragma once

#include <string_view>

namespace quarn::dialogs {

// The files LICENSE and THIRD-PARTY-NOTICES.txt of the source tree, built
// into the program byte for byte (UTF-8, line ends as in the files).
[[nodiscard]] std::string_view license_text() noexcept;
[[nodiscard]] std::string_view third_party_notices_text() noexcept;

} // namespace quarn::dialogs
