#include "maker-services/update/update_service.hpp"

#include "dialogs/about_window.hpp"
#include "dialogs/message_box.hpp"
#include "identity/product.hpp"
#include "maker-services/update/update_registry.hpp"
#include "win/wide.hpp"

namespace quarn::update {

UpdateService::UpdateService(HWND main, UpdateEndpoint endpoint)
    : main_(main), check_(main, running_version(), std::move(endpoint)) {}

void UpdateService::ask_consent(HWND owner) noexcept {
    if (update_check_setting() != UpdateCheckSetting::NotAsked) return;
    try {
        // Closing the box without an answer counts as "No": the question is
        // asked once, and nothing is fetched without a yes.
        std::size_t answer = dialogs::show_message({owner,
                                                    dialogs::MessageIcon::Program,
                                                    consent_question_text(identity::k_web_host),
                                                    {"Yes", "No"},
                                                    0,
                                                    1});
        (void)set_update_check(answer == 0);
    } catch (...) {}
}

void UpdateService::start_if_due() noexcept {
    if (update_check_due() && check_.start()) refresh_views();
}

void UpdateService::check_now() noexcept {
    if (check_.start()) refresh_views();
}

void UpdateService::take_result() noexcept {
    auto result = check_.take_result();
    if (!result) return;
    last_ = std::move(result);
    if (const auto* found = std::get_if<UpdateFound>(&*last_);
        found && found->newer && mark_notified(found->newest))
        show_window(main_);
    refresh_views();
}

void UpdateService::show_window(HWND owner) noexcept {
    (void)window_.show(owner);
}

void UpdateService::refresh_views() noexcept {
    try {
        UpdateStatus now = status();
        window_.refresh(now);
        if (about_ != nullptr) about_->set_updates_text(win::widen(about_updates_text(now)));
    } catch (...) {}
}

UpdateStatus UpdateService::status() const noexcept {
    return UpdateStatus{check_.running(), last_, update_check_setting(), last_update_check()};
}

} // namespace quarn::update
