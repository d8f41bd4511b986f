#pragma once

#include <cstdint>

namespace quarn {

// How a scene text is set: its weight and where its x stands.
enum class FontWeight : std::uint8_t { Regular, Bold };
enum class TextAlign : std::uint8_t { Left, Centre }; // Centre: x is the middle of the line

} // namespace quarn
