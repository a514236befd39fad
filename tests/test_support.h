// Shared helpers of the tests: a game with scripted random numbers and a simple text stand-in.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "elements/text_style.h"
#include "form/game.h"

namespace kx::test {

// Every character is a solid 6 x 10 block: enough to see where text lands.
class BlockText final : public TextRasterizer {
public:
    const GlyphRun& rasterize(const std::string& text, const FontSpec& font) override;
    int line_skip(const FontSpec&) override { return 12; }

private:
    std::vector<std::unique_ptr<GlyphRun>> runs_;
};

// Random numbers come from a queue (0.5 once it is empty); message boxes are recorded.
class ScriptedServices final : public GameServices {
public:
    void reseed() override { ++reseeds; }
    double rnd() override {
        ++draws;
        if (numbers.empty()) return 0.5;
        const double r = numbers.front();
        numbers.pop_front();
        return r;
    }
    void message_box(const std::string& prompt, const std::string& title) override {
        boxes.push_back(title + "|" + prompt);
    }

    std::deque<double> numbers;
    std::vector<std::string> boxes;
    int reseeds = 0;
    int draws = 0;
};

// A game right after the program start: reset done, title drawn.
struct TestGame {
    TestGame();
    ScriptedServices services;
    BlockText text;
    Game game;
    GameState& s;
    Form1& f;

    // Presses a key on the title screen and runs the transition until play begins.
    void start_play();
    void press(int code);
    void release(int code);
    // One play tick.
    void tick();
};

}  // namespace kx::test
