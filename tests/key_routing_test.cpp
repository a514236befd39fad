// Where key events go, on events alone: no game, no clock.
#include <gtest/gtest.h>

#include <set>

#include "elements/virtual_keys.h"
#include "play/game_keys.h"
#include "run/key_routing.h"

namespace kx {
namespace {

constexpr KeyGate kPlay{false, false, false, true};
constexpr KeyGate kBox{true, false, false, false};
constexpr KeyGate kPaused{false, true, false, true};
constexpr KeyGate kReplay{false, false, true, true};

TEST(KeyRouting, EachStateLetsThroughOnlyItsOwnKeys) {
    KeyRouter router;
    EXPECT_EQ(router.route(true, kKeyP, false, kPlay), KeyRoute::pause);
    EXPECT_EQ(router.route(true, kKeyP, false, KeyGate{}), KeyRoute::to_game);  // the title: any key starts
    EXPECT_EQ(router.route(true, kGameKeys.left, false, kPaused), KeyRoute::none);
    EXPECT_EQ(router.route(true, kKeyReturn, false, kPaused), KeyRoute::resume);
    // A replay: every key works its controls, Escape takes over; the player's releases of the
    // keys the replay holds are not the game's.
    EXPECT_EQ(router.route(true, kGameKeys.up, false, kReplay), KeyRoute::watch);
    EXPECT_EQ(router.route(true, kKeyEscape, false, kReplay), KeyRoute::take_over);
    KeyRouter replay;
    replay.replayed(true, kGameKeys.up);
    EXPECT_EQ(replay.route(false, kGameKeys.up, false, kReplay), KeyRoute::none);
    EXPECT_EQ(replay.let_go_all(), std::set<int>{kGameKeys.up});
    // The box: Return, Space and Escape, and a controller's fire; not the keyboard's fire key.
    EXPECT_EQ(router.route(true, kGameKeys.fire, false, kBox), KeyRoute::none);
    EXPECT_EQ(router.route(true, kGameKeys.fire, true, kBox), KeyRoute::box_press);
    EXPECT_EQ(router.route(true, kKeySpace, false, kBox), KeyRoute::box_press);
}

TEST(KeyRouting, AReleaseReachesTheGameExactlyWhenItsPressDid) {
    KeyRouter router;
    EXPECT_EQ(router.route(false, kGameKeys.left, false, kPlay), KeyRoute::none);
    ASSERT_EQ(router.route(true, kGameKeys.left, false, kPlay), KeyRoute::to_game);
    EXPECT_EQ(router.route(false, kGameKeys.left, false, kPaused), KeyRoute::to_game);  // whatever came between
    EXPECT_EQ(router.route(false, kGameKeys.left, false, kPlay), KeyRoute::none);
    // Focus loss lets go of everything held, once.
    router.route(true, kGameKeys.up, false, kPlay);
    router.replayed(true, kGameKeys.down);
    EXPECT_EQ(router.let_go_all(), (std::set<int>{kGameKeys.up, kGameKeys.down}));
    EXPECT_TRUE(router.let_go_all().empty());
}

TEST(KeyRouting, KeysLetGoInTheBoxComeUpWhenItClosesAndAHeldKeyCannotCloseIt) {
    KeyRouter router;
    router.route(true, kKeySpace, false, kPlay);
    router.route(true, kGameKeys.left, false, kPlay);
    EXPECT_EQ(router.route(true, kKeySpace, false, kBox), KeyRoute::none);  // the desktop's key repeat
    EXPECT_EQ(router.route(false, kKeySpace, false, kBox), KeyRoute::box_release);
    EXPECT_EQ(router.route(true, kKeySpace, false, kBox), KeyRoute::box_press);  // a fresh press
    EXPECT_EQ(router.box_closed(false), (std::set<int>{kKeySpace, kGameKeys.left}));
    // A replay's keys stay as the replay holds them.
    router.replayed(true, kGameKeys.up);
    EXPECT_EQ(router.route(false, kGameKeys.up, false, kBox), KeyRoute::box_release);
    EXPECT_TRUE(router.box_closed(true).empty());
}

}  // namespace
}  // namespace kx
