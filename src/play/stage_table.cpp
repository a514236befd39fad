// The stage table: each stage's boss colour and weak spot, as five texts of 3-digit fields.
#include <string_view>

#include "boss/boss.h"
#include "play/play.h"

namespace kx {
namespace {

// One field per stage 0..4: characters 3k+1 to 3k+3 of each text.
constexpr std::string_view kBossRed = "255255132255255";
constexpr std::string_view kBossGreen = "255181132255255";
constexpr std::string_view kBossBlue = "255082132255000";
constexpr std::string_view kBossHitX = "270257271270264";
constexpr std::string_view kBossHitY = "120113094120110";

int field(std::string_view text, int stage) {
    int value = 0;
    for (char digit : text.substr(std::size_t(stage) * 3, 3)) value = value * 10 + (digit - '0');
    return value;
}

}  // namespace

void boss_stage_step(Game& g) {
    GameState& s = g.s;
    if (s.score % 20 != 19) return;
    const int stage = s.score / 20;  // the score is never negative, so this is the floor
    s.bossr = field(kBossRed, stage);
    s.bossg = field(kBossGreen, stage);
    s.bossb = field(kBossBlue, stage);
    s.bosshitx = field(kBossHitX, stage);
    s.bosshity = field(kBossHitY, stage);
    bossshutugen(g);
}

}  // namespace kx
