// The keys by their place: every key the page hands on has its place and its desktop code, each
// code leads back to a place of its own, and every key the game or the window acts on can be
// pressed from a place.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "elements/virtual_keys.h"
#include "input/key_places.h"
#include "play/game_keys.h"

namespace kx {
namespace {

TEST(KeyPlaces, LettersDigitsTheKeypadAndTheFunctionKeysSendTheirDesktopCodes) {
    for (int n = 0; n < 26; ++n) EXPECT_EQ(key_code_at(std::string("Key") + char('A' + n)), kKeyA + n) << n;
    for (int n = 0; n < 10; ++n) {
        EXPECT_EQ(key_code_at("Digit" + std::to_string(n)), kKey0 + n);
        EXPECT_EQ(key_code_at("Numpad" + std::to_string(n)), kKeyNumpad0 + n);
    }
    for (int n = 1; n <= 12; ++n) EXPECT_EQ(key_code_at("F" + std::to_string(n)), kKeyF1 + n - 1) << n;
    EXPECT_EQ(key_code_at("ArrowLeft"), kKeyLeft);
    EXPECT_EQ(key_code_at("ArrowUp"), kKeyUp);
    EXPECT_EQ(key_code_at("ArrowRight"), kKeyRight);
    EXPECT_EQ(key_code_at("ArrowDown"), kKeyDown);
    EXPECT_EQ(key_code_at("NumpadEnter"), key_code_at("Enter"));
    EXPECT_EQ(key_code_at("ShiftRight"), key_code_at("ShiftLeft"));
    // A place of no code of its own still starts the game.
    for (const char* place : {"F13", "IntlBackslash", "MetaLeft", "KeyAA", "Numpad10", "", "keya"})
        EXPECT_EQ(key_code_at(place), kKeyOther) << place;
}

TEST(KeyPlaces, EachPlaceIsNamedOnceAndEachCodeLeadsBackToAPlaceThatSendsIt) {
    std::set<std::string_view> names;
    for (const KeyPlace& place : key_places()) {
        EXPECT_TRUE(names.insert(place.name).second) << place.name << " twice";
        EXPECT_EQ(key_code_at(place.name), place.code) << place.name;
        EXPECT_NE(place.code, kKeyOther) << place.name;
        const std::string_view back = key_place_of(place.code);
        ASSERT_FALSE(back.empty()) << place.name;
        EXPECT_EQ(key_code_at(back), place.code) << place.name << " back to " << back;
    }
    EXPECT_EQ(key_place_of(kKeyShift), "ShiftLeft");  // of two, the left one
    EXPECT_TRUE(key_place_of(kKeyOther).empty());
}

TEST(KeyPlaces, EveryKeyTheGameAndTheWindowActOnHasAPlace) {
    for (const int code : {kGameKeys.up, kGameKeys.down, kGameKeys.left, kGameKeys.right, kGameKeys.fire,
                           kGameKeys.start, kKeyP, kKeyPause, kKeyReturn, kKeySpace, kKeyEscape, kKeyF11})
        EXPECT_FALSE(key_place_of(code).empty()) << code;
}

// The systems' numbers for a place: SDL's scan codes (USB usages) and Windows' (PC scan codes).
TEST(KeyPlaces, EachSystemsNumberForAPlaceLeadsToThatPlaceAlone) {
    std::set<int> usb, pc;
    for (const KeyPlace& place : key_places()) {
        EXPECT_TRUE(usb.insert(place.usb).second) << place.name;
        EXPECT_TRUE(pc.insert(place.pc_scan).second) << place.name;
        EXPECT_EQ(key_places()[std::size_t(place_of_usb(place.usb))].name, place.name);
        EXPECT_EQ(key_places()[std::size_t(place_of_pc_scan(place.pc_scan))].name, place.name);
    }
    const std::tuple<const char*, int, int> known[] = {
        {"KeyZ", 29, 0x2C},        {"KeyY", 28, 0x15},
        {"KeyW", 26, 0x11},        {"Slash", 56, 0x35},
        {"Space", 44, 0x39},       {"ArrowUp", 82, 0xE048},
        {"Numpad0", 98, 0x52},     {"NumpadEnter", 88, 0xE01C},
        {"Enter", 40, 0x1C},       {"ControlRight", 228, 0xE01D},
        {"ShiftRight", 229, 0x36}, {"Pause", 72, 0x45},
    };
    for (const auto& [name, usb_usage, scan] : known) {
        EXPECT_EQ(place_of_usb(usb_usage), place_index(name)) << name;
        EXPECT_EQ(place_of_pc_scan(scan), place_index(name)) << name;
    }
    EXPECT_EQ(place_of_usb(100), -1);  // the ISO key left of Z: no code of its own
    EXPECT_EQ(code_of_place(-1), kKeyOther);
}

}  // namespace
}  // namespace kx
