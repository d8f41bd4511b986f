#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "maker-services/update/version.hpp"

namespace quarn::update {

// The largest feed body the check accepts; anything longer is refused before
// it is parsed.
inline constexpr std::size_t k_max_feed_bytes = 262'144;

// One published build as the feed lists it.
struct RawBuild {
    Version version;
    std::string released;     // "yyyy-mm-dd"
    std::string license_date; // "yyyy-mm-dd"
    bool security = false;    // this build fixes a security problem

    bool operator==(const RawBuild&) const = default;
};

// The update feed: the product it is for and its builds.
struct RawFeed {
    std::string product;
    std::vector<RawBuild> builds;

    bool operator==(const RawFeed&) const = default;
};

// Reads a feed. Anything that is not exactly a feed of `product` (not JSON,
// a missing or mistyped field, a version or date that does not parse, no
// builds, another product's feed, a body over k_max_feed_bytes) gives
// nothing: the caller reports all of these the same way, as an unreadable
// list of versions.
[[nodiscard]] std::optional<RawFeed> parse_feed(std::string_view body, std::string_view product);

// What a feed means for the running program.
struct UpdateFound {
    Version newest;        // the highest version in the feed
    bool newer = false;    // newest is above the running version
    bool security = false; // some build above the running version is a security build

    bool operator==(const UpdateFound&) const = default;
};

// The newest build is the one with the highest version, wherever it stands
// in the list. It counts as a security update when any build between the
// running version and it is one: a security fix in 1.2.1 is not undone by a
// plain 1.2.2 above it, and the user must not be told "up to date" or "a new
// version" without the warning while the fix is not installed.
[[nodiscard]] UpdateFound choose_update(const RawFeed& feed, Version running);

} // namespace quarn::update
