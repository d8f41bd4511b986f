// libFuzzer target for the neighbour readers and the campus import: every
// input keeps the rules of campus_check.hpp; a link comes only from an
// entry that names its port.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "import/fuzz/campus_check.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!quarn::fuzz::check_input(text).empty()) std::abort();
    return 0;
}
