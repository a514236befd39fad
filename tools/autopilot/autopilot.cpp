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

#include "elements/virtual_keys.h"
#include "formats/byte_sink.h"
#include "formats/recording.h"
#include "play/game_keys.h"
#include "play/play.h"
#include "run/session.h"

namespace kx {
namespace {

constexpr int kHorizon = 24;  // ticks looked ahead for each choice

class Pilot {
public:
    explicit Pilot(std::uint32_t seed)
        : session_(seed, nullptr, [this](const std::string&, const std::string&) { ++game_overs_; }) {
        session_.start();
    }

    // Plays until the ending is over or the tick limit; returns the input file's text.
    std::string play(std::int64_t max_ticks) {
        StringSink out;
        write_recording_start(out, session_.base_seed(), "made by tools/autopilot");
        while (session_.ticks() < max_ticks) {
            if (!session_.any_timer_running()) {
                if (state().endmode == 8) break;  // the staff roll is over
                key(out, true, kKeySpace);        // the title screen: any key starts a game
                key(out, false, kKeySpace);
                continue;
            }
            if (session_.game().form1.Timer1.running()) steer(out);
            session_.run_period();
        }
        return out.text();
    }

    int game_overs() const { return game_overs_; }
    std::int64_t ticks() const { return session_.ticks(); }
    const GameState& state() const { return session_.game().s; }

private:
    void key(ByteSink& out, bool down, int code) {
        write_key_event(out, KeyEvent{session_.ticks(), down, code});
        session_.key(down, code);
    }

    // Where the craft's top should be: level with the weak spot in a boss fight, else level with
    // the nearest duck ahead that is in view.
    int target_y() const {
        const GameState& s = state();
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
        GameState& s = session_.game().s;
        const int score0 = s.score, overs0 = game_overs_, power0 = s.powerflag;
        double value = 0;
        for (int t = 0; t < kHorizon; ++t) {
            s.jikidx = 7 * dx;
            s.jikidy = 7 * dy;
            if (s.laserx > 400) session_.key(true, kGameKeys.fire);
            const int powered = s.powerflag;
            session_.run_period();                             // in play only the play tick runs
            if (game_overs_ != overs0) return -1e9 + t * 1e6;  // sooner is worse
            if (powered && !s.powerflag) value -= 2e5 / (t + 1);
            if (!session_.game().form1.Timer1.running()) break;  // the ending began
        }
        if (s.score != score0) value += 1e4 * ((s.score - score0 + 100) % 100);
        if (s.powerflag > power0) value += 5e3;
        value -= std::abs(s.jikiy - target_y()) * 10.0 + std::abs(s.jikix - 90) * 0.5;
        return value;
    }

    void steer(ByteSink& out) {
        const SessionSnapshot snap = session_.snapshot();
        const int overs = game_overs_;
        int best_dx = 0, best_dy = 0;
        double best = -1e300;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const double v = value_of(dx, dy);
                session_.restore(snap);
                game_overs_ = overs;
                if (v > best) {
                    best = v;
                    best_dx = dx;
                    best_dy = dy;
                }
            }
        hold(out, best_dx, held_dx_, kGameKeys.left, kGameKeys.right);
        hold(out, best_dy, held_dy_, kGameKeys.up, kGameKeys.down);
        if (state().laserx > 400) {
            key(out, true, kGameKeys.fire);
            key(out, false, kGameKeys.fire);
        }
    }

    // Presses or releases the keys of one axis so that its speed becomes `want`.
    void hold(ByteSink& out, int want, int& held, int minus_key, int plus_key) {
        if (want == held) return;
        if (held != 0) key(out, false, held < 0 ? minus_key : plus_key);
        if (want != 0) key(out, true, want < 0 ? minus_key : plus_key);
        held = want;
    }

    Session session_;
    int game_overs_ = 0;
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
        std::ofstream(out_path, std::ios::binary) << text;
    std::cerr << "autopilot: " << pilot.ticks() << " ticks, " << pilot.game_overs() << " game overs, endmode "
              << pilot.state().endmode << "\n";
    return 0;
}
