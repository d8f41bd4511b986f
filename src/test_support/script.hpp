#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

namespace quarn::testing {

// Steps run one per timer tick on this thread while a modal loop under test
// runs: the loop dispatches the ticks itself. Should the loop outlive the
// steps, a quit message breaks it and the test fails instead of hanging.
class Script {
  public:
    explicit Script(std::vector<std::function<void()>> steps, UINT period_ms = 15) {
        current() = this;
        steps_ = std::move(steps);
        timer_ = ::SetTimer(nullptr, 0, period_ms, &Script::tick);
    }
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;
    ~Script() {
        ::KillTimer(nullptr, timer_);
        current() = nullptr;
        // A quit posted by the fallback must not end the next test's loop.
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
    }

    [[nodiscard]] bool finished() const noexcept { return next_ >= steps_.size(); }

  private:
    static Script*& current() {
        static Script* script = nullptr;
        return script;
    }

    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        Script* script = current();
        if (script == nullptr) return;
        if (script->next_ < script->steps_.size()) {
            // Advance first: a step may run a nested loop that ticks again.
            auto step = script->steps_[script->next_++];
            step();
            return;
        }
        if (++script->idle_ticks_ == 200) {
            ADD_FAILURE() << "the loop under test did not end after its script";
            ::PostQuitMessage(0);
        }
    }

    std::vector<std::function<void()>> steps_;
    std::size_t next_ = 0;
    int idle_ticks_ = 0;
    UINT_PTR timer_ = 0;
};

} // namespace quarn::testing
