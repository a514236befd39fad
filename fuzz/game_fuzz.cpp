// libFuzzer target: the game driven headless by arbitrary key events and tick runs, with the
// rules of tests/soak/invariants.h checked after every event and every tick.
//
// The bytes: four for the seed, then one operation per byte (some take one more byte):
//   00xxxxxx  key down, 01xxxxxx  key up: x < 8 picks a key the game knows (or space, or 0);
//             otherwise the next byte is the low half of an arbitrary 16-bit key code
//   10xxxxxx  run x + 1 tick periods
//   110xxxxx  run 64 (x + 1) tick periods
//   111xxxxx  x < 16: while play runs outside a boss, move on to score 20 (x % 5) + 18 or 19, or to
//             the last boss with five hits taken (as the soak does); else hold still until the
//             next byte
// A run ends after 10 000 tick periods. With KX_FUZZ_REPORT set, each run prints what it went
// through (to see what a corpus file reaches: game_fuzz FILE).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "invariants.h"
#include "play/game_keys.h"
#include "play/play.h"
#include "run/session.h"

namespace {

constexpr std::int64_t kMaxPeriods = 10'000;
constexpr int kKnownKeys[8] = {kx::kGameKeys.left,
                               kx::kGameKeys.up,
                               kx::kGameKeys.right,
                               kx::kGameKeys.down,
                               kx::kGameKeys.fire,
                               kx::kKeySpace,
                               0,
                               65535};

class Run {
public:
    explicit Run(std::uint32_t seed)
        : session_(seed, nullptr, [this](const std::string& prompt, const std::string& title) {
              watch_.on_message_box(session_.game(), prompt, title);
          }) {
        session_.start();
        watch_.begin(session_.game());
    }

    void key(bool down, int code) {
        session_.key(down, code);
        watch_.after_key(session_.game(), down, code);
    }

    void periods(int n) {
        for (int k = 0; k < n && periods_ < kMaxPeriods; ++k, ++periods_) {
            const std::int64_t before = session_.ticks();
            session_.run_period();
            watch_.after_period(session_.game(), session_.ticks() - before);
        }
    }

    void move_on(int x) {
        const kx::GameState& s = session_.game().s;
        if (!session_.game().form1.Timer1.running() || s.score % 20 == 19) return;
        if (x == 15)
            kx::soak::move_on_to(session_.game(), 99, 5, s.powerflag == 1);
        else
            kx::soak::move_on_to(session_.game(), 20 * (x % 5) + 18 + (x / 5) % 2, 0, s.powerflag == 1);
        watch_.rebase(session_.game());
    }

    bool done() const { return periods_ >= kMaxPeriods; }

    void report() const {
        const kx::soak::Coverage& c = watch_.coverage();
        std::fprintf(stderr,
                     "game_fuzz: %lld periods: play %lld, transition %lld, ending %lld ticks; games %lld, game overs "
                     "%lld, boss fights %lld, beaten %lld, endings finished %lld\n",
                     static_cast<long long>(periods_), static_cast<long long>(c.play_ticks),
                     static_cast<long long>(c.transition_ticks), static_cast<long long>(c.ending_ticks),
                     static_cast<long long>(c.games), static_cast<long long>(c.game_overs),
                     static_cast<long long>(c.boss_fights[0] + c.boss_fights[1] + c.boss_fights[2] + c.boss_fights[3] +
                                            c.boss_fights[4]),
                     static_cast<long long>(c.bosses_beaten), static_cast<long long>(c.endings_finished));
    }

private:
    kx::soak::Watch watch_;
    kx::Session session_;
    std::int64_t periods_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::uint32_t seed = 0;
    std::size_t at = 0;
    for (; at < 4 && at < size; ++at) seed = seed << 8 | data[at];
    try {
        Run run(seed);
        while (at < size && !run.done()) {
            const std::uint8_t op = data[at++];
            const int x = op & 0x3F;
            switch (op >> 6) {
                case 0:
                case 1: {
                    int code = 0;
                    if (x < 8)
                        code = kKnownKeys[x];
                    else if (at < size)
                        code = (x << 8 | data[at++]) & 0xFFFF;
                    run.key(op >> 6 == 0, code);
                    break;
                }
                case 2: run.periods(x + 1); break;
                default:
                    if (x < 32)
                        run.periods(64 * (x + 1));
                    else if (x < 48)
                        run.move_on(x - 32);
                    break;
            }
        }
        static const bool report = std::getenv("KX_FUZZ_REPORT") != nullptr;
        if (report) run.report();
    } catch (const kx::soak::Violation& v) {
        std::fprintf(stderr, "game_fuzz: rule broken %s\n", v.what());
        std::abort();
    }
    return 0;
}
