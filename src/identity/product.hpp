#pragma once

// The product's identity: who makes it, what it is called and where it
// lives on the web. Everything may read it; it depends on nothing.
namespace quarn::identity {

inline constexpr char k_product_name[] = "Quarn";
// The lower-case identifier of registry keys, feeds and paths.
inline constexpr char k_product_id[] = "quarn";
inline constexpr char k_maker_name[] = "Brambleforge";
inline constexpr char k_web_host[] = "www.brambleforge.com";
inline constexpr char k_homepage_url[] = "https://www.brambleforge.com/quarn";
inline constexpr char k_copyright_notice[] = "Copyright \u00A9 2026 Brambleforge";

} // namespace quarn::identity
