#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/app_state.hpp"
#include "app/refresh.hpp"
#include "app/startup.hpp"

namespace quarn::app {

// A small map for the window tests: VLANs 10 Data and 20 Voice, and one
// switch of eight copper ports a name, the first port of the first switch
// in VLAN 10.
inline Map switches_map(std::initializer_list<const char*> names) {
    Map map;
    map.vlans = {{10, "Data", {0x1e, 0x88, 0xe5}}, {20, "Voice", {0xfb, 0x8c, 0x00}}};
    for (const char* name : names) {
        Switch sw;
        sw.name = name;
        sw.groups = {PortGroup{PortKind::Rj45, 4, 2, Numbering::OddTop, 0, 1.0f}};
        for (int i = 1; i <= 8; ++i) sw.ports.push_back(Port{.label = std::to_string(i)});
        map.switches.push_back(sw);
    }
    if (!map.switches.empty()) map.switches[0].ports[0].untagged = 10;
    return map;
}

// Three such switches, core, edge-1 and edge-2, at the site "Campus".
inline Map campus_map() {
    Map map = switches_map({"core", "edge-1", "edge-2"});
    map.site = "Campus";
    return map;
}

// The program's main window with its state, made in the test's own process
// and hidden, as the app's window tests drive it.
class MainWindowFixture : public ::testing::Test {
  protected:
    // Where the settings live; none keeps them in memory only.
    virtual std::optional<std::filesystem::path> settings_folder() { return std::nullopt; }

    void SetUp() override {
        program_ = start_main_window(::GetModuleHandleW(nullptr), StartOptions{settings_folder(), SW_HIDE});
        ASSERT_NE(program_, nullptr);
        state_ = program_->state.get();
    }

    void TearDown() override {
        program_.reset();
        // Closing the main window posts the quit message; it must not end the
        // next test's loop at once.
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
    }

    // The map as if it had just been opened.
    void load(Map map) {
        state_->map = std::move(map);
        state_->saved = state_->map;
        refresh_all(*state_);
    }

    void command(int id) { ::SendMessageW(state_->main, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    void select(std::vector<PortRef> ports) {
        state_->canvas.selection().set(std::move(ports));
        refresh_all(*state_);
    }

    std::wstring text_of(int id) {
        wchar_t text[256] = {};
        ::GetWindowTextW(::GetDlgItem(state_->main, id), text, 256);
        return text;
    }

    std::wstring title() {
        wchar_t text[128] = {};
        ::GetWindowTextW(state_->main, text, 128);
        return text;
    }

    std::unique_ptr<MainProgram> program_;
    AppState* state_ = nullptr;
};

} // namespace quarn::app
