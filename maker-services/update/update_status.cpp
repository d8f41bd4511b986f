#include "maker-services/update/update_status.hpp"

#include "common/fill.hpp"

namespace quarn::update {

std::string unreachable_text(std::string_view host) {
    return fill("{} could not be reached.", {host});
}

std::string server_error_text(std::string_view host, unsigned long status) {
    return fill("{} answered with an error ({}).", {host, std::to_string(status)});
}

std::string about_updates_text(const UpdateStatus& status) {
    if (status.running || status.last) {
        std::string text = update_status_text(status);
        return text.substr(0, text.find("\r\n"));
    }
    switch (status.setting) {
    case UpdateCheckSetting::On:
        return "Checked automatically once a day.";
    case UpdateCheckSetting::Off:
        return "Automatic update checks are off.";
    case UpdateCheckSetting::NotAsked:
        break;
    }
    return "Automatic update checks are not set up yet.";
}

std::string consent_question_text(std::string_view web_host) {
    return fill("Check for security updates automatically?\n\n"
                "Quarn can check {} once a day for security updates and new versions.\n\n"
                "It downloads a public list of versions and compares it on this computer. Nothing about you, "
                "this computer or your maps is sent.\n\n"
                "You can change this later in Check for Updates.",
                {web_host});
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
