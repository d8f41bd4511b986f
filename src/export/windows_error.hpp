#pragma once

#include <string>

namespace quarn {

// The system's own message for a Win32 error code, in UTF-8, without the
// line break that FormatMessageW puts at its end.
std::string windows_error_text(unsigned long code);

} // namespace quarn
