// autopilot: plays the game headless by looking a few ticks ahead, and writes what it pressed as a
// replayable input file. It makes the long recorded games of tests/replays (bosses, power-ups,
// the ending) without anyone having to play them by hand.
//
//   autopilot --seed N [--max-ticks T] [--out FILE]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "play/play.h"
#include "run/seeded_random.h"
#include "sequences/sequences.h"

namespace kx {
namespace {

constexpr int kHorizon = 24;  // ticks looked ahead for each choice

// The game's services, copyable so that a look-ahead can be undone.
class Services final : public GameServices {
public:
    explicit Services(std::uint32_t seed) : random(seed) {}
    void reseed() override { random.reseed(); }
    double rnd() override { return random.next(); }
    void message_box(const std::string&, const std::string&) override { ++game_overs; }
    SeededRandom random;
    int game_overs = 0;
};

struct Snapshot {
    GameState s;
    SeededRandom random;
    int game_overs;
    int timers[3];
};

class Pilot {
public:
    explicit Pilot(std::uint32_t seed) : services_(seed), game_(services_, nullptr) { Form_Initialize(game_); }

    // Plays until the ending is over or the tick limit; returns the input file's text.
    std::string play(std::int64_t max_ticks) {
        std::string out = "# made by tools/autopilot\nseed " + std::to_string(services_.random.base()) + "\n";
        while (ticks_ < max_ticks) {
            if (!any_timer()) {
                if (game_.s.endmode == 8) break;  // the staff roll is over
                key(out, true, 32);               // the title screen: start a game
                key(out, false, 32);
                continue;
            }
            if (game_.form1.Timer1.running()) steer(out);
            run_period();
        }
        return out;
    }

    int game_overs() const { return services_.game_overs; }
    std::int64_t ticks() const { return ticks_; }
    const GameState& state() const { return game_.s; }

private:
    bool any_timer() const {
        const Form1& f = game_.form1;
        return f.Timer1.running() || f.Timer2.running() || f.Timer3.running();
    }

    void run_period() {
        Form1& f = game_.form1;
        const bool due[3] = {f.Timer1.running(), f.Timer2.running(), f.Timer3.running()};
        if (due[0] && f.Timer1.running()) {
            Timer1_Timer(game_);
            ++ticks_;
        }
        if (due[1] && f.Timer2.running()) {
            Timer2_Timer(game_);
            ++ticks_;
        }
        if (due[2] && f.Timer3.running()) {
            Timer3_Timer(game_);
            ++ticks_;
        }
    }

    void key(std::string& out, bool down, int code) {
        int k = code;
        if (down)
            Form_KeyDown(game_, k, 0);
        else
            Form_KeyUp(game_, k, 0);
        out += std::to_string(ticks_) + (down ? " down " : " up ") + std::to_string(code) + "\n";
    }

    Snapshot save() const {
        const Form1& f = game_.form1;
        return {game_.s,
                services_.random,
                services_.game_overs,
                {f.Timer1.interval(), f.Timer2.interval(), f.Timer3.interval()}};
    }
    void restore(const Snapshot& snap) {
        game_.s = snap.s;
        services_.random = snap.random;
        services_.game_overs = snap.game_overs;
        game_.form1.Timer1.set_interval(snap.timers[0]);
        game_.form1.Timer2.set_interval(snap.timers[1]);
        game_.form1.Timer3.set_interval(snap.timers[2]);
    }

    // Where the craft's top should be: level with the weak spot in a boss fight, else level with
    // the nearest duck ahead that is in view.
    int target_y() const {
        const GameState& s = game_.s;
        if (s.score % 20 == 19) return s.bossy + s.bosshity - 15;
        int best = -1, best_x = 1 << 30;
        for (int k = 0; k < 3; ++k)
            if (s.ahirux[k] > s.jikix + 20 && s.ahirux[k] < 380 && s.ahirux[k] < best_x) {
                best_x = s.ahirux[k];
                best = k;
            }
        return best < 0 ? 115 : s.ahiruy[best] + 1;
    }

    // Holds one choice of speeds for the horizon, firing whenever it can; higher is better.
    double value_of(int dx, int dy) {
        GameState& s = game_.s;
        const int score0 = s.score, overs0 = services_.game_overs, power0 = s.powerflag;
        double value = 0;
        for (int t = 0; t < kHorizon; ++t) {
            s.jikidx = 7 * dx;
            s.jikidy = 7 * dy;
            if (s.laserx > 400) {
                int z = kKeyZ;
                Form_KeyDown(game_, z, 0);
            }
            const int powered = s.powerflag;
            Timer1_Timer(game_);
            if (services_.game_overs != overs0) return -1e9 + t * 1e6;  // sooner is worse
            if (powered && !s.powerflag) value -= 2e5 / (t + 1);
            if (!game_.form1.Timer1.running()) break;  // the ending began
        }
        if (s.score != score0) value += 1e4 * ((s.score - score0 + 100) % 100);
        if (s.powerflag > power0) value += 5e3;
        value -= std::abs(s.jikiy - target_y()) * 10.0 + std::abs(s.jikix - 90) * 0.5;
        return value;
    }

    void steer(std::string& out) {
        const Snapshot snap = save();
        int best_dx = 0, best_dy = 0;
        double best = -1e300;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const double v = value_of(dx, dy);
                restore(snap);
                if (v > best) {
                    best = v;
                    best_dx = dx;
                    best_dy = dy;
                }
            }
        hold(out, best_dx, held_dx_, kKeyLeft, kKeyRight);
        hold(out, best_dy, held_dy_, kKeyUp, kKeyDown);
        if (game_.s.laserx > 400) {
            key(out, true, kKeyZ);
            key(out, false, kKeyZ);
        }
    }

    // Presses or releases the keys of one axis so that its speed becomes `want`.
    void hold(std::string& out, int want, int& held, int minus_key, int plus_key) {
        if (want == held) return;
        if (held != 0) key(out, false, held < 0 ? minus_key : plus_key);
        if (want != 0) key(out, true, want < 0 ? minus_key : plus_key);
        held = want;
    }

    Services services_;
    Game game_;
    std::int64_t ticks_ = 0;
    int held_dx_ = 0, held_dy_ = 0;
};

}  // namespace
}  // namespace kx

int main(int argc, char** argv) {
    std::uint32_t seed = 1;
    std::int64_t max_ticks = 200000;
    std::string out_path = "-";
    for (int n = 1; n + 1 < argc; n += 2) {
        const std::string opt = argv[n], value = argv[n + 1];
        if (opt == "--seed")
            seed = std::uint32_t(std::strtoul(value.c_str(), nullptr, 10));
        else if (opt == "--max-ticks")
            max_ticks = std::strtoll(value.c_str(), nullptr, 10);
        else if (opt == "--out")
            out_path = value;
        else {
            std::cerr << "usage: autopilot [--seed N] [--max-ticks T] [--out FILE]\n";
            return 2;
        }
    }
    kx::Pilot pilot(seed);
    const std::string text = pilot.play(max_ticks);
    if (out_path == "-")
        std::cout << text;
    else
        std::ofstream(out_path) << text;
    std::cerr << "autopilot: " << pilot.ticks() << " ticks, " << pilot.game_overs() << " game overs, endmode "
              << pilot.state().endmode << "\n";
    return 0;
}
