#include "maker-services/update/update_check.hpp"

#include <mutex>
#include <thread>
#include <utility>

#include "maker-services/update/update_registry.hpp"

namespace quarn::update {

struct UpdateCheck::Slot {
    std::mutex lock;
    bool working = false; // a worker has been started and not yet filled the slot
    std::optional<UpdateResult> result;
};

UpdateCheck::UpdateCheck(HWND notify, Version running, UpdateEndpoint endpoint)
    : slot_(std::make_shared<Slot>()), notify_(notify), running_version_(running),
      endpoint_(std::move(endpoint)) {}

bool UpdateCheck::start() noexcept {
    {
        std::lock_guard guard(slot_->lock);
        if (slot_->working) return false;
        slot_->working = true;
    }
    try {
        std::thread([slot = slot_, notify = notify_, version = running_version_, endpoint = endpoint_] {
            UpdateResult result = fetch_update(endpoint, version);
            if (std::holds_alternative<UpdateFound>(result)) record_update_check(local_today());
            {
                std::lock_guard guard(slot->lock);
                slot->result = std::move(result);
                slot->working = false;
            }
            ::PostMessageW(notify, k_update_result_message, 0, 0);
        }).detach();
        return true;
    } catch (...) {
        std::lock_guard guard(slot_->lock);
        slot_->working = false;
        return false;
    }
}

bool UpdateCheck::running() const noexcept {
    std::lock_guard guard(slot_->lock);
    return slot_->working || slot_->result.has_value();
}

std::optional<UpdateResult> UpdateCheck::take_result() noexcept {
    std::lock_guard guard(slot_->lock);
    return std::exchange(slot_->result, std::nullopt);
}

} // namespace quarn::update
