// Games as links: every recording comes back exactly, links stay short, and a link that was cut
// or altered is refused with its reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "formats/game_link.h"

namespace kx {
namespace {

InputScript replay_file(const char* name) {
    return read_input_script((std::filesystem::path(KX_SOURCE_DIR) / "tests" / "replays" / name).string());
}

std::string refusal(const std::string& link) {
    try {
        read_game_link(link);
    } catch (const LinkError& e) {
        return e.what();
    }
    return "read";
}

TEST(GameLink, EveryGameComesBackExactly) {
    for (const char* name : {"full_game.txt", "game_over_and_again.txt"}) {
        const InputScript game = replay_file(name);
        const std::string link = game_link("https://example.org/kx/", *game.seed, game.events);
        const InputScript back = read_game_link(link);
        EXPECT_EQ(back.seed, game.seed) << name;
        EXPECT_EQ(back.events, game.events) << name;
    }
    // Odd games too: any code, huge stamps, repeats and releases of keys never pressed.
    std::mt19937 random(7);
    for (int round = 0; round < 50; ++round) {
        std::vector<KeyEvent> events;
        std::int64_t tick = 0;
        for (int k = int(random() % 300); k > 0; --k) {
            tick += random() % 4 == 0 ? std::int64_t(random()) * 997 : std::int64_t(random() % 9);
            events.push_back({tick, random() % 2 == 0, int(random() % (round % 3 == 0 ? 65536 : 8))});
        }
        if (round == 1) events.push_back({kMaxTickStamp, true, 65535});
        const std::uint32_t seed = std::uint32_t(random());
        const InputScript back = read_game_link(link_payload(seed, events));
        EXPECT_EQ(back.seed, seed);
        EXPECT_EQ(back.events, events) << "round " << round;
    }
    EXPECT_TRUE(read_game_link(link_payload(0, {})).events.empty());
}

TEST(GameLink, TheWholeGameFitsInTwoThousandCharacters) {
    const InputScript game = replay_file("full_game.txt");
    EXPECT_LE(link_payload(*game.seed, game.events).size() + 120, 2000u) << "with a site of 120 characters";
    std::vector<KeyEvent> to_first_boss;  // it comes at tick 347 and falls at 686
    for (const KeyEvent& e : game.events)
        if (e.tick < 900) to_first_boss.push_back(e);
    EXPECT_LE(link_payload(*game.seed, to_first_boss).size() + 120, 600u);
}

TEST(GameLink, ACutOrAlteredLinkIsRefusedWithItsReason) {
    const InputScript game = replay_file("game_over_and_again.txt");
    const std::string link = game_link("https://example.org/", *game.seed, game.events);
    EXPECT_EQ(refusal(link.substr(0, link.size() - 10)), "the link is cut short");
    EXPECT_EQ(refusal("https://example.org/#play="), "the link holds no game");
    std::string altered = link;
    altered[link.size() / 2] = altered[link.size() / 2] == 'A' ? 'B' : 'A';
    EXPECT_EQ(refusal(altered), "the link is altered: it does not match its check");
    EXPECT_EQ(refusal(link + "AAAA"), "the link is altered: it goes on past its end");
    EXPECT_EQ(refusal(link.substr(0, link.size() - 1) + "%"),
              "the link is altered: it holds a character no link has (%)");
    std::string newer = link;
    newer[link.find('=') + 1] = 'B';  // the format's byte, 1 -> 5
    EXPECT_EQ(refusal(newer).rfind("the link is of format 5, which this kippura-x cannot read", 0), 0u)
        << refusal(newer);
    // Pasted with a line end, or as its fragment alone.
    EXPECT_EQ(read_game_link(link + "\r\n").events, game.events);
    EXPECT_EQ(read_game_link(link.substr(link.find('#'))).events, game.events);
}

}  // namespace
}  // namespace kx
