#pragma once

#include "identity/version.h"

// The product's identity: who makes it, what it is called and where it
// lives on the web. Everything may read it; it depends on nothing.
namespace quarn::identity {

inline constexpr char k_product_name[] = "Quarn";
// The lower-case identifier of registry keys, feeds and paths.
inline constexpr char k_product_id[] = "quarn";
inline constexpr char k_maker_name[] = "Brambleforge";
inline constexpr char k_web_host[] = "www.brambleforge.com";
// The maker's update server, which publishes the list of versions.
inline constexpr char k_update_host[] = "updates.brambleforge.com";
inline constexpr char k_homepage_url[] = "https://www.brambleforge.com/quarn";
// The named mutex every running copy holds, so that the uninstaller can
// tell that a copy still runs.
inline constexpr wchar_t k_running_marker[] = L"Local\\Quarn.Running";
// The running program's own version, from the project's one version number.
inline constexpr char k_version[] = QUARN_VERSION_TEXT;
inline constexpr unsigned k_version_parts[] = {QUARN_VERSION_MAJOR, QUARN_VERSION_MINOR, QUARN_VERSION_PATCH};
inline constexpr char k_copyright_notice[] = "Copyright \u00A9 2026 Brambleforge";

} // namespace quarn::identity
