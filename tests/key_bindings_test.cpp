// The key rule every front end shares: keys by their place, the key labelled Z firing too on any
// layout, and the player's own bindings with their presets and refusals.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "elements/virtual_keys.h"
#include "input/key_bindings.h"
#include "input/key_places.h"
#include "play/game_keys.h"

namespace kx {
namespace {

// What five layouts print on the places that differ from a US keyboard's letters.
const std::map<std::string, std::map<std::string_view, char32_t>> kLayouts = {
    {"us", {}},
    {"de", {{"KeyZ", U'Y'}, {"KeyY", U'Z'}, {"Semicolon", U'ö'}, {"Minus", U'ß'}}},
    {"fr", {{"KeyQ", U'A'}, {"KeyA", U'Q'}, {"KeyW", U'Z'}, {"KeyZ", U'W'}, {"Semicolon", U'M'}, {"KeyM", U','}}},
    {"dvorak", {{"KeyZ", U';'}, {"Slash", U'Z'}, {"KeyW", U','}, {"KeyS", U'O'}, {"KeyD", U'E'}, {"KeyA", U'A'}}},
    {"jp106", {{"BracketLeft", U'@'}, {"Quote", U':'}}},
};

// The key at a place as a front end hands it over on that layout.
PressedKey key_on(const std::string& layout, std::string_view place) {
    const auto& labels = kLayouts.at(layout);
    const auto label = labels.find(place);
    if (label != labels.end()) return {place_index(place), label->second};
    const bool letter = place.size() == 4 && place.substr(0, 3) == "Key";
    return {place_index(place), letter ? char32_t(place[3]) : 0};
}

std::string_view place_labelled_z(const std::string& layout) {
    for (const auto& [place, label] : kLayouts.at(layout))
        if (label == U'Z') return place;
    return "KeyZ";
}

TEST(KeyRule, OnEveryLayoutBothZKeysFireTheArrowsSteerAndNothingElseChanges) {
    const KeyBindings usual;
    for (const auto& [layout, labels] : kLayouts) {
        SCOPED_TRACE(layout);
        EXPECT_EQ(usual.code(key_on(layout, "KeyZ")), kGameKeys.fire);
        EXPECT_EQ(usual.code(key_on(layout, place_labelled_z(layout))), kGameKeys.fire);
        EXPECT_EQ(usual.code(key_on(layout, "ArrowUp")), kGameKeys.up);
        EXPECT_EQ(usual.code(key_on(layout, "ArrowDown")), kGameKeys.down);
        EXPECT_EQ(usual.code(key_on(layout, "ArrowLeft")), kGameKeys.left);
        EXPECT_EQ(usual.code(key_on(layout, "ArrowRight")), kGameKeys.right);
        EXPECT_EQ(usual.code(key_on(layout, "Enter")), kGameKeys.start);
        // Every other key sends the code of its place, as recordings made before always had it.
        for (const KeyPlace& p : key_places()) {
            if (p.name == "KeyZ" || p.name == place_labelled_z(layout)) continue;
            EXPECT_EQ(usual.code(key_on(layout, p.name)), p.code) << p.name;
        }
    }
    EXPECT_EQ(usual.code({-1, 0}), kKeyOther);          // a key of no place of its own still starts
    EXPECT_EQ(usual.code({-1, U'z'}), kGameKeys.fire);  // wherever the label Z is
    EXPECT_TRUE(usual.usual());
}

TEST(KeyBindings, PresetsAndRolesReplaceThoseRolesKeysAndLeaveTheRest) {
    const KeyBindings left = KeyBindings::parse("left-hand");
    for (const std::string layout : {"us", "fr"}) {  // by place: on a French keyboard Z Q S D
        EXPECT_EQ(left.code(key_on(layout, "KeyW")), kGameKeys.up) << layout;
        EXPECT_EQ(left.code(key_on(layout, "KeyA")), kGameKeys.left) << layout;
        EXPECT_EQ(left.code(key_on(layout, "KeyS")), kGameKeys.down) << layout;
        EXPECT_EQ(left.code(key_on(layout, "KeyD")), kGameKeys.right) << layout;
    }
    EXPECT_EQ(left.code(key_on("us", "Space")), kGameKeys.fire);
    EXPECT_EQ(left.code(key_on("us", "ShiftLeft")), kGameKeys.fire);
    EXPECT_EQ(left.code(key_on("us", "ShiftRight")), kGameKeys.fire);
    // Keys whose roles went elsewhere only start a game now: the arrows, Z and the label Z.
    EXPECT_EQ(left.code(key_on("us", "ArrowUp")), kKeyOther);
    EXPECT_EQ(left.code(key_on("us", "KeyZ")), kKeyOther);
    EXPECT_EQ(left.code(key_on("de", "KeyY")), kKeyA + 24);
    EXPECT_EQ(left.code(key_on("us", "Enter")), kGameKeys.start);

    const KeyBindings right = KeyBindings::parse("right-hand");
    for (const char* place : {"ControlRight", "Numpad0", "Enter"})
        EXPECT_EQ(right.code(key_on("us", place)), kGameKeys.fire);
    EXPECT_EQ(right.code(key_on("us", "NumpadEnter")), kGameKeys.start);
    EXPECT_EQ(right.code(key_on("us", "ArrowLeft")), kGameKeys.left);

    // Items apply in turn; names and labels in any case; a label binds wherever the layout puts it.
    const KeyBindings own = KeyBindings::parse(" left-hand , FIRE = space + j , up=ArrowUp");
    EXPECT_EQ(own.code(key_on("us", "KeyJ")), kGameKeys.fire);
    EXPECT_EQ(own.code(key_on("fr", "KeyJ")), kGameKeys.fire);
    EXPECT_EQ(own.code(key_on("us", "ShiftLeft")), kKeyShift);
    EXPECT_EQ(own.code(key_on("us", "ArrowUp")), kGameKeys.up);
    EXPECT_EQ(own.code(key_on("us", "KeyW")), kKeyA + 22);
    EXPECT_EQ(KeyBindings::parse("start=+").code({-1, U'+'}), kGameKeys.start);
    EXPECT_FALSE(own.usual());
    EXPECT_TRUE(KeyBindings::parse("fire=KeyZ+Z").usual());
}

TEST(KeyBindings, ABadBindingIsRefusedWithOneLineNamingIt) {
    const std::pair<const char*, const char*> refused[] = {
        {"jump=Space", "unknown role \"jump\" (the roles: up, down, left, right, fire, start)"},
        {"fire=Spacebar",
         "unknown key \"Spacebar\": name a key by its place (KeyW, Space, RightCtrl, Numpad0, ArrowUp) or by its "
         "label (W)"},
        {"fire=Space,up=space", "key \"Space\" has two roles: up and fire"},
        {"left-hand,fire=KeyW", "key \"KeyW\" has two roles: up and fire"},
        {"fire=q,down=Q", "key \"Q\" has two roles: down and fire"},
        {"fire=", "role \"fire\" needs a key"},
        {"fire=Space+", "role \"fire\" needs a key"},
        {"",
         "the items are left-hand, right-hand or ROLE=KEY[+KEY...], not \"\"; for example "
         "fire=Space+KeyJ,up=KeyW"},
        {"fire=F11",
         "key \"F11\" belongs to the window (F11 and Alt+Enter toggle fullscreen, Alt the desktop's shortcuts)"},
        {"fire=Alt", nullptr},
        {"fire=\xff", nullptr},
    };
    for (const auto& [text, message] : refused) {
        try {
            KeyBindings::parse(text);
            ADD_FAILURE() << text << " was taken";
        } catch (const KeyBindingError& e) {
            if (message) {
                EXPECT_EQ(std::string(e.what()), message) << text;
            }
            EXPECT_EQ(std::string(e.what()).find('\n'), std::string::npos) << text;
        }
    }
}

TEST(KeyBindings, SayWhichKeysPlayWithTheLabelsOfThePlayersLayout) {
    const auto german = [](int place) { return key_on("de", key_places()[std::size_t(place)].name).label; };
    EXPECT_EQ(KeyBindings().describe(german),
              "up: ArrowUp; down: ArrowDown; left: ArrowLeft; right: ArrowRight; fire: KeyZ (Y here) or the key "
              "labelled Z; start: Enter or NumpadEnter");
    EXPECT_EQ(KeyBindings::parse("left-hand,fire=ß").describe(nullptr),
              "up: KeyW; down: KeyS; left: KeyA; right: KeyD; fire: the key labelled ß; start: Enter or NumpadEnter");
}

}  // namespace
}  // namespace kx
