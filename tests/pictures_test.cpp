// The game's pictures: sizes, backgrounds, transparent colours and the bosses' weak-spot marks.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "elements/picture_file.h"
#include "form/embedded_pictures.h"
#include "form/pictures.h"

namespace kx {
namespace {

constexpr std::uint32_t kOpaqueCyan = 0xFF00FFFF;
constexpr std::uint32_t kOpaqueRed = 0xFFFF0000;

struct Expected {
    const char* name;
    int width, height;
    bool cyan_corners;
};

constexpr Expected kAll[] = {
    {"chick", 32, 32, true},     {"hen", 32, 32, true},     {"enemy0", 32, 32, true},   {"enemy1", 32, 32, true},
    {"enemy2", 32, 32, true},    {"enemy3", 32, 32, true},  {"enemy4", 32, 32, true},   {"boss0", 150, 150, true},
    {"boss1", 150, 150, true},   {"boss2", 150, 150, true}, {"boss3", 150, 150, true},  {"boss4", 150, 150, true},
    {"explosion", 32, 32, true}, {"powerup", 32, 32, true}, {"ground", 450, 30, false}, {"bullet", 10, 10, false},
    {"cloud", 32, 13, true},     {"icon", 32, 32, false},
};

TEST(Pictures, HaveTheirSizesAndCyanCorners) {
    for (const Expected& e : kAll) {
        const Picture& p = game_picture(e.name);
        EXPECT_EQ(p.width, e.width) << e.name;
        EXPECT_EQ(p.height, e.height) << e.name;
        if (!e.cyan_corners) continue;
        for (auto [x, y] : {std::pair{0, 0}, {p.width - 1, 0}, {0, p.height - 1}, {p.width - 1, p.height - 1}})
            EXPECT_EQ(p.at(x, y), kOpaqueCyan) << e.name << " corner " << x << "," << y;
    }
}

// The build reads the picture files into the program; the game's own reader of the format must
// see in every file exactly the picture the program holds.
TEST(Pictures, TheBuiltInPicturesAreTheFilesAsTheirReaderSeesThem) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(KX_SOURCE_DIR "/assets/pictures")) {
        if (entry.path().extension() != ".kxp") continue;
        ++files;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        const std::string name = entry.path().stem().string();
        const Picture read = parse_picture_file(text.str(), name);
        const Picture& built_in = game_picture(name);
        EXPECT_EQ(built_in.name, read.name);
        EXPECT_EQ(built_in.width, read.width) << name;
        EXPECT_EQ(built_in.height, read.height) << name;
        EXPECT_EQ(built_in.transparent, read.transparent) << name;
        EXPECT_TRUE(built_in.pixels == read.pixels) << name;
    }
    EXPECT_EQ(files, int(embedded_pictures().size()));
}

TEST(Pictures, GroundAndBulletArePlain) {
    for (auto [name, colour] : {std::pair{"ground", 0xFF008000u}, {"bullet", 0xFFFFFF00u}}) {
        const Picture& p = game_picture(name);
        for (std::uint32_t px : p.pixels) ASSERT_EQ(px, colour) << name;
    }
}

TEST(Pictures, OnlyTheBossesHaveATransparentColourAndOnlyTheIconAMask) {
    const Rgb expected[] = {{255, 255, 255}, {255, 181, 82}, {132, 132, 132}, {255, 255, 255}, {255, 255, 0}};
    for (const Expected& e : kAll) {
        const Picture& p = game_picture(e.name);
        const std::string name = e.name;
        if (name.rfind("boss", 0) == 0) {
            ASSERT_TRUE(p.transparent.has_value()) << name;
            EXPECT_EQ(*p.transparent, expected[name[4] - '0']) << name;
        } else {
            EXPECT_FALSE(p.transparent.has_value()) << name;
        }
        bool masked = false;
        for (std::uint32_t px : p.pixels) masked |= (px >> 24) == 0;
        EXPECT_EQ(masked, name == "icon") << name;
    }
    // The icon is the chick with everything outside it masked out.
    const Picture& icon = game_picture("icon");
    const Picture& chick = game_picture("chick");
    for (int n = 0; n < 32 * 32; ++n)
        if (icon.pixels[std::size_t(n)] >> 24) {
            ASSERT_EQ(icon.pixels[std::size_t(n)], chick.pixels[std::size_t(n)]);
        }
    EXPECT_EQ(icon.at(0, 0) >> 24, 0u);
}

TEST(Pictures, BossWeakSpotMarksStandExactlyWhereTheStageTablePutsThem) {
    struct Mark {
        int x0, x1, y0, y1;
        bool solid;
    };
    const Mark marks[] = {{35, 42, 110, 130, true},
                          {22, 29, 103, 123, true},
                          {36, 43, 84, 104, true},
                          {35, 42, 110, 130, true},
                          {23, 40, 100, 120, false}};
    for (int k = 0; k < 5; ++k) {
        const Picture& p = game_picture("boss" + std::to_string(k));
        const Mark& m = marks[k];
        int min_x = 999, max_x = -1, min_y = 999, max_y = -1, red = 0;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) {
                if (p.at(x, y) != kOpaqueRed) continue;
                ++red;
                min_x = std::min(min_x, x), max_x = std::max(max_x, x);
                min_y = std::min(min_y, y), max_y = std::max(max_y, y);
            }
        EXPECT_EQ(min_x, m.x0) << "boss" << k;
        EXPECT_EQ(max_x, m.x1) << "boss" << k;
        EXPECT_EQ(min_y, m.y0) << "boss" << k;
        EXPECT_EQ(max_y, m.y1) << "boss" << k;
        if (m.solid) {
            EXPECT_EQ(red, (m.x1 - m.x0 + 1) * (m.y1 - m.y0 + 1)) << "boss" << k;
        }
        // The mark's vertical middle is the weak spot's height in the stage table.
        constexpr int kWeakSpotHeights[] = {120, 113, 94, 120, 110};
        EXPECT_EQ((m.y0 + m.y1) / 2, kWeakSpotHeights[k]);
    }
}

TEST(Pictures, BossBodiesAreDrawnInTheirTransparentColour) {
    for (int k = 0; k < 5; ++k) {
        const Picture& p = game_picture("boss" + std::to_string(k));
        int body = 0;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) body += p.see_through(x, y);
        EXPECT_GT(body, 150 * 150 / 5) << "boss" << k << ": the body should be a large see-through area";
    }
}

}  // namespace
}  // namespace kx
