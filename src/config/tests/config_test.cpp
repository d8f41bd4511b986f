#include "config/config.hpp"
#include "config/config_store.hpp"
#include "export/safe_write.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace quarn {
namespace {

TEST(Config, WritesKeysInOrderWithTwoSpaceIndent) {
    Config config;
    config.theme = ThemeChoice::Dark;
    config.recent = {"C:\\maps\\campus.quarn"};
    config.show_unused = true;
    config.topology = true;
    EXPECT_EQ(config_text(config), "{\n"
                                   "  \"theme\": \"dark\",\n"
                                   "  \"recent\": [\n"
                                   "    \"C:\\\\maps\\\\campus.quarn\"\n"
                                   "  ],\n"
                                   "  \"breakdown\": false,\n"
                                   "  \"show_unused\": true,\n"
                                   "  \"topology\": true\n"
                                   "}");
    EXPECT_EQ(parse_config(config_text(config)), config);
}

TEST(Config, GarbledInputGivesDefaultsFieldByField) {
    const Config defaults;
    for (const char* text : {"", "not json", "[1,2]", "null", "{\"theme\": 5}", "{\"theme\": \"purple\"}"}) {
        EXPECT_EQ(parse_config(text), defaults) << text;
    }
    Config partly = parse_config(
        R"({"theme": "light", "recent": "x", "breakdown": 1, "show_unused": true, "topology": "yes"})");
    EXPECT_EQ(partly.theme, ThemeChoice::Light);
    EXPECT_TRUE(partly.recent.empty());
    EXPECT_FALSE(partly.breakdown);
    EXPECT_TRUE(partly.show_unused);
    EXPECT_FALSE(partly.topology);

    Config listed = parse_config(R"({"recent": ["a", 3, "", "b", "A", "c"]})");
    EXPECT_EQ(listed.recent, (std::vector<std::string>{"a", "b", "c"}));
}

TEST(Config, RecentFilesAreMostRecentFirstUniqueAndAtMostTen) {
    Config config;
    for (int i = 0; i < 12; ++i) add_recent_file(config, "map" + std::to_string(i) + ".quarn");
    ASSERT_EQ(config.recent.size(), k_max_recent_files);
    EXPECT_EQ(config.recent.front(), "map11.quarn");
    EXPECT_EQ(config.recent.back(), "map2.quarn");

    add_recent_file(config, "MAP5.quarn");
    EXPECT_EQ(config.recent.front(), "MAP5.quarn");
    EXPECT_EQ(std::count_if(config.recent.begin(), config.recent.end(),
                            [](const std::string& p) { return p == "map5.quarn"; }),
              0);
    EXPECT_EQ(config.recent.size(), k_max_recent_files);

    remove_recent_file(config, "map11.QUARN");
    EXPECT_EQ(config.recent.size(), k_max_recent_files - 1);
}

TEST(ConfigStore, SavesThroughTemporaryFileAndLoadsBack) {
    auto folder = std::filesystem::temp_directory_path() / "quarn-config-test" / "Quarn";
    std::filesystem::remove_all(folder.parent_path());

    EXPECT_EQ(load_config(folder), Config{}); // missing file
    Config config;
    config.theme = ThemeChoice::Light;
    config.breakdown = true;
    add_recent_file(config, "one.quarn");
    ASSERT_EQ(save_config(folder, config), std::nullopt);
    EXPECT_EQ(load_config(folder), config);
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);

    config.theme = ThemeChoice::Dark;
    ASSERT_EQ(save_config(folder, config), std::nullopt); // replaces the old file
    EXPECT_EQ(load_config(folder), config);

    std::ofstream(folder / "config.json", std::ios::trunc) << "{ garbled";
    EXPECT_EQ(load_config(folder), Config{});

    // The safe file write's refusals come through in its words.
    std::filesystem::remove(folder / "config.json");
    std::filesystem::create_directory(folder / "config.json");
    EXPECT_EQ(save_config(folder, config), std::string(k_is_folder_text));
    std::filesystem::remove(folder / "config.json");

    // A folder that cannot be created is reported, not thrown.
    std::ofstream(folder.parent_path() / "blocker") << "x";
    EXPECT_NE(save_config(folder.parent_path() / "blocker" / "Quarn", config), std::nullopt);
    std::filesystem::remove_all(folder.parent_path());
}

TEST(ThemeChoiceNames, RoundTripTheSettingsSpelling) {
    for (ThemeChoice choice : {ThemeChoice::System, ThemeChoice::Light, ThemeChoice::Dark})
        EXPECT_EQ(parse_theme_choice(theme_choice_name(choice)), choice);
    EXPECT_EQ(theme_choice_name(ThemeChoice::Dark), "dark");
    EXPECT_EQ(parse_theme_choice("Dark"), std::nullopt);
    EXPECT_EQ(parse_theme_choice(""), std::nullopt);
}

} // namespace
} // namespace quarn
