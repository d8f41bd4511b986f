#pragma once

namespace quarn::app {

// The maker's facts shown to the user, each in this one place.
inline constexpr char k_product_name[] = "Quarn";
inline constexpr char k_homepage_url[] = "https://www.brambleforge.com/quarn";
inline constexpr char k_copyright_notice[] = "Copyright \u00A9 2026 Brambleforge";

} // namespace quarn::app
