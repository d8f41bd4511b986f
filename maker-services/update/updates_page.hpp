#pragma once

#include <windows.h>

#include <string>

namespace quarn::update {

// The maker's page about new versions of this product.
[[nodiscard]] std::wstring updates_page_url();

// Opens it in the default browser; a failure is shown to the user.
bool open_updates_page(HWND owner) noexcept;

} // namespace quarn::update
