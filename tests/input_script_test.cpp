// Replay input files: what they accept and how they say what is wrong.
#include <gtest/gtest.h>

#include <sstream>

#include "formats/input_script.h"

namespace kx {
namespace {

InputScript parse(const std::string& text) {
    std::istringstream in(text);
    return parse_input_script(in, "game.txt");
}

std::string error_of(const std::string& text) {
    try {
        parse(text);
    } catch (const InputError& e) {
        return e.what();
    }
    return "no error";
}

TEST(InputScript, ReadsSeedAndStampedKeyEvents) {
    const InputScript s = parse("# a game\n\nseed 4294967295\n0 down 32\n31 down 39\r\n31 up 39\n  40   down 90  \n");
    ASSERT_TRUE(s.seed.has_value());
    EXPECT_EQ(*s.seed, 4294967295u);
    const std::vector<KeyEvent> expected{{0, true, 32}, {31, true, 39}, {31, false, 39}, {40, true, 90}};
    EXPECT_EQ(s.events, expected);
    EXPECT_FALSE(parse("5 down 1\n").seed.has_value());
}

TEST(InputScript, NamesTheFileAndLineOfEveryFault) {
    EXPECT_EQ(error_of("seed 1\n\n3 sideways 4\n"), "game.txt:3: expected: TICKS down CODE, TICKS up CODE or seed N");
    EXPECT_EQ(error_of("5 down 1\n4 down 1\n"), "game.txt:2: tick stamp 4 is smaller than the one before it");
    EXPECT_EQ(error_of("seed 1\nseed 2\n"), "game.txt:2: a second seed line");
    EXPECT_EQ(error_of("0 down 1\nseed 2\n"), "game.txt:2: the seed line must come before every key event");
    EXPECT_EQ(error_of("seed 4294967296\n"), "game.txt:1: the seed must be a whole number from 0 to 4294967295");
    EXPECT_EQ(error_of("seed -1\n"), "game.txt:1: the seed must be a whole number from 0 to 4294967295");
    EXPECT_EQ(error_of("-1 down 3\n"), "game.txt:1: the tick stamp must be a whole number of 0 or more");
    EXPECT_EQ(error_of("1x down 3\n"), "game.txt:1: the tick stamp must be a whole number of 0 or more");
    EXPECT_EQ(error_of("1 down 65536\n"), "game.txt:1: the key code must be a whole number from 0 to 65535");
    EXPECT_EQ(error_of("1 down 3 4\n"), "game.txt:1: expected: TICKS down CODE, TICKS up CODE or seed N");
    EXPECT_EQ(error_of("99999999999999999999 down 3\n"),
              "game.txt:1: the tick stamp must be a whole number of 0 or more");
}

}  // namespace
}  // namespace kx
