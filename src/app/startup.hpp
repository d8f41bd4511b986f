#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <optional>

#include "app/app_state.hpp"
#include "app/main_window.hpp"

namespace quarn::app {

// The main window with its state, as start-up leaves it before the message
// loop. The program makes one; tests make their own in the test process.
struct MainProgram {
    MainWindow window;
    std::unique_ptr<AppState> state;

    MainProgram() = default;
    MainProgram(const MainProgram&) = delete;
    MainProgram& operator=(const MainProgram&) = delete;
    ~MainProgram();
};

struct StartOptions {
    // Where config.json lives; nothing keeps the settings in memory only.
    std::optional<std::filesystem::path> config_folder;
    int show = SW_SHOWDEFAULT;
};

// Start-up from the settings to the shown window with the focus on the
// canvas: theme, main window, state, controls, font, layout, views and the
// first status text. Null when the main window cannot be created.
std::unique_ptr<MainProgram> start_main_window(HINSTANCE instance, const StartOptions& options) noexcept;

} // namespace quarn::app
