#pragma once

#include <cstdint>

namespace quarn {

enum class FontWeight : std::uint8_t { Normal, Bold };
enum class TextAlign : std::uint8_t { Left, Centre };

} // namespace quarn
