#include "draw/scene_items.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace quarn {
namespace {

const Rgb k_red{0xff, 0, 0};
const Rgb k_black{0, 0, 0};

// Items that differ only where a packed form could lose them: a missing
// fill or outline against a black one, -0 against 0, empty and non-ASCII
// words, and the same looks again after others.
std::vector<SceneItem> awkward_items() {
    return {
        Rect{0, 0, 10, 20, std::nullopt, std::nullopt, 0},
        Rect{0, 0, 10, 20, k_black, std::nullopt, 0},
        Rect{0, 0, 10, 20, std::nullopt, k_black, 0},
        Rect{-0.0f, 1, -0.0f, 20, k_black, k_black, -0.0f},
        Rect{1.5f, 2.5f, 10, 20, k_red, k_black, 1},
        Line{1, 2, 3, 4, 1.5f, k_red},
        Line{1, 2, -0.0f, 4, 1.5f, k_red},
        Text{"", 1, 2, 8, FontWeight::Normal, TextAlign::Left, k_black},
        Text{"Gi1/0/12 U", 1, 2, 8, FontWeight::Normal, TextAlign::Centre, k_black},
        Text{"\u00c4\u6771 building", 1, 2, 8, FontWeight::Bold, TextAlign::Left, k_red},
        Text{"Gi1/0/12 U", 5, 6, 8, FontWeight::Bold, TextAlign::Centre, k_black},
        Rect{0, 0, 10, 20, std::nullopt, std::nullopt, 0},
        Text{"", 1, 2, 8, FontWeight::Normal, TextAlign::Left, k_black},
        Line{1, 2, 3, 4, 1.5f, k_red, LineStyle::Dashed},
    };
}

// The packed list gives back every item exactly, by index, by iterator and
// by visit, -0 included.
TEST(SceneItems, GivesBackEveryItemAsItWasAdded) {
    const std::vector<SceneItem> items = awkward_items();
    SceneItems packed;
    for (const SceneItem& item : items) packed.push_back(item);
    ASSERT_EQ(packed.size(), items.size());
    EXPECT_EQ(packed, items);
    EXPECT_EQ(std::vector<SceneItem>(packed.begin(), packed.end()), items);
    EXPECT_EQ(packed.end() - packed.begin(), static_cast<std::ptrdiff_t>(items.size()));
    EXPECT_EQ(*(packed.begin() + 4), items[4]);

    EXPECT_TRUE(std::signbit(std::get<Rect>(packed[3]).x));
    EXPECT_TRUE(std::signbit(std::get<Rect>(packed[3]).width));
    EXPECT_TRUE(std::signbit(std::get<Rect>(packed[3]).outline_width));
    EXPECT_FALSE(std::signbit(std::get<Rect>(packed[2]).width));
    EXPECT_TRUE(std::signbit(std::get<Line>(packed[6]).x2));
    EXPECT_FALSE(std::signbit(std::get<Line>(packed[5]).x2));

    struct Collect {
        std::vector<SceneItem>& out;
        void operator()(const Rect& rect) { out.push_back(rect); }
        void operator()(const Line& line) { out.push_back(line); }
        void operator()(const TextRef& t) {
            out.push_back(Text{std::string(t.text), t.x, t.y, t.size, t.weight, t.align, t.color});
        }
    };
    std::vector<SceneItem> visited;
    packed.visit(Collect{visited});
    EXPECT_EQ(visited, items);

    const SceneItems listed = {items[0], items[5], items[9]};
    EXPECT_EQ(listed, (std::vector<SceneItem>{items[0], items[5], items[9]}));
    EXPECT_NE(listed, (std::vector<SceneItem>{items[0], items[5]}));
    EXPECT_NE(listed, (std::vector<SceneItem>{items[0], items[5], items[10]}));
}

TEST(SceneItems, ReplaceChangesOneItemOnly) {
    const std::vector<SceneItem> items = awkward_items();
    SceneItems packed;
    for (const SceneItem& item : items) packed.push_back(item);
    std::vector<SceneItem> expected = items;
    expected[0] = Rect{0, 0, 300, 200, k_red, std::nullopt, 0};
    expected[9] = Text{"replaced", 3, 4, 12, FontWeight::Bold, TextAlign::Left, k_red};
    packed.replace(0, expected[0]);
    packed.replace(9, expected[9]);
    EXPECT_EQ(packed, expected);
}

// A look repeated item after item is kept once: a thousand places of one
// kind cost their positions, not a thousand copies of their looks.
TEST(SceneItems, RepeatedLooksAndNamedWordsAreKeptOnce) {
    SceneItems one_look;
    const SceneItems::Index words = one_look.add_words("Gi1/0/12 U");
    for (int i = 0; i < 1000; ++i) {
        const float x = static_cast<float>(i);
        one_look.add(one_look.rect_look(34, 18, k_red, k_black, 1), x, 0);
        one_look.add_text(one_look.text_look(8, FontWeight::Normal, TextAlign::Centre, k_black), words,
                          x + 17, 9);
    }
    SceneItems many_looks;
    for (int i = 0; i < 1000; ++i) {
        const float x = static_cast<float>(i);
        many_looks.push_back(Rect{x, 0, x, 18, k_red, k_black, 1});
        many_looks.push_back(
            Text{"Gi1/0/12 U", x + 17, 9, x, FontWeight::Normal, TextAlign::Centre, k_black});
    }
    EXPECT_EQ(one_look[1998], SceneItem(Rect{999, 0, 34, 18, k_red, k_black, 1}));
    EXPECT_EQ(one_look[1999],
              SceneItem(Text{"Gi1/0/12 U", 1016, 9, 8, FontWeight::Normal, TextAlign::Centre, k_black}));
    // 12 bytes an item, the lists' spare room and the tables that find
    // looks while items are added.
    EXPECT_LE(one_look.memory_bytes(), 2000u * 12u * 2u + 20000u);
    EXPECT_GT(many_looks.memory_bytes(), 2000u * (12u + 20u));
}

// The breakdown's pattern: each row repeats the labels of one switch's
// ports. A label in a look is kept once however many rows show it, and
// each item reads back with its own words.
TEST(SceneItems, LabelsRepeatedRowAfterRowAreKeptOnceEach) {
    SceneItems rows;
    std::vector<SceneItems::Index> labels;
    for (int p = 0; p < 52; ++p) labels.push_back(rows.add_words("1/" + std::to_string(p + 1)));
    const SceneItems::Index ink = rows.text_look(8, FontWeight::Normal, TextAlign::Centre, k_black);
    for (int row = 0; row < 200; ++row)
        for (int p = 0; p < 52; ++p)
            rows.add_text(ink, labels[static_cast<std::size_t>(p)], static_cast<float>(p),
                          static_cast<float>(row));
    rows.shrink_to_fit();
    EXPECT_EQ(rows[51 * 52 + 7],
              SceneItem(Text{"1/8", 7, 51, 8, FontWeight::Normal, TextAlign::Centre, k_black}));
    SceneItems moved;
    moved.add_words("before");
    moved.append(rows, 10);
    EXPECT_EQ(moved[52 * 199 + 51],
              SceneItem(Text{"1/52", 51, 209, 8, FontWeight::Normal, TextAlign::Centre, k_black}));
    // The items' positions, 53 looks and 52 short words.
    EXPECT_LE(rows.memory_bytes(), 200u * 52u * 12u + 53u * 20u + 52u * 8u + 52u * 4u);
}

} // namespace
} // namespace quarn
