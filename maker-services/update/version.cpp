#include "maker-services/update/version.hpp"

#include <array>

#include "identity/product.hpp"

namespace quarn::update {
namespace {

std::optional<std::uint32_t> parse_number(std::string_view text) {
    if (text.empty() || text.size() > 10) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value > UINT32_MAX) return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

} // namespace

std::optional<Version> parse_version(std::string_view text) {
    std::array<std::uint32_t, 3> parts{};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::size_t end = i + 1 < parts.size() ? text.find('.') : text.size();
        if (end == std::string_view::npos) return std::nullopt;
        auto number = parse_number(text.substr(0, end));
        if (!number) return std::nullopt;
        parts[i] = *number;
        text.remove_prefix(end == text.size() ? end : end + 1);
    }
    return Version{parts[0], parts[1], parts[2]};
}

Version running_version() noexcept {
    return Version{identity::k_version_parts[0], identity::k_version_parts[1], identity::k_version_parts[2]};
}

std::string version_text(Version version) {
    return std::to_string(version.major_part) + '.' + std::to_string(version.minor_part) + '.' +
           std::to_string(version.patch_part);
}

} // namespace quarn::update
