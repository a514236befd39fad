// The browser's text table against the desktop's font engine: every entry is the engine's own
// rendering, no text the game shows is missing from it (the golden replays and a long random
// soak), and frames drawn from the table equal the engine's frames byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>

#include "draw/overlays.h"
#include "draw/renderer.h"
#include "draw/table_text.h"
#include "elements/virtual_keys.h"
#include "formats/input_script.h"
#include "platform/font_files.h"
#include "platform/ttf_text.h"
#include "play/game_keys.h"
#include "run/session.h"

namespace kx {
namespace {

namespace fs = std::filesystem;

TtfText& fonts() {
    static TtfText text(find_font_files());
    return text;
}

// Draws the same game with both and counts the frames that differ.
class TwinFrames {
public:
    explicit TwinFrames(TableText& table) : table_renderer_(table), ttf_renderer_(fonts()) {}
    void compare(const Form1& form) {
        table_renderer_.draw(form, *table_frame_);
        ttf_renderer_.draw(form, *ttf_frame_);
        ++compared_;
        if (table_frame_->pixels != ttf_frame_->pixels) ++differing_;
    }
    // The game-over box over the frame of the moment, and the pause.
    void compare_overlays(const PendingBox& box, TableText& table) {
        *table_frame_ = *box.frame;
        *ttf_frame_ = *box.frame;
        draw_game_over_box(*table_frame_, table, box.title, box.prompt, false);
        draw_game_over_box(*ttf_frame_, fonts(), box.title, box.prompt, false);
        draw_paused(*table_frame_, table);
        draw_paused(*ttf_frame_, fonts());
        ++compared_;
        if (table_frame_->pixels != ttf_frame_->pixels) ++differing_;
    }
    int compared() const { return compared_; }
    int differing() const { return differing_; }

private:
    Renderer table_renderer_, ttf_renderer_;
    std::unique_ptr<Frame> table_frame_ = std::make_unique<Frame>(), ttf_frame_ = std::make_unique<Frame>();
    int compared_ = 0, differing_ = 0;
};

TEST(TextTable, EveryEntryIsTheFontEnginesOwnRendering) {
    ASSERT_GT(kTextTable.entry_count, 100u);  // the title, a hundred scores, the staff roll
    for (std::size_t k = 0; k < kTextTable.entry_count; ++k) {
        const TextTableEntry& e = kTextTable.entries[k];
        const FontSpec font{FontFace(e.face), e.quarter_points / 4.0, e.bold, e.italic};
        const GlyphRun& real = fonts().rasterize(e.text, font);
        ASSERT_EQ(real.width, e.width) << e.text;
        ASSERT_EQ(real.height, e.height) << e.text;
        const std::vector<unsigned char> table(kTextTable.coverage + e.coverage_at,
                                               kTextTable.coverage + e.coverage_at + real.coverage.size());
        EXPECT_EQ(real.coverage, table) << e.text;
        EXPECT_EQ(fonts().line_skip(font), TableText(kTextTable).line_skip(font)) << e.text;
    }
}

TEST(TextTable, AnUnknownTextDrawsNothingAndIsReported) {
    TableText text(kTextTable);
    EXPECT_EQ(text.rasterize("SCORE 100000", FontSpec{FontFace::Interface, 9}).width, 0);
    EXPECT_EQ(text.line_skip(FontSpec{FontFace::Gothic, 71}), 0);
    EXPECT_EQ(text.missing().size(), 2u);
}

TEST(TextTable, GoldenReplaysNeedNoTextBeyondTheTableAndLookTheSame) {
    int replays = 0, boxes = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(KX_SOURCE_DIR) / "tests" / "replays")) {
        if (entry.path().extension() != ".txt") continue;
        ++replays;
        const InputScript input = read_input_script(entry.path().string());
        TableText table(kTextTable);
        TwinFrames twins(table);
        Session session(input.seed.value_or(0), &table, nullptr);
        session.keep_boxes();
        session.start();
        twins.compare(session.game().form1);
        std::size_t next = 0;
        // Events between ticks as the headless run handles them; a frame after every period.
        for (;;) {
            const auto& events = input.events;
            if (next < events.size() && (events[next].tick <= session.ticks() || !session.any_timer_running())) {
                session.key(events[next].down, events[next].code);
                ++next;
                continue;
            }
            if (!session.any_timer_running()) break;
            session.run_period();
            twins.compare(session.game().form1);
            if (session.box_pending()) {
                twins.compare_overlays(*session.take_box(), table);
                ++boxes;
            }
        }
        EXPECT_TRUE(table.missing().empty()) << entry.path() << ": " << *table.missing().begin();
        EXPECT_EQ(twins.differing(), 0) << entry.path() << " of " << twins.compared() << " frames";
        EXPECT_GT(twins.compared(), 100) << entry.path();
    }
    EXPECT_GE(replays, 2);
    EXPECT_GE(boxes, 1);  // a game over among them
}

// Random keys for a long run: game after game, a few of them far into the stages.
TEST(TextTable, ALongSoakNeedsNoTextBeyondTheTable) {
    TableText table(kTextTable);
    TwinFrames twins(table);
    std::mt19937 random(20260);
    const int keys[] = {kGameKeys.left, kGameKeys.up,   kGameKeys.right, kGameKeys.down,
                        kGameKeys.fire, kGameKeys.fire, kKeyReturn,      kKeyA};
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        Session session(seed, &table, nullptr);
        session.start();
        bool held[256] = {};
        while (session.ticks() < 60000) {
            if (random() % 8 == 0) {
                const int code = keys[random() % std::size(keys)];
                held[code] = !held[code];
                session.key(held[code], code);
            }
            if (!session.any_timer_running()) {
                session.key(true, kGameKeys.fire);  // any key starts the next game
                session.key(false, kGameKeys.fire);
                continue;
            }
            session.run_period();
            if (session.ticks() % 97 == 0) twins.compare(session.game().form1);
        }
    }
    EXPECT_TRUE(table.missing().empty()) << *table.missing().begin();
    EXPECT_EQ(twins.differing(), 0) << "of " << twins.compared() << " frames";
}

}  // namespace
}  // namespace kx
