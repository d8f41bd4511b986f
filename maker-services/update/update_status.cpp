#include "maker-services/update/update_status.hpp"

#include "common/fill.hpp"

namespace quarn::update {

std::string unreachable_text(std::string_view host) {
    return fill("{} could not be reached.", {host});
}

std::string server_error_text(std::string_view host, unsigned long status) {
    return fill("{} answered with an error ({}).", {host, std::to_string(status)});
}

bool newer_version_found(const std::optional<UpdateResult>& last) noexcept {
    if (!last) return false;
    const auto* found = std::get_if<UpdateFound>(&*last);
    return found != nullptr && found->newer;
}

std::string update_status_text(const UpdateStatus& status) {
    if (status.running) return "Checking for updates...";

    std::string first;
    if (status.last) {
        if (const auto* failure = std::get_if<UpdateFailure>(&*status.last)) {
            first = fill("The update check failed: {}", {failure->message});
        } else {
            const auto& found = std::get<UpdateFound>(*status.last);
            if (!found.newer)
                first = "Quarn is up to date.";
            else if (found.security)
                first = fill("Quarn {} is available (security update).", {version_text(found.newest)});
            else
                first = fill("Quarn {} is available.", {version_text(found.newest)});
        }
    } else if (status.setting != UpdateCheckSetting::On) {
        first = "Automatic update checks are off.";
    }

    std::string second;
    if (status.last_checked)
        second = fill("Last successful check: {}", {date_text(*status.last_checked)});
    else if (first.empty())
        second = "No update check has run yet.";

    if (first.empty()) return second;
    if (second.empty()) return first;
    return first + "\r\n" + second;
}

} // namespace quarn::update
