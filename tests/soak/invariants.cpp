// The rules of tests/soak/invariants.h. Each rule comes from how the game is built: the reset,
// the play tick and its steps, the keyboard, the transition, the boss and the ending.
#include "invariants.h"

#include <cmath>

#include "play/game_keys.h"

namespace kx::soak {
namespace {

// The rule's own text is the message: "after a play tick: s.jikix <= 205".
#define KX_RULE(cond)                                                               \
    do {                                                                            \
        if (!(cond)) throw Violation(std::string("after ") + (after) + ": " #cond); \
    } while (0)

constexpr int kCraftMaxX = 205, kCraftMaxY = 230;
constexpr int kShotParked = 500;
constexpr int kPowerCycle = 500;

bool whole(double v) { return std::isfinite(v) && v == std::floor(v); }

template <typename T>
bool one_of(T v, std::initializer_list<T> set) {
    for (T x : set)
        if (v == x) return true;
    return false;
}

// What a step may change besides the timers; everything else must stay as it was.
enum class Allowed {
    nothing,
    keys,        // the arrows set the craft's speed, Z fires the shot
    transition,  // the craft flies in, and its last tick enters play
};

// The fields that changed from `before` to `now` although the step may not change them; empty
// when there are none.
std::string unexpected_changes(const GameState& before, const GameState& now, Allowed allowed) {
    GameState expected = before;
    if (allowed == Allowed::keys) {
        expected.jikidx = now.jikidx;
        expected.jikidy = now.jikidy;
        expected.laserx = now.laserx;
        expected.lasery = now.lasery;
    } else if (allowed == Allowed::transition) {
        expected.jikix = now.jikix;
        expected.gamemode = now.gamemode;
    }
    if (expected == now) return {};
    std::string names;
#define KX_NAME_IF_CHANGED(type, name) \
    if (!(expected.name == now.name)) names += (names.empty() ? "" : ", ") + std::string(#name);
    KX_GAME_STATE_FIELDS(KX_NAME_IF_CHANGED)
#undef KX_NAME_IF_CHANGED
    return names;
}

// "after a key down: changed but must not: score, i".
#define KX_RULE_UNCHANGED(before, now, allowed)                                                                        \
    do {                                                                                                               \
        const std::string changed = unexpected_changes(before, now, allowed);                                          \
        if (!changed.empty()) throw Violation(std::string("after ") + (after) + ": changed but must not: " + changed); \
    } while (0)

std::array<bool, 3> timers_of(const Game& g) {
    return {g.form1.Timer1.running(), g.form1.Timer2.running(), g.form1.Timer3.running()};
}

}  // namespace

void Coverage::add(const Coverage& o) {
    play_ticks += o.play_ticks;
    transition_ticks += o.transition_ticks;
    ending_ticks += o.ending_ticks;
    key_events += o.key_events;
    games += o.games;
    game_overs += o.game_overs;
    for (std::size_t k = 0; k < boss_fights.size(); ++k) boss_fights[k] += o.boss_fights[k];
    bosses_beaten += o.bosses_beaten;
    power_ups_taken += o.power_ups_taken;
    power_ups_lost += o.power_ups_lost;
    endings_started += o.endings_started;
    endings_finished += o.endings_finished;
}

int running_timers(const Game& g) {
    const auto t = timers_of(g);
    return int(t[0]) + int(t[1]) + int(t[2]);
}

void move_on_to(Game& g, int score, int damage, bool hen) {
    GameState& s = g.s;
    Form1& f = g.form1;
    s.score = score;
    s.bossdamage = damage;
    if (hen) {
        s.powerflag = 1;
        f.jiki.take_picture(f.niwatori);
    }
    const std::size_t stage = std::size_t(score / 20);
    for (auto& duck : f.ahiru) duck.take_picture(f.tsh[stage]);
    // In play a score of 19 modulo 20 is only ever reached in a pass that goes on to call the boss,
    // which holds the ducks out of the shot's reach at once: a jump there must do the same, or the
    // next tick's first shot test could score past the boss.
    if (score % 20 == 19)
        for (int k = 0; k < 3; ++k) s.ahirux[std::size_t(k)] = s.ahirucx[std::size_t(k)] = 450;
    f.boss.take_picture(f.bossi[stage]);
}

// The rules that hold in every state between two events.
void Watch::check_state(const Game& g, const char* after) const {
    const GameState& s = g.s;
    const Form1& f = g.form1;
    const bool t1 = f.Timer1.running(), t2 = f.Timer2.running(), t3 = f.Timer3.running();
    const bool ending = t3 || s.endmode > 0;

    // Phases: one timer at a time (a game over cannot follow the last boss in its tick, so the
    // ending never runs beside another timer), and gamemode tells the title and the transition
    // from play and the ending.
    KX_RULE(running_timers(g) <= 1);
    KX_RULE(s.gamemode == 0 || s.gamemode == 1);
    KX_RULE(!t1 || s.gamemode == 1);
    KX_RULE(!t2 || s.gamemode == 0);
    KX_RULE(!t3 || s.gamemode == 1);
    KX_RULE(s.endmode >= 0 && s.endmode <= 8);
    KX_RULE(s.endmode == 0 || t3 || s.endmode == 8);
    KX_RULE(s.endmode != 8 || running_timers(g) == 0);
    KX_RULE(running_timers(g) > 0 || s.gamemode == 0 || s.endmode == 8);
    if (running_timers(g) == 0 && s.gamemode == 0) {  // the title screen, just as the reset left it
        KX_RULE(s.endmode == 0 && s.score == 0 && s.laserx == kShotParked && s.powerflag == 0);
        KX_RULE(s.jikix == -100 && s.jikiy == 100 && s.jikidx == 0 && s.jikidy == 0);
        KX_RULE(s.bossy == -200 && s.bossdamage == 0 && s.bossflash == 0);
        KX_RULE(s.powercount == 0 && s.powerx == -50 && s.kumox == -30 && s.jimeny == 262);
        for (int k = 0; k < 3; ++k) {
            KX_RULE(s.ahirutype[k] == 0 && s.ahirux[k] == 400 + 10 * k && s.ahiruy[k] == 50 * (k + 1));
            KX_RULE(s.telax[k] == 300 && s.telay[k] == 500);
            KX_RULE(f.ahiru[k].picture() == f.tsh[0].picture());
        }
        KX_RULE(f.boss.picture() == f.bossi[0].picture());
    }

    // Loop counters: the play tick's enemy loop and the reset's leave i at 3 (4 after a game
    // over inside the loop); the boss's picture loop leaves j at 3.
    KX_RULE(s.i == 3 || s.i == 4);
    KX_RULE(s.j == 0 || s.j == 3);

    // The craft.
    KX_RULE(one_of(s.jikidx, {-7, 0, 7}) && one_of(s.jikidy, {-7, 0, 7}));
    KX_RULE(s.jikiy >= 0 && s.jikiy <= kCraftMaxY);
    KX_RULE(s.jikix >= -100 && s.jikix <= 510);
    if (t1) KX_RULE(s.jikix >= 0 && s.jikix <= kCraftMaxX);
    if (t2) KX_RULE(s.jikix >= -100 && s.jikix <= 50);
    if (s.endmode >= 1) KX_RULE(s.jikix > 500);
    KX_RULE(s.powerflag == 0 || s.powerflag == 1);
    KX_RULE(f.jiki.picture() == (s.powerflag ? f.niwatori.picture() : f.kippura.picture()));

    // The shot: in flight from the craft's right edge up to x 400, or parked at 500. In the
    // ending Z still sets it from the craft flying off, and no tick moves it any more.
    if (!ending) {
        KX_RULE((s.laserx >= 32 && s.laserx <= 400) || s.laserx == kShotParked);
        KX_RULE(s.lasery == 0 || (s.lasery >= 10 && s.lasery <= kCraftMaxY + 10));
    } else {
        KX_RULE((s.laserx >= 32 && s.laserx <= 510 + 32) || s.laserx == kShotParked);
        // A page ends on the first y below -100, stepping by 3 from 400, 300 or where Z put it.
        KX_RULE(s.lasery >= -103 && s.lasery <= 400);
    }

    // The score and the stage. Within a boss phase every boss call holds the ducks at x 450,
    // out of reach of the shot, so the score cannot pass 20k + 19 but by beating the boss, and
    // the fifth boss ends play with the score back at 0. The ducks and the boss show the
    // pictures of the stage (the reset and each beaten boss give them).
    KX_RULE(s.score >= 0 && s.score <= 99);
    if (ending) KX_RULE(s.score == 0);
    for (int k = 0; k < 3; ++k) KX_RULE(f.ahiru[k].picture() == f.tsh[std::size_t(s.score / 20)].picture());
    KX_RULE(f.boss.picture() == f.bossi[std::size_t(s.score / 20)].picture());

    // Cloud, ground, power-up, explosion.
    KX_RULE(s.kumox >= -32 && s.kumox <= 400);
    KX_RULE(whole(s.kumoy));
    if (s.endmode == 0) KX_RULE(s.kumoy >= 0 && s.kumoy <= 149 && s.jimeny == 262);
    if (s.endmode >= 2) KX_RULE(s.kumoy > 500);
    KX_RULE(s.powercount >= 0 && s.powercount <= kPowerCycle);
    KX_RULE(s.powerx <= 400 && s.powerx >= -50 - 3 * (kPowerCycle + 1));
    KX_RULE(whole(s.powery) && s.powery >= 0 && s.powery <= 199);
    KX_RULE(s.firecount >= 0);

    // The boss.
    KX_RULE(s.bossdamage >= 0 && s.bossdamage <= 5);
    KX_RULE(s.bossflash >= 0);
    KX_RULE(one_of(s.bossdy, {-1, 0, 1}));
    KX_RULE(s.bossy >= -201 && s.bossy <= 111);
    KX_RULE(s.bossr >= 0 && s.bossr <= 255 && s.bossg >= 0 && s.bossg <= 255 && s.bossb >= 0 && s.bossb <= 255);

    // Ducks and bullets. Straight and bouncing ducks fly from 400 (450 while a boss is held)
    // down to -32; a circling duck is up to 50 from its centre, which flies the same way.
    for (int k = 0; k < 3; ++k) {
        KX_RULE(s.ahirutype[k] >= 0 && s.ahirutype[k] <= 2);
        KX_RULE(one_of(s.teladir[k], {-1, 0, 1}));
        KX_RULE(std::isfinite(s.ahiruangle[k]) && s.ahiruangle[k] >= 0);
        KX_RULE(s.ahirucy[k] >= 0 && s.ahirucy[k] <= 199);
        KX_RULE(s.ahirucx[k] >= -32 && s.ahirucx[k] <= 450);
        KX_RULE(s.ahiruy[k] >= -50 && s.ahiruy[k] <= 249);
        KX_RULE(s.ahirux[k] >= -82 && s.ahirux[k] <= 500);
        KX_RULE(s.telax[k] >= -82 && s.telax[k] <= 500);
        // A bullet drifts up or down by its slot number per tick, at most ~110 ticks from a duck.
        KX_RULE(s.telay[k] >= -400 && s.telay[k] <= 800);
    }

    if (s.endmode == 8) KX_RULE(f.Label1.text() == "  ＴＨＥ ＥＮＤ");

    // Printed text does not pile up: the score line printed on every tick replaces itself.
    KX_RULE(f.prints().size() <= 2);
    KX_RULE(f.laser.prints().size() <= 9);  // the title's nine lines
}

void Watch::remember(const Game& g) {
    prev_ = g.s;
    prev_timers_ = timers_of(g);
}

void Watch::begin(const Game& g) {
    const char* after = "the start";
    check_state(g, after);
    KX_RULE(running_timers(g) == 0 && g.s.gamemode == 0);
    begun_ = true;
    game_over_in_period_ = false;
    remember(g);
}

void Watch::rebase(const Game& g) {
    check_state(g, "a forced change of the state");
    if (g.s.score % 20 == 19 && g.s.score != prev_.score) ++coverage_.boss_fights[std::size_t(g.s.score / 20)];
    remember(g);
}

void Watch::on_message_box(const Game& g, const std::string& prompt, const std::string& title) {
    const char* after = "the game-over box";
    const GameState& s = g.s;
    KX_RULE(title == "GAME OVER");
    KX_RULE(prompt == "SCORE " + std::to_string(s.score));
    KX_RULE(g.form1.Timer1.running() && s.gamemode == 1 && s.powerflag == 0);
    KX_RULE(!game_over_in_period_);  // the tick ends with the reset
    game_over_in_period_ = true;
    ++coverage_.game_overs;
}

void Watch::after_key(const Game& g, bool down, int code) {
    const char* after = down ? "a key down" : "a key up";
    const GameState& s = g.s;
    check_state(g, after);
    ++coverage_.key_events;
    const bool started_from_title = prev_.gamemode == 0;
    if (started_from_title) {
        // Swallowed: only the timers change, and only a key down starts the transition.
        KX_RULE_UNCHANGED(prev_, s, Allowed::nothing);
        if (down)
            KX_RULE(g.form1.Timer2.running() && !g.form1.Timer1.running());
        else
            KX_RULE(timers_of(g) == prev_timers_);
    } else {
        KX_RULE(timers_of(g) == prev_timers_);
        KX_RULE_UNCHANGED(prev_, s, Allowed::keys);
        if (down && code == kGameKeys.fire && prev_.laserx > 400) {
            KX_RULE(s.laserx == s.jikix + 32 && s.lasery == s.jikiy + 10);
        } else {
            KX_RULE(s.laserx == prev_.laserx && s.lasery == prev_.lasery);
        }
        if (!one_of(code, {37, 38, 39, 40})) KX_RULE(s.jikidx == prev_.jikidx && s.jikidy == prev_.jikidy);
    }
    remember(g);
}

void Watch::after_period(const Game& g, std::int64_t ticks) {
    const GameState& s = g.s;
    const GameState& p = prev_;
    const auto timers = timers_of(g);
    int which = 0;  // the timer that ran: the one running before (never more than one)
    for (int k = 0; k < 3; ++k)
        if (prev_timers_[std::size_t(k)]) which = k + 1;
    const bool game_over = game_over_in_period_;
    game_over_in_period_ = false;

    const char* after = which == 1   ? "a play tick"
                        : which == 2 ? "a transition tick"
                        : which == 3 ? "an ending tick"
                                     : "an idle period";
    check_state(g, after);
    KX_RULE(ticks == (which ? 1 : 0));
    KX_RULE(!game_over || which == 1);

    if (which == 0) {
        KX_RULE_UNCHANGED(p, s, Allowed::nothing);
        KX_RULE(timers == prev_timers_);
    } else if (which == 2) {
        ++coverage_.transition_ticks;
        KX_RULE(s.jikix == p.jikix + 5);
        KX_RULE_UNCHANGED(p, s, Allowed::transition);
        if (s.jikix > 50) {
            KX_RULE(timers[0] && !timers[1] && s.gamemode == 1);
            ++coverage_.games;
        } else {
            KX_RULE(timers[1] && s.gamemode == 0);
        }
    } else if (which == 3) {
        ++coverage_.ending_ticks;
        const Form1& f = g.form1;
        KX_RULE(s.score == p.score && s.jikiy == p.jikiy && s.laserx == p.laserx && s.kumox == p.kumox);
        KX_RULE(!f.laser.shown() && !f.power.shown() && !f.tela[0].shown() && !f.tela[1].shown() && !f.tela[2].shown());
        // One step at a time, each block following the one that advanced endmode in the tick.
        if (p.endmode == 0) {  // the craft flies off
            KX_RULE(s.jikix == p.jikix + 10 && (s.endmode == 0) == (s.jikix <= 500));
        } else {
            KX_RULE(s.jikix == p.jikix);
        }
        if (p.endmode <= 1 && s.endmode >= 1) {  // cloud and ground sink, 10 a tick
            KX_RULE(s.kumoy == p.kumoy + 10 && s.jimeny == p.jimeny + 10);
            KX_RULE((s.endmode == 1) == (s.kumoy <= 500));
        } else {
            KX_RULE(s.kumoy == p.kumoy && s.jimeny == p.jimeny);
        }
        KX_RULE(s.endmode == p.endmode || s.endmode == p.endmode + 1);
        if (p.endmode >= 2 && p.endmode <= 7) {  // the staff roll rises 3 a tick
            if (s.endmode == p.endmode) {
                KX_RULE(s.lasery == p.lasery - 3);
                KX_RULE(s.lasery >= (p.endmode == 7 ? 120 : -100));  // the page has not ended
            } else if (p.endmode < 7) {  // the next page starts below the view in the same tick
                KX_RULE(p.lasery - 3 < -100 && s.lasery == (p.endmode == 2 ? 397 : 297));
            } else {  // the last page stops where it stands
                KX_RULE(s.lasery == p.lasery - 3 && s.lasery < 120);
                ++coverage_.endings_finished;
            }
        }
        if (s.endmode == 2 && p.endmode == 1) KX_RULE(s.lasery == 397);
        if (s.endmode >= 2 && s.endmode <= 7) {
            KX_RULE(f.Label1.y() == s.lasery && f.Label1.x() == 120);
            if (s.endmode >= 3 && s.endmode <= 6) KX_RULE(f.Label2.y() == s.lasery + 30);
        }
        if (s.endmode >= 2) KX_RULE(f.background() == (Rgb{0, 0, 0}) && f.prints().empty());
    } else {
        ++coverage_.play_ticks;
        if (game_over) {
            KX_RULE(!timers[0] && !timers[1] && !timers[2] && s.gamemode == 0);
            KX_RULE(s.firecount == 0 && s.i == 4);
        } else {
            // The steps that run on every tick, with their own arithmetic.
            const int x = std::min(std::max(p.jikix + p.jikidx, 0), kCraftMaxX);
            const int y = std::min(std::max(p.jikiy + p.jikidy, 0), kCraftMaxY);
            KX_RULE(s.jikix == x && s.jikiy == y);
            KX_RULE(s.kumox == p.kumox - 1 || (p.kumox - 1 < -32 && s.kumox == 400));
            KX_RULE(s.kumoy == p.kumoy || s.kumox == 400);
            KX_RULE(s.powercount == (p.powercount + 1) % (kPowerCycle + 1));
            KX_RULE(s.firecount == p.firecount + 1 || s.firecount == 0);
            KX_RULE(s.laserx == kShotParked || (p.laserx + 10 <= 400 && s.laserx == p.laserx + 10));
            KX_RULE(s.lasery == p.lasery);
            KX_RULE(s.i == 3);
            // Three ducks and one boss at most: the score never goes down in play, except to 0 at
            // the end of the last boss.
            KX_RULE((s.score >= p.score && s.score <= p.score + 4) || (timers[2] && s.score == 0));
            for (int k = 0; k < 3; ++k) {
                const double a = p.ahiruangle[k];
                KX_RULE(s.ahiruangle[k] == a || s.ahiruangle[k] == a + 0.05 || s.ahiruangle[k] == a + 0.1);
            }
            if (s.powerflag == 1 && p.powerflag == 0) ++coverage_.power_ups_taken;
            if (s.powerflag == 0 && p.powerflag == 1) ++coverage_.power_ups_lost;
            // Bosses: a phase begins when the score reaches 20k + 19 and ends with the sixth hit,
            // or when the parked shot meets a circling duck beyond the right edge.
            if (s.score % 20 == 19 && p.score != s.score) ++coverage_.boss_fights[std::size_t(s.score / 20)];
            if (p.score % 20 == 19 && s.score != p.score) {  // only the sixth hit ends a boss phase
                KX_RULE(s.score == (p.score + 1) % 100 && s.bossy == -200 && s.bossflash == 24);
                KX_RULE(s.bossdamage == 0 && p.bossdamage == 5 && s.j == 3);
                ++coverage_.bosses_beaten;
            }
            if (timers[2]) {
                ++coverage_.endings_started;
                KX_RULE(p.score == 99);
            }
        }
    }
    remember(g);
}

}  // namespace kx::soak
