// The game's texts, collected by drawing what the game draws.
#include "text_catalogue.h"

#include <cmath>
#include <memory>

#include "draw/overlays.h"
#include "draw/renderer.h"
#include "run/session.h"
#include "sequences/sequences.h"

namespace kx {
namespace {

RecordingText::FontKey key_of(const FontSpec& font) {
    return {int(font.face), int(std::lround(font.points * 4)), font.bold, font.italic};
}

// The score can reach this before the last boss resets it.
constexpr int kHighestScore = 99;
// The staff roll is over long before this.
constexpr std::int64_t kEndingTicks = 20000;

}  // namespace

const GlyphRun& RecordingText::rasterize(const std::string& text, const FontSpec& font) {
    const GlyphRun& run = real_.rasterize(text, font);
    runs_[{key_of(font), text}] = &run;
    line_skip(font);
    return run;
}

int RecordingText::line_skip(const FontSpec& font) {
    const int skip = real_.line_skip(font);
    line_skips_[key_of(font)] = skip;
    return skip;
}

void show_every_text(RecordingText& text) {
    Session session(0, &text, nullptr);
    session.start();
    Renderer renderer(text);
    auto frame = std::make_unique<Frame>();
    renderer.draw(session.game().form1, *frame);  // the title

    // The score line, as the play tick prints it, for every score.
    Form1& form = session.game().form1;
    for (int score = 0; score <= kHighestScore; ++score) {
        form.print("SCORE " + std::to_string(score));
        renderer.draw(form, *frame);
    }

    // The overlays of the window and the page: the box for every score, the pause, the replay.
    for (int score = 0; score <= kHighestScore; ++score) {
        draw_game_over_box(*frame, text, "GAME OVER", "SCORE " + std::to_string(score), false);
        draw_game_over_box(*frame, text, "GAME OVER", "SCORE " + std::to_string(score), true);
    }
    draw_paused(*frame, text);
    draw_replay_mark(*frame, text);

    // The ending with the whole staff roll.
    ending(session.game());
    while (session.any_timer_running() && session.ticks() < kEndingTicks) {
        session.run_period();
        renderer.draw(session.game().form1, *frame);
    }
}

}  // namespace kx
