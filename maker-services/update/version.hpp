#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quarn::update {

// A program version: three unsigned numbers. The defaulted comparison goes
// component by component, so 1.0.10 comes after 1.0.9 (a text comparison
// would put it before).
struct Version {
    std::uint32_t major_part = 0;
    std::uint32_t minor_part = 0;
    std::uint32_t patch_part = 0;

    auto operator<=>(const Version&) const = default;
};

// "major.minor.patch", each a run of decimal digits that fits 32 bits;
// anything else (signs, spaces, two or four parts, empty parts) is no version.
[[nodiscard]] std::optional<Version> parse_version(std::string_view text);

// The running program's own version, compiled in.
[[nodiscard]] Version running_version() noexcept;

// "{}.{}.{}", the form stored in "UpdateNotified" and shown to the user.
[[nodiscard]] std::string version_text(Version version);

} // namespace quarn::update
