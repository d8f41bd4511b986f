#include "config/config_store.hpp"

#include "export/safe_write.hpp"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

namespace quarn {

std::optional<std::filesystem::path> config_folder() {
#ifdef _WIN32
    // The wide variant: APPDATA may hold characters outside the ANSI code page.
    const wchar_t* appdata = _wgetenv(L"APPDATA");
#else
    const char* appdata = std::getenv("APPDATA");
#endif
    if (appdata == nullptr || *appdata == 0) return std::nullopt;
    return std::filesystem::path(appdata) / "Quarn";
}

Config load_config(const std::filesystem::path& folder) {
    std::ifstream in(folder / "config.json", std::ios::binary);
    if (!in) return {};
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return parse_config(text);
}

std::optional<std::string> save_config(const std::filesystem::path& folder, const Config& config) noexcept {
    try {
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error) return error.message();
        // The settings go the way of maps and exports: flushed to disk
        // before they replace the old file, and the system's own words when
        // that fails.
        return safe_write(folder / "config.json", config_text(config));
    } catch (const std::exception& e) {
        return std::string(e.what());
    }
}

} // namespace quarn
