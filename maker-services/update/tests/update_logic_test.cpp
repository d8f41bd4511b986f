#include <gtest/gtest.h>

#include <string>

#include "identity/product.hpp"
#include "maker-services/update/update_feed.hpp"
#include "maker-services/update/update_status.hpp"
#include "maker-services/update/update_values.hpp"
#include "maker-services/update/version.hpp"

namespace quarn::update {
namespace {

TEST(UpdateValues, SettingTexts) {
    struct Case {
        std::optional<std::string_view> text;
        UpdateCheckSetting setting;
    };
    const Case cases[] = {
        {"on", UpdateCheckSetting::On},
        {"off", UpdateCheckSetting::Off},
        {std::nullopt, UpdateCheckSetting::NotAsked},
        {"", UpdateCheckSetting::NotAsked},
        {"On", UpdateCheckSetting::NotAsked},
        {"on ", UpdateCheckSetting::NotAsked},
        {"yes", UpdateCheckSetting::NotAsked},
        {"1", UpdateCheckSetting::NotAsked},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parse_update_check_setting(c.text), c.setting) << c.text.value_or("(missing)");
    EXPECT_EQ(update_check_setting_text(true), "on");
    EXPECT_EQ(update_check_setting_text(false), "off");
}

TEST(UpdateValues, Dates) {
    struct Case {
        std::string_view text;
        std::optional<Date> date;
    };
    const Case cases[] = {
        {"2026-01-09", Date{2026, 1, 9}},
        {"2024-02-29", Date{2024, 2, 29}},
        {"2000-02-29", Date{2000, 2, 29}},
        {"1999-12-31", Date{1999, 12, 31}},
        {"2026-1-9", std::nullopt},
        {"2026-01-9", std::nullopt},
        {"2026-01-090", std::nullopt},
        {"2026/01/09", std::nullopt},
        {"2026-13-01", std::nullopt},
        {"2026-00-10", std::nullopt},
        {"2026-04-31", std::nullopt},
        {"2026-02-29", std::nullopt},
        {"1900-02-29", std::nullopt},
        {"2026-01-00", std::nullopt},
        {"+026-01-09", std::nullopt},
        {"2026-0a-09", std::nullopt},
        {" 2026-01-9", std::nullopt},
        {"garbage!!!", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(parse_date(c.text), c.date) << c.text;
    EXPECT_EQ(date_text(Date{2026, 1, 9}), "2026-01-09");
    EXPECT_EQ(date_text(Date{987, 12, 31}), "0987-12-31");
    EXPECT_EQ(parse_date(date_text(Date{2026, 11, 30})), (Date{2026, 11, 30}));
}

TEST(UpdateValues, CheckDue) {
    const Date today{2026, 3, 10};
    struct Case {
        UpdateCheckSetting setting;
        std::optional<std::string_view> stored; // "UpdateChecked" as stored
        bool due;
    };
    const Case cases[] = {
        {UpdateCheckSetting::On, "2026-03-10", false},  {UpdateCheckSetting::On, "2026-03-09", true},
        {UpdateCheckSetting::On, "2026-03-11", true}, // a clock set back still checks once
        {UpdateCheckSetting::On, "2026-3-10", true},    {UpdateCheckSetting::On, "garbage", true},
        {UpdateCheckSetting::On, std::nullopt, true},   {UpdateCheckSetting::Off, "2026-03-09", false},
        {UpdateCheckSetting::Off, std::nullopt, false}, {UpdateCheckSetting::NotAsked, std::nullopt, false},
    };
    for (const Case& c : cases) {
        std::optional<Date> stored = c.stored ? parse_date(*c.stored) : std::nullopt;
        EXPECT_EQ(update_check_due(c.setting, stored, today), c.due) << c.stored.value_or("(missing)");
    }
}

TEST(UpdateVersions, ParseAndCompare) {
    struct Case {
        std::string_view text;
        std::optional<Version> version;
    };
    const Case cases[] = {
        {"1.0.10", Version{1, 0, 10}},
        {"0.0.0", Version{0, 0, 0}},
        {"4294967295.0.1", Version{4294967295u, 0, 1}},
        {"4294967296.0.1", std::nullopt},
        {"1.0", std::nullopt},
        {"1.0.0.0", std::nullopt},
        {"1..0", std::nullopt},
        {"1.0.", std::nullopt},
        {".1.0", std::nullopt},
        {"v1.0.0", std::nullopt},
        {"1.0.-1", std::nullopt},
        {"1.0.+1", std::nullopt},
        {"1.0.1 ", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(parse_version(c.text), c.version) << c.text;

    EXPECT_GT((Version{1, 0, 10}), (Version{1, 0, 9}));
    EXPECT_GT((Version{1, 10, 0}), (Version{1, 9, 99}));
    EXPECT_GT((Version{2, 0, 0}), (Version{1, 99, 99}));
    EXPECT_EQ(version_text(Version{1, 0, 10}), "1.0.10");
    EXPECT_EQ(version_text(*parse_version("007.01.2")), "7.1.2");
    // The compiled-in version is the project's version text.
    EXPECT_EQ(version_text(running_version()), identity::k_version);
    EXPECT_EQ(parse_version(identity::k_version), running_version());
}

std::string feed_with(std::string_view builds) {
    return "{\"product\": \"quarn\", \"builds\": [" + std::string(builds) + "]}";
}

std::string build(std::string_view version, bool security = false) {
    return "{\"version\": \"" + std::string(version) +
           "\", \"released\": \"2026-02-01\", \"license_date\": \"2026-01-15\", \"security\": " +
           (security ? "true" : "false") + "}";
}

TEST(UpdateFeed, ValidFeedIsRead) {
    auto feed = parse_feed(feed_with(build("1.0.9") + "," + build("1.0.10", true)), "quarn");
    RawFeed expected{"quarn",
                     {{Version{1, 0, 9}, "2026-02-01", "2026-01-15", false},
                      {Version{1, 0, 10}, "2026-02-01", "2026-01-15", true}}};
    EXPECT_EQ(feed, expected);
    // Keys the program does not know are left alone.
    EXPECT_TRUE(
        parse_feed("{\"product\":\"quarn\",\"note\":1,\"builds\":[" + build("1.0.0") + "]}", "quarn"));
}

TEST(UpdateFeed, AnythingElseIsNoFeed) {
    const std::string good = build("1.0.0");
    const std::string cases[] = {
        "",
        "not json",
        "[]",
        "\"quarn\"",
        feed_with(good).substr(1),
        "{\"builds\": [" + good + "]}",
        "{\"product\": 7, \"builds\": [" + good + "]}",
        "{\"product\": \"other\", \"builds\": [" + good + "]}",
        "{\"product\": \"quarn\"}",
        "{\"product\": \"quarn\", \"builds\": {}}",
        feed_with(""),
        feed_with("7"),
        feed_with(good + ",{}"),
        feed_with("{\"released\": \"2026-02-01\", \"license_date\": \"2026-01-15\", \"security\": false}"),
        feed_with("{\"version\": \"1.0.0\", \"license_date\": \"2026-01-15\", \"security\": false}"),
        feed_with("{\"version\": \"1.0.0\", \"released\": \"2026-02-01\", \"security\": false}"),
        feed_with("{\"version\": \"1.0.0\", \"released\": \"2026-02-01\", \"license_date\": \"2026-01-15\"}"),
        feed_with("{\"version\": 1, \"released\": \"2026-02-01\", \"license_date\": \"2026-01-15\", "
                  "\"security\": false}"),
        feed_with("{\"version\": \"1.0.0\", \"released\": \"2026-02-01\", \"license_date\": \"2026-01-15\", "
                  "\"security\": \"false\"}"),
        feed_with("{\"version\": \"1.0.0\", \"released\": 20260201, \"license_date\": \"2026-01-15\", "
                  "\"security\": false}"),
        feed_with(build("1.0")),
        feed_with("{\"version\": \"1.0.0\", \"released\": \"2026-2-1\", \"license_date\": \"2026-01-15\", "
                  "\"security\": false}"),
    };
    for (const std::string& body : cases) EXPECT_EQ(parse_feed(body, "quarn"), std::nullopt) << body;
}

TEST(UpdateFeed, SizeCapComesBeforeParsing) {
    // A valid feed padded with spaces: only its length is wrong.
    std::string at_cap = feed_with(build("1.0.0"));
    at_cap.resize(k_max_feed_bytes, ' ');
    EXPECT_TRUE(parse_feed(at_cap, "quarn"));
    std::string over = at_cap + ' ';
    EXPECT_EQ(parse_feed(over, "quarn"), std::nullopt);

    std::string many;
    while (many.size() < 300 * 1024) many += build("1.0.0") + ",";
    many += build("1.0.1");
    EXPECT_EQ(parse_feed(feed_with(many), "quarn"), std::nullopt);
}

TEST(UpdateFeed, NewestBuildAndSecurity) {
    const Version running{1, 2, 0};
    struct Case {
        const char* name;
        std::string builds;
        UpdateFound found;
    };
    const Case cases[] = {
        {"equal", build("1.2.0"), {Version{1, 2, 0}, false, false}},
        {"older only, even a security one", build("1.1.9", true), {Version{1, 1, 9}, false, false}},
        {"newer", build("1.2.0") + "," + build("1.2.1"), {Version{1, 2, 1}, true, false}},
        {"newer security", build("1.2.1", true), {Version{1, 2, 1}, true, true}},
        {"order does not matter", build("1.10.0") + "," + build("1.9.0"), {Version{1, 10, 0}, true, false}},
        {"a security fix below the newest still counts",
         build("1.2.1", true) + "," + build("1.2.2"),
         {Version{1, 2, 2}, true, true}},
        {"an old security build does not",
         build("1.1.0", true) + "," + build("1.2.2"),
         {Version{1, 2, 2}, true, false}},
    };
    for (const Case& c : cases) {
        auto feed = parse_feed(feed_with(c.builds), "quarn");
        ASSERT_TRUE(feed) << c.name;
        EXPECT_EQ(choose_update(*feed, running), c.found) << c.name;
    }
}

TEST(UpdateStatusText, EveryState) {
    const UpdateFound up_to_date{Version{1, 0, 0}, false, false};
    const UpdateFound newer{Version{1, 0, 10}, true, false};
    const UpdateFound security{Version{1, 0, 10}, true, true};
    const UpdateFailure failed{unreachable_text("updates.example.com")};
    const Date day{2026, 3, 9};
    using S = UpdateCheckSetting;
    struct Case {
        UpdateStatus status;
        std::string text;
    };
    const Case cases[] = {
        {{true, newer, S::On, day}, "Checking for updates..."},
        {{true, std::nullopt, S::Off, std::nullopt}, "Checking for updates..."},
        {{false, failed, S::On, day},
         "The update check failed: updates.example.com could not be reached.\r\nLast successful check: "
         "2026-03-09"},
        {{false, failed, S::Off, std::nullopt},
         "The update check failed: updates.example.com could not be reached."},
        {{false, security, S::On, day},
         "Quarn 1.0.10 is available (security update).\r\nLast successful check: 2026-03-09"},
        {{false, newer, S::Off, day}, "Quarn 1.0.10 is available.\r\nLast successful check: 2026-03-09"},
        {{false, up_to_date, S::On, day}, "Quarn is up to date.\r\nLast successful check: 2026-03-09"},
        {{false, up_to_date, S::On, std::nullopt}, "Quarn is up to date."},
        {{false, std::nullopt, S::Off, day},
         "Automatic update checks are off.\r\nLast successful check: 2026-03-09"},
        {{false, std::nullopt, S::NotAsked, std::nullopt}, "Automatic update checks are off."},
        {{false, std::nullopt, S::On, day}, "Last successful check: 2026-03-09"},
        {{false, std::nullopt, S::On, std::nullopt}, "No update check has run yet."},
    };
    for (const Case& c : cases) EXPECT_EQ(update_status_text(c.status), c.text);
}

TEST(UpdateStatusText, AboutRowAndConsentQuestion) {
    using S = UpdateCheckSetting;
    const Date day{2026, 3, 9};
    struct Case {
        UpdateStatus status;
        std::string text;
    };
    const Case cases[] = {
        {{true, std::nullopt, S::On, day}, "Checking for updates..."},
        {{false, UpdateFound{Version{2, 0, 0}, true, true}, S::On, day},
         "Quarn 2.0.0 is available (security update)."},
        {{false, UpdateFound{Version{1, 0, 0}, false, false}, S::Off, day}, "Quarn is up to date."},
        {{false, UpdateFailure{"x could not be reached."}, S::On, std::nullopt},
         "The update check failed: x could not be reached."},
        {{false, std::nullopt, S::On, day}, "Checked automatically once a day."},
        {{false, std::nullopt, S::Off, day}, "Automatic update checks are off."},
        {{false, std::nullopt, S::NotAsked, std::nullopt}, "Automatic update checks are not set up yet."},
    };
    for (const Case& c : cases) EXPECT_EQ(about_updates_text(c.status), c.text);

    EXPECT_EQ(
        consent_question_text("www.example.com"),
        "Check for security updates automatically?\n\n"
        "Quarn can check www.example.com once a day for security updates and new versions.\n\n"
        "It downloads a public list of versions and compares it on this computer. Nothing about you, this "
        "computer or your maps is sent.\n\n"
        "You can change this later in Check for Updates.");
}

TEST(UpdateStatusText, ErrorTextsAndOpenPage) {
    EXPECT_EQ(unreachable_text("updates.example.com"), "updates.example.com could not be reached.");
    EXPECT_EQ(server_error_text("updates.example.com", 404),
              "updates.example.com answered with an error (404).");
    EXPECT_FALSE(newer_version_found(std::nullopt));
    EXPECT_FALSE(newer_version_found(UpdateResult{UpdateFailure{k_feed_unreadable_text}}));
    EXPECT_FALSE(newer_version_found(UpdateResult{UpdateFound{Version{1, 0, 0}, false, false}}));
    EXPECT_TRUE(newer_version_found(UpdateResult{UpdateFound{Version{1, 0, 1}, true, false}}));
}

} // namespace
} // namespace quarn::update
