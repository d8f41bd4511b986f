#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "maker-services/update/update_request.hpp"

namespace quarn::update {

// Posted to the window given to UpdateCheck when a check has ended.
inline constexpr UINT k_update_result_message = WM_APP + 3;

// The daily check's worker and the one slot through which its result
// reaches the user-interface thread. Owned by the user-interface thread;
// the worker shares only the slot, so closing the program while a check
// runs is safe: the worker is detached, finishes (bounded by the time-outs)
// into a slot that outlives the owner, and its message to a window that is
// gone is dropped by the system.
class UpdateCheck {
  public:
    UpdateCheck(HWND notify, Version running, UpdateEndpoint endpoint = default_update_endpoint());
    UpdateCheck(const UpdateCheck&) = delete;
    UpdateCheck& operator=(const UpdateCheck&) = delete;

    // Starts a worker unless one is running; false when none was started.
    bool start() noexcept;
    // From start() until the result has been taken.
    [[nodiscard]] bool running() const noexcept;
    // The result waiting in the slot, taken out of it.
    [[nodiscard]] std::optional<UpdateResult> take_result() noexcept;

  private:
    struct Slot;
    std::shared_ptr<Slot> slot_;
    HWND notify_;
    Version running_version_;
    UpdateEndpoint endpoint_;
};

} // namespace quarn::update
