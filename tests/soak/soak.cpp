// kx_soak: plays the game headless for a long time with random keys and checks the rules of
// invariants.h after every key event and every tick.
//
//   kx_soak [--ticks N] [--seconds S] [--seed N] [--quiet]
//
// --ticks N     stop after N ticks (default 100 000 000)
// --seconds S   stop after S seconds of real time as well (default: no limit)
// --seed N      seed of the keys and of the games (default 1); the same seed and --ticks give
//               the same run
//
// Random keys rarely get far, so some games are helped along: they start with the score just
// short of a boss or at the last boss with five hits taken (sometimes with the power-up), and
// the craft then aims at the boss's weak spot. That way the soak goes through every stage's boss,
// the ending with its staff roll, and fresh runs of the program after it. Exit status: 0 when
// every rule held, 1 on a broken rule or a failure (the message says which rule, at which tick,
// and how to repeat the run), 2 on a bad command line.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "formats/byte_sink.h"
#include "formats/trace.h"
#include "invariants.h"
#include "play/game_keys.h"
#include "play/play.h"
#include "run/session.h"

namespace {

using kx::soak::Coverage;
using kx::soak::Watch;

// splitmix64: small, fast and the same everywhere.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 <= result < n
    int below(int n) { return int(next() % std::uint64_t(n)); }
    bool one_in(int n) { return below(n) == 0; }

private:
    std::uint64_t state_;
};

struct Options {
    std::int64_t ticks = 100'000'000;
    double seconds = 0;  // 0: no limit
    std::uint64_t seed = 1;
    bool quiet = false;
};

[[noreturn]] void usage(const std::string& why) {
    std::cerr << "kx_soak: " << why << "\nusage: kx_soak [--ticks N] [--seconds S] [--seed N] [--quiet]\n";
    std::exit(2);
}

Options parse(int argc, char** argv) {
    Options o;
    for (int a = 1; a < argc; ++a) {
        const std::string arg = argv[a];
        auto value = [&]() -> std::string {
            if (a + 1 >= argc) usage(arg + " needs a value");
            return argv[++a];
        };
        try {
            std::size_t used = 0;
            if (arg == "--ticks") {
                const std::string v = value();
                o.ticks = std::stoll(v, &used);
                if (used != v.size() || o.ticks < 0) usage("bad --ticks " + v);
            } else if (arg == "--seconds") {
                const std::string v = value();
                o.seconds = std::stod(v, &used);
                if (used != v.size() || !(o.seconds >= 0)) usage("bad --seconds " + v);
            } else if (arg == "--seed") {
                const std::string v = value();
                o.seed = std::stoull(v, &used);
                if (used != v.size() || v.front() == '-') usage("bad --seed " + v);
            } else if (arg == "--quiet") {
                o.quiet = true;
            } else if (arg == "--help") {
                std::cout << "usage: kx_soak [--ticks N] [--seconds S] [--seed N] [--quiet]\n";
                std::exit(0);
            } else {
                usage("unknown option " + arg);
            }
        } catch (const std::logic_error&) {
            usage("bad value for " + arg);
        }
    }
    return o;
}

class Soak {
public:
    explicit Soak(const Options& o) : options_(o), rng_(o.seed) {}

    // Runs until the tick budget or the time is used up; throws on a broken rule.
    void run() {
        using clock = std::chrono::steady_clock;
        const auto start = clock::now();
        auto next_report = start + std::chrono::seconds(10);
        new_session();
        while (ticks_ < options_.ticks) {
            step();
            if ((++steps_ & 0xFFF) == 0) {
                const auto now = clock::now();
                const double elapsed = std::chrono::duration<double>(now - start).count();
                if (options_.seconds > 0 && elapsed >= options_.seconds) break;
                if (!options_.quiet && now >= next_report) {
                    std::fprintf(stderr, "kx_soak: %lld ticks, %.0f s\n", static_cast<long long>(ticks_), elapsed);
                    next_report = now + std::chrono::seconds(10);
                }
            }
        }
        elapsed_ = std::chrono::duration<double>(clock::now() - start).count();
        total_.add(watch_->coverage());
    }

    void report(std::ostream& out) const {
        const Coverage& c = total_;
        out << "kx_soak: seed " << options_.seed << ", " << ticks_ << " ticks in " << elapsed_
            << " s: " << static_cast<long long>(elapsed_ > 0 ? double(ticks_) / elapsed_ : 0) << " ticks/s\n";
        out << "  runs of the program " << runs_ << ", games " << c.games << ", game overs " << c.game_overs
            << ", key events " << c.key_events << "\n";
        out << "  ticks: play " << c.play_ticks << ", transition " << c.transition_ticks << ", ending "
            << c.ending_ticks << "\n";
        out << "  boss fights by stage:";
        for (std::size_t k = 0; k < c.boss_fights.size(); ++k) out << " " << c.boss_fights[k];
        out << "; beaten " << c.bosses_beaten << "\n";
        out << "  power-ups taken " << c.power_ups_taken << ", lost " << c.power_ups_lost << "; endings started "
            << c.endings_started << ", finished " << c.endings_finished << "\n";
    }

    // Where a failure happened, and how to repeat it.
    std::string where() const {
        std::ostringstream out;
        out << "at tick " << ticks_ << " (run " << runs_ << ", game seed " << (session_ ? session_->base_seed() : 0)
            << ", " << session_ticks() << " ticks into the run); repeat with: kx_soak --seed " << options_.seed
            << " --ticks " << ticks_ + 1;
        return out.str();
    }
    void dump_state(std::ostream& out) const {
        if (!session_) return;
        kx::StringSink record;
        kx::TraceWriter(record).tick(session_->game(), session_->ticks(), 0);
        out << record.text();
    }

private:
    std::int64_t session_ticks() const { return session_ ? session_->ticks() : 0; }

