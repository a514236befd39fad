// Test helpers.
#include "test_support.h"

#include <memory>

#include "play/play.h"
#include "sequences/sequences.h"

namespace kx::test {

const GlyphRun& BlockText::rasterize(const std::string& text, const FontSpec&) {
    auto run = std::make_unique<GlyphRun>();
    run->width = int(text.size()) * 6;
    run->height = 10;
    run->coverage.assign(std::size_t(run->width) * 10, 255);
    runs_.push_back(std::move(run));
    return *runs_.back();
}

TestGame::TestGame() : game(services, &text), s(game.s), f(game.form1) { Form_Initialize(game); }

void TestGame::start_play() {
    press(32);
    while (f.Timer2.running()) Timer2_Timer(game);
}

void TestGame::press(int code) {
    int key = code;
    Form_KeyDown(game, key, 0);
}

void TestGame::release(int code) { Form_KeyUp(game, code, 0); }

void TestGame::tick() { Timer1_Timer(game); }

}  // namespace kx::test
