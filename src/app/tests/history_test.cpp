#include "app/history.hpp"

#include <gtest/gtest.h>

namespace quarn::app {
namespace {

Map map_with_site(int n) {
    Map map;
    map.site = "site " + std::to_string(n);
    return map;
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
