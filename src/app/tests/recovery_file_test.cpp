#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/recovery_file.hpp"
#include "model/map_file.hpp"
#include "ops/testing/plain_switch.hpp"

namespace quarn::app {
namespace {

using namespace std::chrono_literals;

TEST(RecoveryFile, NamesCarryTheDocumentAndTheRunAndReadBack) {
    struct Case {
        std::string document;
        RecoveryOwner owner;
        std::string name;
    };
    const std::vector<Case> cases = {
        {"depot.quarn", {4242, 0x1dc6a7b12345678}, "depot.quarn.4242-1dc6a7b12345678.quarn-recovery"},
        {"", {7, 0}, "Untitled.7-0.quarn-recovery"},
        {"a:b?c*.quarn", {1, 255}, "a_b_c_.quarn.1-ff.quarn-recovery"},
        {"campus.v2.quarn",
         {4294967295u, 0xffffffffffffffff},
         "campus.v2.quarn.4294967295-ffffffffffffffff.quarn-recovery"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.document);
        std::string name = recovery_file_name(c.document, c.owner);
        EXPECT_EQ(name, c.name);
        EXPECT_EQ(recovery_file_owner(name), c.owner);
        // The safe write's temporary file of a copy being written names the run too.
        EXPECT_EQ(recovery_file_owner(name + ".quarn-save"), c.owner);
        EXPECT_EQ(recovery_file_owner(name + ".quarn-backup"), c.owner);
    }
}

TEST(RecoveryFile, NamesOfOtherKindsHaveNoOwner) {
    for (std::string_view name :
         {"depot.quarn", "depot.quarn-recovery", "depot.12.quarn-recovery", "depot.x-1.quarn-recovery",
          "depot.1-zz.quarn-recovery", "depot.-1.quarn-recovery", "depot.1-.quarn-recovery",
          "depot.1-2.quarn-recovery.old", "notes.txt"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(recovery_file_owner(name), std::nullopt);
    }
}

TEST(RecoveryFile, MarkerNamesTellRunsOfOneProcessIdApart) {
    EXPECT_EQ(recovery_marker_name({4242, 0xabc}), "Local\\Quarn.Recovery.4242-abc");
    EXPECT_NE(recovery_marker_name({4242, 0xabc}), recovery_marker_name({4242, 0xabd}));
}

TEST(RecoveryFile, ARecordReadsBackWholeWithAndWithoutADocument) {
    Map map;
    map.site = "Depot \"north\"\nfloor 2";
    map.vlans = {{10, "Data", {1, 2, 3}}};
    map.switches.push_back(testing::plain_switch("core", 8));
    for (std::optional<std::string> document :
         {std::optional<std::string>("C:\\Maps\\depot.quarn"), std::optional<std::string>()}) {
        RecoveryRecord record{document, "2026-12-10T00:01:02Z", map};
        std::string text = write_recovery(record);
        auto back = read_recovery(text);
        ASSERT_TRUE(back) << back.error();
        EXPECT_EQ(back.value(), record);
        // The map follows its header line exactly as its own file holds it.
        EXPECT_EQ(text.substr(text.find('\n') + 1), save_map(map));
    }
}

TEST(RecoveryFile, TextsThatAreNoRecoveryFileSayWhy) {
    std::string map_text = save_map(Map{});
    struct Case {
        std::string text;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"", "it holds no map"},
        {"{\"quarn_recovery\":1,\"document\":null,\"written\":\"x\"}", "it holds no map"},
        {"garbage\n" + map_text, "it is not a recovery file"},
        {"{\"site\":\"x\"}\n" + map_text, "it is not a recovery file"},
        {"{\"quarn_recovery\":2}\n" + map_text, "it was written by a newer Quarn"},
        {"{\"quarn_recovery\":\"1\"}\n" + map_text, "it was written by a newer Quarn"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        auto read = read_recovery(c.text);
        ASSERT_FALSE(read);
        EXPECT_EQ(read.error(), c.message);
    }
    // A torn map is the map reader's business, with its own words.
    std::string torn = write_recovery({std::nullopt, "t", Map{}});
    torn.resize(torn.size() - 3);
    auto read = read_recovery(torn);
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error(), load_map(torn.substr(torn.find('\n') + 1)).error());
}

TEST(RecoveryFile, TheUsersTexts) {
    EXPECT_EQ(recovery_offer_text({std::string("C:\\Maps\\depot.quarn"), "", Map{}}),
              "Quarn closed before the changes to C:\\Maps\\depot.quarn were saved.");
    EXPECT_EQ(recovery_offer_text({std::nullopt, "", Map{}}),
              "Quarn closed before the changes to Untitled were saved.");
    EXPECT_EQ(unreadable_recovery_text("C:\\R\\a.quarn-recovery", "it holds no map", "C:\\R\\Unreadable"),
              "The recovery file C:\\R\\a.quarn-recovery cannot be read (it holds no map). It was moved to "
              "C:\\R\\Unreadable.");
    EXPECT_EQ(utc_text(std::chrono::system_clock::time_point(std::chrono::seconds(1796860862))),
              "2026-12-10T00:01:02Z");
}

TEST(RecoveryFile, TheQuietWaitNeverPassesTheLongestWait) {
    RecoveryTiming timing{2000ms, 10000ms};
    RecoveryClock::time_point first{};
    struct Case {
        std::chrono::milliseconds since_first;
        std::chrono::milliseconds delay;
    };
    const std::vector<Case> cases = {
        {0ms, 2000ms},    // the first change: a quiet wait
        {5000ms, 2000ms}, // typing on: the quiet wait again
        {8500ms, 1500ms}, // near the end: only what is left
        {10000ms, 0ms},   // due
        {30000ms, 0ms},   // overdue (a busy loop held the timer): at once
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.since_first.count());
        EXPECT_EQ(recovery_delay(timing, first + c.since_first, first), c.delay);
    }
}

TEST(RecoveryFile, OnlyAShorterWaitWithinBoundsIsTaken) {
    struct Case {
        std::optional<std::string_view> given;
        std::chrono::milliseconds longest;
    };
    const std::vector<Case> cases = {
        {std::nullopt, 10000ms}, {"500", 500ms}, {"50", 50ms},    {"49", 10000ms},
        {"10001", 10000ms},      {"", 10000ms},  {"5s", 10000ms}, {"-1", 10000ms},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.given.value_or("<none>")));
        RecoveryTiming timing = recovery_timing(c.given);
        EXPECT_EQ(timing.longest, c.longest);
        EXPECT_EQ(timing.quiet, c.longest / 5);
    }
}

} // namespace
} // namespace quarn::app
