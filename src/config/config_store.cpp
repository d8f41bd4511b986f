#include "config/config_store.hpp"

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
        const auto target = folder / "config.json";
        auto temporary = target;
        temporary += ".tmp";
        {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            out << config_text(config);
            out.flush();
            if (!out) {
                std::filesystem::remove(temporary, error);
                return "could not write " + temporary.string();
            }
        }
        // std::filesystem::rename replaces an existing target on Windows too
        // (MoveFileExW with MOVEFILE_REPLACE_EXISTING).
        std::filesystem::rename(temporary, target, error);
        if (error) {
            std::filesystem::remove(temporary, error);
            return error.message();
        }
        return std::nullopt;
    } catch (const std::exception& e) {
        return std::string(e.what());
    }
}

} // namespace quarn
