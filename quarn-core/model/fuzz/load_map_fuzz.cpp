// libFuzzer target for the map reader: every input must give a map or one
// message, and a map that loads must save and load again unchanged.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/map_file.hpp"

namespace {

bool is_user_message(const std::string& message) {
    return message.starts_with("This is not a readable Quarn file: ") ||
           (message.starts_with("This map uses file format ") &&
            message.ends_with(". Update Quarn to open it.")) ||
           message.starts_with("This map is damaged: ");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    auto header = quarn::load_header(text);
    if (!header.ok() && !header.error().starts_with("This is not a readable Quarn file: ")) std::abort();

    auto map = quarn::load_map(text);
    if (!map.ok()) {
        if (!is_user_message(map.error())) std::abort();
        return 0;
    }
    // What loads has a readable header of format 0 or 1.
    if (!header.ok() || header.value().format > 1) std::abort();

    const std::string saved = quarn::save_map(map.value());
    auto again = quarn::load_map(saved);
    if (!again.ok() || !(again.value() == map.value())) std::abort();
    if (quarn::save_map(again.value()) != saved) std::abort();
    return 0;
}
