#pragma once

#include <windows.h>

#include "win/unique.hpp"

namespace quarn::controls {

// An icon drawn for exactly `size` pixels (a resource of `instance`, or a
// system icon such as IDI_WARNING with a null instance); empty when there is
// none. Scaled down from the next larger image, as the shell does.
[[nodiscard]] win::UniqueIcon load_icon(HINSTANCE instance, const wchar_t* name, int size) noexcept;

} // namespace quarn::controls
