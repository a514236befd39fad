// bossshutugen: holds the ducks back, runs the boss up and down, flashes it, and counts hits on
// its weak spot; the sixth sinks it and moves play to the next stage.
#include <cstdlib>

#include "boss/boss.h"
#include "sequences/sequences.h"

namespace kx {
namespace {

constexpr int kDucksHeldAt = 450;
constexpr int kBossLeft = 240;
constexpr int kTurnBelowTop = 0;
constexpr int kTurnAboveBottom = 110;
constexpr std::int64_t kFlashCalls = 25;  // the colour comes back on this call after a hit
constexpr Rgb kFlashColour = Rgb::from_number(33023);
constexpr int kWeakSpotReach = 18;
constexpr int kHitsToBeat = 5;  // beaten once the damage is above this
constexpr int kSunkDepth = 300;
constexpr int kNextBossStart = -200;
constexpr int kLastScore = 99;

Rgb stage_colour(const GameState& s) {
    return Rgb{std::uint8_t(s.bossr), std::uint8_t(s.bossg), std::uint8_t(s.bossb)};
}

void hold_ducks(GameState& s) {
    s.ahirux[0] = kDucksHeldAt;
    s.ahirux[1] = kDucksHeldAt;
    s.ahirux[2] = kDucksHeldAt;
    s.ahirucx[0] = kDucksHeldAt;
    s.ahirucx[1] = kDucksHeldAt;
    s.ahirucx[2] = kDucksHeldAt;
}

void move_boss(GameState& s, Form1& f) {
    s.bossy = s.bossy + s.bossdy;
    if (s.bossy > kTurnAboveBottom) s.bossdy = -1;
    if (s.bossy < kTurnBelowTop) s.bossdy = 1;
    f.boss.place(kBossLeft, s.bossy);
}

bool shot_on_weak_spot(const GameState& s) {
    return s.bossflash > kFlashCalls - 1 && s.laserx > s.bosshitx + 1 && s.laserx < s.bosshitx + 21 &&
           std::abs((s.lasery + 5) - (s.bossy + s.bosshity)) < kWeakSpotReach;
}

void beat_boss(Game& g) {
    GameState& s = g.s;
    Form1& f = g.form1;
    s.score = s.score + 1;
    s.bossdamage = 0;
    // The whole slide happens within this call.
    while (s.bossy < kSunkDepth) {
        s.bossy = s.bossy + 1;
        f.boss.place(kBossLeft, s.bossy);
    }
    if (s.score > kLastScore) {
        s.score = 0;
        ending(g);  // only switches the timers: this call and this tick run to their ends
    }
    s.bossy = kNextBossStart;
    const int stage = s.score / 20;
    for (s.j = 0; s.j <= 2; ++s.j) f.ahiru[std::size_t(s.j)].take_picture(f.tsh[std::size_t(stage)]);
    f.boss.take_picture(f.bossi[std::size_t(stage)]);
    s.bossflash = kFlashCalls - 1;  // the next boss takes its colour and opens to hits on its first call
}

}  // namespace

void bossshutugen(Game& g) {
    GameState& s = g.s;
    Form1& f = g.form1;
    hold_ducks(s);
    move_boss(s, f);
    s.bossflash = s.bossflash + 1;
    if (s.bossflash == kFlashCalls) f.boss.set_background(stage_colour(s));
    if (!shot_on_weak_spot(s)) return;
    s.bossflash = 0;
    s.laserx = kShotParkedX;
    s.bossdamage = s.bossdamage + 1;
    f.boss.set_background(kFlashColour);
    if (s.bossdamage <= kHitsToBeat) return;
    beat_boss(g);
}

}  // namespace kx
