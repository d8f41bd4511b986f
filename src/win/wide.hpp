#pragma once

#include <string>
#include <string_view>

namespace quarn::win {

// The one pair of conversions at the Win32 boundary. Invalid sequences become
// U+FFFD rather than failing: a text shown to the user must never vanish.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

// Edit controls break lines only at CR LF: every lone LF and lone CR becomes
// CR LF.
[[nodiscard]] std::wstring with_crlf(std::wstring_view text);

// The system's own message text for an error code, without the trailing
// line break FormatMessageW appends.
std::string system_message(unsigned long error);

// The same for a COM result: a Win32 error wrapped in an HRESULT gives that
// error's text; any other code the system's text for it, or "error 0x..."
// in hexadecimal, the form its documentation lists it in, when the system
// has none (as for many imaging component codes).
std::string hresult_message(long result);

} // namespace quarn::win
