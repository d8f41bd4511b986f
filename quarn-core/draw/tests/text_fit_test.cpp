#include "draw/text_fit.hpp"

#include <gtest/gtest.h>

namespace quarn {
namespace {

TEST(TextFit, CutsBetweenCharacters) {
    struct Case {
        const char* text;
        std::size_t limit;
        const char* cut;
        const char* tail;
    };
    const Case cases[] = {
        {"", 4, "", ""},
        {"abcd", 4, "abcd", "abcd"},
        {"abcde", 4, "a...", "\u2026cde"},
        {"Gi1/0/12", 4, "G...", "\u2026/12"},
        {"\u00e4\u00f6\u00fc\u00df\u00e9", 4, "\u00e4...", "\u2026\u00fc\u00df\u00e9"},
        {"\u6771\u4eac\u90fd\u5e81", 3, "...", "\u2026\u90fd\u5e81"},
        {"abcdef", 0, "...", "\u2026"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cut_text(c.text, c.limit), c.cut) << c.text;
        EXPECT_EQ(tail_text(c.text, c.limit), c.tail) << c.text;
    }
    EXPECT_EQ(code_points("\u00e4b\u6771"), 3u);
}

TEST(TextFit, PortLabelsKeepTheirLastPart) {
    struct Case {
        const char* label;
        std::size_t limit;
        const char* shown;
    };
    const Case cases[] = {
        {"Gi1/0/48", 8, "Gi1/0/48"},
        {"GigabitEthernet1/0/1", 8, "\u2026/1"},
        {"ge-0/0/12", 8, "\u2026/12"},
        {"Ethernet12", 8, "\u2026ernet12"},
        {"Port/123456789", 8, "\u20263456789"}, // the last part alone does not fit
        {"Gi1/0/12", 4, "\u2026/12"},
        {"/", 0, "\u2026"},
    };
    for (const Case& c : cases) EXPECT_EQ(short_port_label(c.label, c.limit), c.shown) << c.label;
}

TEST(TextFit, WidthGuessGrowsWithSizeWeightAndWideScripts) {
    EXPECT_FLOAT_EQ(estimated_text_width("abcd", 10.0f, FontWeight::Normal), 22.4f);
    EXPECT_FLOAT_EQ(estimated_text_width("abcd", 10.0f, FontWeight::Bold), 24.8f);
    EXPECT_FLOAT_EQ(estimated_text_width("\u6771\u4eac", 10.0f, FontWeight::Normal), 20.0f);
    EXPECT_FLOAT_EQ(estimated_text_width("\u00e4", 10.0f, FontWeight::Normal), 5.6f);
}

} // namespace
} // namespace quarn
