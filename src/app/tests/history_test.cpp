#include "app/history.hpp"

#include <gtest/gtest.h>

namespace quarn::app {
namespace {

Map map_with_site(int n) {
    Map map;
    map.site = "site " + std::to_string(n);
    return map;
}

TEST(History, KeepsTheTwoHundredMostRecentStates) {
    History history;
    Map current = map_with_site(0);
    for (int i = 1; i <= 250; ++i) {
        history.record_change(current);
        current = map_with_site(i);
    }
    int undone = 0;
    while (history.undo(current)) ++undone;
    EXPECT_EQ(undone, 200);
    EXPECT_EQ(current.site, "site 50");
    EXPECT_FALSE(history.undo(current));
    EXPECT_EQ(current.site, "site 50");
}

TEST(History, UndoRedoMirrorAndANewChangeForgetsRedo) {
    History history;
    Map current = map_with_site(1);
    history.record_change(current);
    current = map_with_site(2);

    ASSERT_TRUE(history.undo(current));
    EXPECT_EQ(current, map_with_site(1));
    EXPECT_TRUE(history.can_redo());
    ASSERT_TRUE(history.redo(current));
    EXPECT_EQ(current, map_with_site(2));
    EXPECT_FALSE(history.redo(current));

    ASSERT_TRUE(history.undo(current));
    history.record_change(current);
    current = map_with_site(3);
    EXPECT_FALSE(history.can_redo());
    EXPECT_FALSE(history.redo(current));
    EXPECT_EQ(current, map_with_site(3));
}

} // namespace
} // namespace quarn::app
