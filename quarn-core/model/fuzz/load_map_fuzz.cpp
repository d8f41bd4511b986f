// libFuzzer target for the map reader: every input must give a map or one
// short message of valid UTF-8, and a map that loads must save and load
// again unchanged.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/utf8.hpp"
#include "model/map_file.hpp"

namespace {

// One of the three families, valid UTF-8, and short whatever the input: a
// quoted piece of input is cut at 80 characters, a library sentence adds a
// few more words.
bool is_user_message(const std::string& message) {
    if (!quarn::is_valid_utf8(message) || message.size() > 1024) return false;
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
