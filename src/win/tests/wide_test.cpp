#include "win/wide.hpp"

#include <gtest/gtest.h>

#include <windows.h>

namespace quarn::win {
namespace {

TEST(Wide, RoundTripsUtf8ThroughUtf16) {
    for (const std::string text : {"", "Core", "Bürogebäude", "机房 1", "emoji \xF0\x9F\x94\x8C plug"}) {
        EXPECT_EQ(narrow(widen(text)), text);
    }
    EXPECT_EQ(widen("\xF0\x9F\x94\x8C").size(), 2u); // a surrogate pair
}

TEST(Wide, InvalidUtf8BecomesReplacementCharacter) {
    EXPECT_EQ(widen("a\xFF"
                    "b"),
              L"a\uFFFDb");
}

TEST(Wide, SystemMessageHasNoTrailingLineBreak) {
    std::string text = system_message(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), '\n');
    EXPECT_NE(text.back(), '\r');
}

} // namespace
} // namespace quarn::win
