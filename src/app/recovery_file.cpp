#include "app/recovery_file.hpp"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ctime>

#include <nlohmann/json.hpp>

#include "model/map_file.hpp"

namespace quarn::app {
namespace {

// The first line of a recovery file says what it is and whose; the map
// follows as its own file holds it, so that the map's reader, with all its
// checks and messages, reads it back.
constexpr std::string_view k_kind_key = "quarn_recovery";
constexpr int k_recovery_format = 1;

std::string hex(std::uint64_t value) {
    char buffer[17];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value, 16).ptr;
    return std::string(buffer, end);
}

bool forbidden_in_file_name(char c) {
    return static_cast<unsigned char>(c) < 32 ||
           std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos;
}

} // namespace

std::string recovery_file_name(std::string_view document_name, const RecoveryOwner& owner) {
    std::string name = document_name.empty() ? std::string("Untitled") : std::string(document_name);
    std::replace_if(name.begin(), name.end(), forbidden_in_file_name, '_');
    return name + "." + std::to_string(owner.process) + "-" + hex(owner.started) +
           std::string(k_recovery_extension);
}

std::optional<RecoveryOwner> recovery_file_owner(std::string_view name) {
    for (std::string_view suffix : {std::string_view(".quarn-save"), std::string_view(".quarn-backup")})
        if (name.ends_with(suffix)) name.remove_suffix(suffix.size());
    if (!name.ends_with(k_recovery_extension)) return std::nullopt;
    name.remove_suffix(k_recovery_extension.size());
    auto dot = name.rfind('.');
    if (dot == std::string_view::npos) return std::nullopt;
    std::string_view owner_text = name.substr(dot + 1);
    auto dash = owner_text.find('-');
    if (dash == std::string_view::npos) return std::nullopt;
    std::string_view process = owner_text.substr(0, dash);
    std::string_view started = owner_text.substr(dash + 1);
    RecoveryOwner owner;
    auto [p_end, p_error] = std::from_chars(process.data(), process.data() + process.size(), owner.process);
    auto [s_end, s_error] =
        std::from_chars(started.data(), started.data() + started.size(), owner.started, 16);
    if (process.empty() || started.empty() || p_error != std::errc{} || s_error != std::errc{} ||
        p_end != process.data() + process.size() || s_end != started.data() + started.size())
        return std::nullopt;
    return owner;
}

std::string recovery_marker_name(const RecoveryOwner& owner) {
    return "Local\\Quarn.Recovery." + std::to_string(owner.process) + "-" + hex(owner.started);
}

std::string write_recovery(const RecoveryRecord& record) {
    nlohmann::ordered_json header;
    header[k_kind_key] = k_recovery_format;
    header["document"] =
        record.document ? nlohmann::ordered_json(*record.document) : nlohmann::ordered_json();
    header["written"] = record.written;
    // A path need not be valid UTF-8; a replaced letter is better than no
    // recovery copy at all.
    return header.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n" +
           save_map(record.map);
}

Result<RecoveryRecord> read_recovery(std::string_view text) {
    using R = Result<RecoveryRecord>;
    auto line_end = text.find('\n');
    if (line_end == std::string_view::npos) return R::failure("it holds no map");
    nlohmann::json header = nlohmann::json::parse(text.substr(0, line_end), nullptr, false);
    if (!header.is_object() || !header.contains(k_kind_key)) return R::failure("it is not a recovery file");
    const auto& kind = header[std::string(k_kind_key)];
    if (!kind.is_number_integer() || kind.get<int>() != k_recovery_format)
        return R::failure("it was written by a newer Quarn");
    RecoveryRecord record;
    if (auto it = header.find("document"); it != header.end() && it->is_string())
        record.document = it->get<std::string>();
    if (auto it = header.find("written"); it != header.end() && it->is_string())
        record.written = it->get<std::string>();
    auto map = load_map(text.substr(line_end + 1));
    if (!map) return R::failure(map.error());
    record.map = std::move(map).value();
    return record;
}

std::string utc_text(std::chrono::system_clock::time_point moment) {
    std::time_t seconds = std::chrono::system_clock::to_time_t(moment);
    std::tm parts{};
#ifdef _WIN32
    gmtime_s(&parts, &seconds);
#else
    gmtime_r(&seconds, &parts);
#endif
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02dZ", parts.tm_year + 1900,
                  parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
    return buffer;
}

std::string recovery_offer_text(const RecoveryRecord& record) {
    return "Quarn closed before the changes to " + record.document.value_or("Untitled") + " were saved.";
}

std::string unreadable_recovery_text(std::string_view file, std::string_view error, std::string_view aside) {
    return "The recovery file " + std::string(file) + " cannot be read (" + std::string(error) +
           "). It was moved to " + std::string(aside) + ".";
}

std::chrono::milliseconds recovery_delay(const RecoveryTiming& timing, RecoveryClock::time_point now,
                                         RecoveryClock::time_point first_unwritten) {
    using std::chrono::milliseconds;
    auto waited = std::chrono::duration_cast<milliseconds>(now - first_unwritten);
    milliseconds left = timing.longest - waited;
    return std::clamp(left, milliseconds(0), timing.quiet);
}

RecoveryTiming recovery_timing(std::optional<std::string_view> longest_override_ms) {
    RecoveryTiming timing;
    if (longest_override_ms) {
        unsigned value = 0;
        auto [end, error] = std::from_chars(longest_override_ms->data(),
                                            longest_override_ms->data() + longest_override_ms->size(), value);
        if (error == std::errc{} && end == longest_override_ms->data() + longest_override_ms->size() &&
            value >= 50 && value <= 10000)
            timing.longest = std::chrono::milliseconds(value);
    }
    timing.quiet = timing.longest / 5;
    return timing;
}

} // namespace quarn::app