    // A fresh run of the program: a new window, the reset and the title.
    void new_session() {
        if (watch_) total_.add(watch_->coverage());
        watch_ = std::make_unique<Watch>();
        ++runs_;
        const auto seed = std::uint32_t(rng_.next());
        Watch* watch = watch_.get();
        // The box is closed at once, as in a headless run; the handler sees the game as it is.
        session_ = std::make_unique<kx::Session>(seed, nullptr,
                                                 [this, watch](const std::string& prompt, const std::string& title) {
                                                     watch->on_message_box(session_->game(), prompt, title);
                                                 });
        session_->start();
        watch_->begin(session_->game());
        aim_ = false;
    }

    void key(bool down, int code) {
        session_->key(down, code);
        watch_->after_key(session_->game(), down, code);
    }

    int random_code() {
        static constexpr int kCodes[] = {kx::kGameKeys.left, kx::kGameKeys.up,   kx::kGameKeys.right,
                                         kx::kGameKeys.down, kx::kGameKeys.fire, kx::kGameKeys.fire,
                                         kx::kGameKeys.fire};
        if (rng_.one_in(20)) return rng_.below(65536);  // any other key
        return kCodes[rng_.below(int(std::size(kCodes)))];
    }

    void random_key() { key(rng_.below(3) != 0, random_code()); }

    // Some games move on to a boss when play begins; see move_on_to().
    void help_when_play_begins() {
        const int pick = rng_.below(100);
        aim_ = false;
        if (pick < 40) return;
        if (pick < 60) {  // a random score within the five stages, no help
            kx::soak::move_on_to(session_->game(), rng_.below(100), 0, false);
        } else if (pick < 88) {  // at a boss of stages 0..4, or one duck short of it
            aim_ = true;
            kx::soak::move_on_to(session_->game(), 20 * rng_.below(5) + 18 + int(rng_.below(4) != 0), 0, false);
        } else {  // the last boss with five hits taken
            aim_ = true;
            kx::soak::move_on_to(session_->game(), 99, 5, rng_.one_in(2));
        }
        watch_->rebase(session_->game());
    }

    // Keys that fly the craft to the right edge and hold its shot level with the weak spot.
    void aim_at_boss() {
        const kx::GameState& s = session_->game().s;
        if (s.score % 20 != 19 || s.bosshity == 0) return;
        if (s.jikidx != 7) return key(true, kx::kGameKeys.right);
        // Where the weak spot will be when a shot fired now reaches its zone, about 4 ticks of
        // 3 boss steps each.
        int bossy = s.bossy, dy = s.bossdy;
        for (int call = 0; call < 12; ++call) {
            bossy += dy;
            if (bossy > 110) dy = -1;
            if (bossy < 0) dy = 1;
        }
        const int target = bossy + s.bosshity - 15;  // craft y whose shot's centre line meets it
        const int off = s.jikiy - target;
        if (off > 4 && s.jikidy != -7) return key(true, kx::kGameKeys.up);
        if (off < -4 && s.jikidy != 7) return key(true, kx::kGameKeys.down);
        if (off >= -4 && off <= 4 && s.jikidy != 0)
            return key(false, s.jikidy < 0 ? kx::kGameKeys.up : kx::kGameKeys.down);
        if (off >= -7 && off <= 7 && s.laserx > 400 && s.bossflash >= 20) {
            key(true, kx::kGameKeys.fire);
            key(false, kx::kGameKeys.fire);
        }
    }

    void step() {
        kx::Session& session = *session_;
        const kx::Form1& f = session.game().form1;
        if (!session.any_timer_running()) {
            if (session.game().s.gamemode == 1) {  // the ending has stopped: the next run
                new_session();
                return;
            }
            // The title: sometimes a key comes up first, then any key starts a game.
            if (rng_.one_in(4)) key(false, random_code());
            key(true, rng_.one_in(2) ? random_code() : rng_.below(65536));
            if (!session.any_timer_running()) throw kx::soak::Violation("a key on the title did not start the game");
            return;
        }
        if (f.Timer1.running()) {
            if (aim_ && !rng_.one_in(10))
                aim_at_boss();
            else if (rng_.one_in(5))
                random_key();
        } else if (rng_.one_in(16)) {  // keys in the transition and in the ending
            random_key();
        }

        const bool was_transition = f.Timer2.running();
        const std::int64_t before = session.ticks();
        session.run_period();
        ticks_ += session.ticks() - before;
        watch_->after_period(session.game(), session.ticks() - before);
        if (was_transition && f.Timer1.running()) help_when_play_begins();
    }

    Options options_;
    Rng rng_;
    std::unique_ptr<Watch> watch_;
    std::unique_ptr<kx::Session> session_;
    bool aim_ = false;  // this game's craft aims at the boss
    std::int64_t ticks_ = 0;
    std::int64_t steps_ = 0;
    std::int64_t runs_ = 0;
    double elapsed_ = 0;
    Coverage total_;
};

}  // namespace

int main(int argc, char** argv) {
    const Options options = parse(argc, argv);
    Soak soak(options);
    try {
        soak.run();
    } catch (const kx::soak::Violation& v) {
        std::cerr << "kx_soak: FAILED: rule broken " << v.what() << "\n  " << soak.where() << "\n  state: ";
        soak.dump_state(std::cerr);
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "kx_soak: FAILED: " << e.what() << "\n  " << soak.where() << "\n  state: ";
        soak.dump_state(std::cerr);
        return 1;
    }
    soak.report(std::cout);
    std::cout << "kx_soak: passed\n";
    return 0;
}
