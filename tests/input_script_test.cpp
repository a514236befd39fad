// Replay input files: what they accept and how they say what is wrong.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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

TEST(InputScript, ANoteMayFollowAnItem) {
    const InputScript s = parse("seed 42  # optional\n0 down 32\t# any key\n# a line of its own\n40 up 32 #\n");
    EXPECT_EQ(s.seed, 42u);
    const std::vector<KeyEvent> expected{{0, true, 32}, {40, false, 32}};
    EXPECT_EQ(s.events, expected);
    // A '#' inside a word is no note: the word is wrong.
    EXPECT_EQ(error_of("0 down 32#x\n"), "game.txt:1: the key code must be a whole number from 0 to 65535");
}

// The examples of input files in the README, each the indented block after a line
// "<!-- input file -->", parse as they stand.
TEST(InputScript, TheReadmesExamplesParse) {
    std::ifstream readme(std::filesystem::path(KX_SOURCE_DIR) / "README.md");
    ASSERT_TRUE(readme) << "no README.md in " << KX_SOURCE_DIR;
    std::vector<std::string> examples;
    bool marked = false;
    for (std::string line; std::getline(readme, line);) {
        if (line == "<!-- input file -->") {
            marked = true;
            examples.emplace_back();
        } else if (marked && line.rfind("    ", 0) == 0) {
            examples.back() += line.substr(4) + "\n";
        } else if (marked && !line.empty() && !examples.back().empty()) {
            marked = false;
        }
    }
    ASSERT_GE(examples.size(), 2u);
    for (const std::string& example : examples) {
        ASSERT_FALSE(example.empty()) << "a marker without an indented block after it";
        EXPECT_FALSE(parse(example).events.empty()) << example;
    }
}

// The bytes that editors and shells of other systems write for the same text.
TEST(InputScript, ReadsUtf8WithItsMarkAndUtf16AndNamesWhatItCannotRead) {
    const std::string text = "seed 3\r\n0 down 32\r\n9 up 32  # ひよこ\r\n";
    const InputScript plain = parse_input_text(text, "a.txt");
    auto utf16 = [&](bool big_endian) {
        std::string out = big_endian ? "\xFE\xFF" : "\xFF\xFE";
        for (const char32_t c : std::u32string{U"seed 3\r\n0 down 32\r\n9 up 32  # ひよこ\r\n"}) {
            const char hi = char(c >> 8), lo = char(c & 0xFF);
            out += big_endian ? std::string{hi, lo} : std::string{lo, hi};
        }
        return out;
    };
    for (const std::string& bytes : {"\xEF\xBB\xBF" + text, utf16(false), utf16(true)}) {
        const InputScript s = parse_input_text(bytes, "a.txt");
        EXPECT_EQ(s.seed, plain.seed);
        EXPECT_EQ(s.events, plain.events);
    }
    const std::string emoji_le = std::string("\xFF\xFE#\0 \0", 6) + "\x3D\xD8\x23\xDE" + std::string("\n\0", 2);
    EXPECT_TRUE(parse_input_text(emoji_le, "a.txt").events.empty());  // a pair of surrogates in a note

    auto refusal = [](const std::string& bytes) {
        try {
            parse_input_text(bytes, "a.txt");
        } catch (const InputError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(refusal(utf16(false).substr(0, 7)), "a.txt: a UTF-16 file cut in the middle of a character");
    EXPECT_EQ(refusal(std::string("\xFF\xFE\x00\xDC", 4)), "a.txt: broken UTF-16 (a lone low surrogate)");
    EXPECT_EQ(refusal(std::string("\xFF\xFE\x3D\xD8 \0", 6)), "a.txt: broken UTF-16 (a lone high surrogate)");
    EXPECT_EQ(refusal(std::string("\xFF\xFE\0\0s\0\0\0", 8)),
              "a.txt: the file is UTF-32; save it as UTF-8 or plain text");
    EXPECT_EQ(refusal(std::string("s\0e\0", 4)),
              "a.txt: the file holds zero bytes: UTF-16 without a byte-order mark, or not text; save it as UTF-8 or "
              "plain text");
}

}  // namespace
}  // namespace kx
